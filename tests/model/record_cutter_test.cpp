#include "model/record_cutter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

FieldDefinition* F(const char* name, unsigned length) {
  return new SingleFieldDefinition(name, FieldType::kAlphanumeric, length);
}

StructureFieldDefinition* Group(const char* name, std::initializer_list<FieldDefinition*> members) {
  auto* group = new StructureFieldDefinition(name);
  for (FieldDefinition* member : members) group->addFieldDefinition(member);
  return group;
}

StructureFieldDefinition* Counted(const char* name, const char* counter,
                                  std::initializer_list<FieldDefinition*> members) {
  StructureFieldDefinition* group = Group(name, members);
  group->setCounterFieldName(counter);
  return group;
}

void Add(RecordDefinition& record, std::initializer_list<FieldDefinition*> fields) {
  for (FieldDefinition* field : fields) record.addFieldDefinition(field);
}

std::string Indices(const long* indices, int depth) {
  if (depth == 0) return "";
  std::string text = "(";
  for (int i = 0; i < depth; ++i) text += (i > 0 ? "," : "") + std::to_string(indices[i]);
  return text + ")";
}

// "path(indices)@offset+supplied" for every field entry.
std::string RenderFields(const RecordCutter& cutter, const RecordCut& cut) {
  std::string text;
  for (const RecordCut::Field& f : cut.fields) {
    if (!text.empty()) text += ' ';
    text += cutter.fields().at(f.layout_index).path + Indices(f.indices, f.depth) + "@" +
            std::to_string(f.offset) + "+" + std::to_string(f.supplied);
  }
  return text;
}

// "path(indices)=count" for every group entry.
std::string RenderGroups(const RecordCutter& cutter, const RecordCut& cut) {
  std::string text;
  for (const RecordCut::Group& g : cut.groups) {
    if (!text.empty()) text += ' ';
    text += cutter.groups().at(g.layout_index).path + Indices(g.indices, g.depth) + "=" +
            std::to_string(g.count);
  }
  return text;
}

struct CutCase {
  const char* name;
  std::string line;
  const char* fields;
  const char* groups;
  std::size_t expected_length;
};

void ExpectCuts(const RecordDefinition& record, const std::vector<CutCase>& cases) {
  RecordCutter cutter(record);
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordCut cut;
    cutter.cut(c.line, cut);
    EXPECT_EQ(RenderFields(cutter, cut), c.fields);
    EXPECT_EQ(RenderGroups(cutter, cut), c.groups);
    EXPECT_EQ(cut.expected_length, c.expected_length);
    EXPECT_EQ(cut.actual_length, c.line.size());
  }
}

TEST(RecordCutterTest, FlatLayout) {
  RecordDefinition record;
  Add(record, {F("A", 3), F("B", 2), F("C", 4)});
  ExpectCuts(record, {
                         {"exact", "aaabbcccc", "A@0+3 B@3+2 C@5+4", "", 9},
                         {"long", "aaabbccccXX", "A@0+3 B@3+2 C@5+4", "", 9},
                         {"partial last field", "aaabbcc", "A@0+3 B@3+2 C@5+2", "", 9},
                         {"ends in the first field", "aa", "A@0+2 B@3+0 C@5+0", "", 9},
                         {"empty", "", "A@0+0 B@3+0 C@5+0", "", 9},
                         {"any bytes", std::string("\0\xFF\x80\n\r\0\0\0\0", 9),
                          "A@0+3 B@3+2 C@5+4", "", 9},
                     });
}

TEST(RecordCutterTest, CountedGroup) {
  RecordDefinition record;
  Add(record, {F("N", 2), Counted("UV", "N", {F("X", 1), F("Y", 2)}), F("T", 1)});
  ExpectCuts(
      record,
      {
          {"three", "03abbcddeffZ",
           "N@0+2 UV.X(0)@2+1 UV.Y(0)@3+2 UV.X(1)@5+1 UV.Y(1)@6+2 UV.X(2)@8+1 UV.Y(2)@9+2 T@11+1",
           "UV=3", 12},
          {"zero", "00Z", "N@0+2 T@2+1", "UV=0", 3},
          {"blanks", "  Z", "N@0+2 T@2+1", "UV=0", 3},
          {"letter", "1AZ", "N@0+2 T@2+1", "UV=0", 3},
          {"trailing blank", "3 Z", "N@0+2 T@2+1", "UV=0", 3},
          {"NUL byte", std::string("3\0Z", 3), "N@0+2 T@2+1", "UV=0", 3},
          {"counter not supplied", "", "N@0+0 T@2+0", "UV=0", 3},
          {"counter partly supplied", "2",
           "N@0+1 UV.X(0)@2+0 UV.Y(0)@3+0 UV.X(1)@5+0 UV.Y(1)@6+0 T@8+0", "UV=2", 9},
          {"occurrences run past the line end", "02ab",
           "N@0+2 UV.X(0)@2+1 UV.Y(0)@3+1 UV.X(1)@5+0 UV.Y(1)@6+0 T@8+0", "UV=2", 9},
      });
}

TEST(RecordCutterTest, CounterIsCapped) {
  RecordDefinition record;
  Add(record, {F("N", 30), Counted("G", "N", {F("X", 1)})});
  RecordCutter cutter(record);
  const struct {
    std::string counter;
    long count;
  } cases[] = {
      {"9998", 9998},
      {"9999", 9999},
      {"10000", RecordCutter::kMaxOccurrences},
      {"000000000000000000000000000012", 12},
      // Both would overflow a long.
      {std::string(30, '9'), RecordCutter::kMaxOccurrences},
      {"10000000000000000000", RecordCutter::kMaxOccurrences},
  };
  RecordCut cut;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.counter);
    cutter.cut(c.counter, cut);
    ASSERT_EQ(cut.groups.size(), 1u);
    EXPECT_EQ(cut.groups[0].count, c.count);
    ASSERT_EQ(cut.fields.size(), static_cast<std::size_t>(1 + c.count));
    EXPECT_EQ(cut.fields.back().offset, static_cast<std::size_t>(30 + c.count - 1));
    EXPECT_EQ(cut.fields.back().indices[0], c.count - 1);
  }
}

TEST(RecordCutterTest, ConditionalGroup) {
  const struct {
    const char* name;
    const char* field;
    CompareOperator op;
    std::string line;
    const char* fields;
    const char* groups;
  } cases[] = {
      {"equal, matches", "K", CompareOperator::kEqual, "JAvvT", "K@0+2 C.V(0)@2+2 T@4+1", "C=1"},
      {"equal, differs", "K", CompareOperator::kEqual, "NNT", "K@0+2 T@2+1", "C=0"},
      {"equal, partly supplied", "K", CompareOperator::kEqual, "J", "K@0+1 T@2+0", "C=0"},
      {"equal, field absent", "K", CompareOperator::kEqual, "", "K@0+0 T@2+0", "C=0"},
      {"not equal, differs", "K", CompareOperator::kNotEqual, "NNvvT", "K@0+2 C.V(0)@2+2 T@4+1",
       "C=1"},
      {"not equal, partly supplied", "K", CompareOperator::kNotEqual, "J", "K@0+1 C.V(0)@2+0 T@4+0",
       "C=1"},
      {"not equal, field absent", "K", CompareOperator::kNotEqual, "", "K@0+0 T@2+0", "C=0"},
      {"no such field", "Q", CompareOperator::kNotEqual, "NNT", "K@0+2 T@2+1", "C=0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordDefinition record;
    StructureFieldDefinition* group = Group("C", {F("V", 2)});
    group->setExistenceCondition(new FieldCondition(c.field, c.op, "JA"));
    Add(record, {F("K", 2), group, F("T", 1)});
    RecordCutter cutter(record);
    RecordCut cut;
    cutter.cut(c.line, cut);
    EXPECT_EQ(RenderFields(cutter, cut), c.fields);
    EXPECT_EQ(RenderGroups(cutter, cut), c.groups);
  }
}

TEST(RecordCutterTest, CounterTakesPrecedenceOverCondition) {
  RecordDefinition record;
  StructureFieldDefinition* group = Counted("G", "N", {F("X", 1)});
  group->setExistenceCondition(new FieldCondition("N", CompareOperator::kEqual, "1"));
  Add(record, {F("N", 1), group});
  ExpectCuts(record, {
                         {"condition false", "2ab", "N@0+1 G.X(0)@1+1 G.X(1)@2+1", "G=2", 3},
                         {"condition true", "1a", "N@0+1 G.X(0)@1+1", "G=1", 2},
                         {"counter zero", "0", "N@0+1", "G=0", 1},
                     });
}

TEST(RecordCutterTest, NestedGroups) {
  {
    SCOPED_TRACE("counter inside each occurrence");
    RecordDefinition record;
    Add(record,
        {F("N", 1), Counted("G", "N", {F("M", 1), Counted("H", "M", {F("F", 1)})}), F("T", 1)});
    ExpectCuts(
        record,
        {
            {"both", "21a2bcT",
             "N@0+1 G.M(0)@1+1 G.H.F(0,0)@2+1 G.M(1)@3+1 G.H.F(1,0)@4+1 G.H.F(1,1)@5+1 T@6+1",
             "G=2 G.H(0)=1 G.H(1)=2", 7},
            {"first empty", "202abT",
             "N@0+1 G.M(0)@1+1 G.M(1)@2+1 G.H.F(1,0)@3+1 G.H.F(1,1)@4+1 T@5+1",
             "G=2 G.H(0)=0 G.H(1)=2", 6},
            {"outer absent", "0T", "N@0+1 T@1+1", "G=0", 2},
            {"empty line", "", "N@0+0 T@1+0", "G=0", 2},
        });
  }
  {
    // The counter follows the inner group, so it is never visible to it: the
    // one of the previous occurrence belongs to another occurrence.
    SCOPED_TRACE("counter of an earlier occurrence");
    RecordDefinition record;
    Add(record, {F("N", 1), Counted("G", "N", {Counted("H", "M", {F("F", 1)}), F("M", 1)})});
    ExpectCuts(record, {{"two", "234", "N@0+1 G.M(0)@1+1 G.M(1)@2+1", "G=2 G.H(0)=0 G.H(1)=0", 3}});
  }
  {
    SCOPED_TRACE("counter outside the enclosing group");
    RecordDefinition record;
    Add(record, {F("N", 1), Counted("G", "N", {Counted("H", "N", {F("F", 1)})})});
    ExpectCuts(record, {{"two by two", "2abcd",
                         "N@0+1 G.H.F(0,0)@1+1 G.H.F(0,1)@2+1 G.H.F(1,0)@3+1 G.H.F(1,1)@4+1",
                         "G=2 G.H(0)=2 G.H(1)=2", 5}});
  }
  {
    SCOPED_TRACE("counter inside a sibling group");
    RecordDefinition record;
    Add(record, {Group("A", {F("M", 1)}), Counted("H", "M", {F("F", 1)})});
    ExpectCuts(record, {{"hidden", "2ab", "A.M(0)@0+1", "A=1 H=0", 1}});
  }
  {
    // Visibility goes by indices alone: of the sibling group's occurrences,
    // only the one whose indices match the current ones counts.
    SCOPED_TRACE("counter in an occurrence of a sibling group");
    RecordDefinition record;
    Add(record, {F("N", 1), Group("G", {Counted("A", "N", {F("M", 1)}),
                                        Group("H", {Counted("K", "M", {F("F", 1)})})})});
    ExpectCuts(record, {{"matching indices", "213x",
                         "N@0+1 G.A.M(0,0)@1+1 G.A.M(0,1)@2+1 G.H.K.F(0,0,0)@3+1",
                         "G=1 G.A(0)=2 G.H(0)=1 G.H.K(0,0)=1", 4}});
  }
  {
    SCOPED_TRACE("nearest counter wins");
    RecordDefinition record;
    Add(record, {F("M", 1), Group("G", {F("M", 1), Counted("H", "M", {F("F", 1)})})});
    ExpectCuts(record, {{"inner", "12ab", "M@0+1 G.M(0)@1+1 G.H.F(0,0)@2+1 G.H.F(0,1)@3+1",
                         "G=1 G.H(0)=2", 4}});
  }
}

TEST(RecordCutterTest, FlattensTheLayout) {
  RecordDefinition record;
  FieldDefinition* a = F("A", 1);
  Add(record, {a, Group("UV", {F("B", 1), F("C", 1)}),
               Group("G", {Group("H", {F("F", 1)}), F("E", 1)}), F("Z", 1)});
  RecordCutter cutter(record);
  std::string fields;
  for (const LayoutField& f : cutter.fields())
    fields += f.path + "/" + std::to_string(f.depth) + " ";
  std::string groups;
  for (const LayoutGroup& g : cutter.groups())
    groups += g.path + "/" + std::to_string(g.depth) + " ";
  EXPECT_EQ(fields, "A/0 UV.B/1 UV.C/1 G.H.F/2 G.E/1 Z/0 ");
  EXPECT_EQ(groups, "UV/0 G/0 G.H/1 ");
  EXPECT_EQ(cutter.fields()[0].definition, a);
  EXPECT_EQ(cutter.groups()[2].definition,
            record.getFieldDefinition(2)->asStructure()->getFieldDefinition(0));
}

TEST(RecordCutterTest, RejectsTooDeepNesting) {
  for (int levels = 1; levels <= RecordCut::kMaxDepth + 2; ++levels) {
    SCOPED_TRACE(levels);
    FieldDefinition* inner = F("F", 1);
    for (int i = 0; i < levels; ++i) inner = Group("G", {inner});
    RecordDefinition record;
    Add(record, {inner});
    if (levels > RecordCut::kMaxDepth) {
      EXPECT_THROW(RecordCutter{record}, std::invalid_argument);
    } else {
      RecordCutter cutter(record);
      RecordCut cut;
      cutter.cut("x", cut);
      ASSERT_EQ(cut.fields.size(), 1u);
      EXPECT_EQ(cut.fields[0].depth, levels);
    }
  }
}

// Arbitrary lines, reusing one RecordCut: every cut must match a fresh one
// and keep the fields contiguous, each holding what the line supplies.
TEST(RecordCutterTest, ArbitraryLinesCutConsistently) {
  RecordDefinition record;
  Add(record,
      {F("N", 1), Counted("G", "N", {F("M", 1), Counted("H", "M", {F("F", 2)})}), F("T", 3)});
  RecordCutter cutter(record);
  std::mt19937 random(7);
  RecordCut reused;
  for (int round = 0; round < 500; ++round) {
    std::string line(random() % 40, '\0');
    for (char& c : line) c = static_cast<char>(random() % 3 == 0 ? random() : '0' + random() % 10);
    cutter.cut(line, reused);
    RecordCut fresh;
    cutter.cut(line, fresh);
    ASSERT_EQ(RenderFields(cutter, reused), RenderFields(cutter, fresh));
    ASSERT_EQ(RenderGroups(cutter, reused), RenderGroups(cutter, fresh));
    std::size_t position = 0;
    for (const RecordCut::Field& f : reused.fields) {
      ASSERT_EQ(f.offset, position);
      ASSERT_EQ(f.supplied,
                position < line.size() ? std::min(f.length, line.size() - position) : 0);
      position += f.length;
    }
    ASSERT_EQ(reused.expected_length, position);
  }
}

struct AlikeCase {
  const char* name;
  std::string last;  // the line of the last cut
  std::string line;
  bool alike;
};

// A layout whose groups follow its fields and hang on them: whether a line
// cuts like the last one is told from its length and the group fields.
TEST(RecordCutterTest, CutsAlikeReadsTheLengthAndTheGroupFields) {
  RecordDefinition record;
  StructureFieldDefinition* contact = Group("C", {F("V", 2)});
  contact->setExistenceCondition(new FieldCondition("K", CompareOperator::kEqual, "J"));
  Add(record,
      {F("N", 1), F("K", 1), Counted("G", "N", {F("X", 2)}), contact, Group("P", {F("Y", 1)})});
  RecordCutter cutter(record);
  const AlikeCase cases[] = {
      {"same line", "2Jaabbvvy", "2Jaabbvvy", true},
      {"other bytes, same counts", "2Jaabbvvy", "2J1122337", true},
      {"other count", "2Jaabbvvy", "1Jaabbvvy", false},
      {"counter turns into a letter", "0Nvvy", "ANvvy", true},  // both count 0
      {"condition no longer holds", "0Jvvy", "0Nvvy", false},
      {"condition field cut off", "0J", "0", false},
      {"shorter", "2Jaabbvvy", "2Jaabbvv", false},
      {"longer", "0Nvvy", "0Nvvyy", false},
      {"empty lines", "", "", true},
  };
  for (const AlikeCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordCut last;
    cutter.cut(c.last, last);
    EXPECT_EQ(cutter.cutsAlike(c.line, last), c.alike);
    RecordCut again;
    cutter.cut(c.line, again);
    if (c.alike) {
      EXPECT_EQ(RenderFields(cutter, again), RenderFields(cutter, last));
      EXPECT_EQ(RenderGroups(cutter, again), RenderGroups(cutter, last));
      EXPECT_EQ(again.expected_length, last.expected_length);
    }
  }
}

// Layouts where the group fields do not stand at fixed places: never told
// alike, so the caller always cuts.
TEST(RecordCutterTest, CutsAlikeDeclinesWhatItCannotTell) {
  RecordDefinition nested;
  Add(nested, {F("N", 1), Counted("G", "N", {F("M", 1), Counted("H", "M", {F("F", 1)})})});
  RecordDefinition field_after_group;
  Add(field_after_group, {F("N", 1), Counted("G", "N", {F("X", 1)}), F("T", 1)});
  for (const RecordDefinition* record : {&nested, &field_after_group}) {
    RecordCutter cutter(*record);
    RecordCut last;
    cutter.cut("1ab", last);
    EXPECT_FALSE(cutter.cutsAlike("1ab", last));
  }
  RecordDefinition flat;
  Add(flat, {F("A", 2), F("B", 2)});
  RecordCutter cutter(flat);
  RecordCut last;
  cutter.cut("abcd", last);
  EXPECT_TRUE(cutter.cutsAlike("wxyz", last));
  EXPECT_FALSE(cutter.cutsAlike("wxy", last));
}

// A layout whose groups follow its fields is cut from its rules, not by
// walking it; with a field behind the groups the same layout is walked.
// Both cuts must agree on everything before that field.
TEST(RecordCutterTest, CuttingByRulesAgreesWithWalking) {
  auto layout = [](RecordDefinition& record, bool walked) {
    StructureFieldDefinition* contact = Group("C", {F("V", 2), F("W", 1)});
    contact->setExistenceCondition(new FieldCondition("K", CompareOperator::kEqual, "J"));
    StructureFieldDefinition* hidden = Group("H", {F("Z", 1)});
    hidden->setExistenceCondition(new FieldCondition("Q", CompareOperator::kEqual, "J"));
    Add(record, {F("N", 1), F("K", 1), F("N", 2), Counted("G", "N", {F("X", 2), F("Y", 1)}),
                 contact, hidden, Group("P", {F("Y", 3)})});
    if (walked) Add(record, {F("T", 1)});
  };
  RecordDefinition by_rules, walked;
  layout(by_rules, false);
  layout(walked, true);
  RecordCutter rules_cutter(by_rules), walking_cutter(walked);
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    std::string line(random() % 30, '\0');
    for (char& c : line) c = "0123JN x"[random() % 8];
    SCOPED_TRACE(line);
    RecordCut a, b;
    rules_cutter.cut(line, a);
    walking_cutter.cut(line, b);
    ASSERT_FALSE(b.fields.empty());
    b.expected_length -= b.fields.back().length;
    b.fields.pop_back();
    ASSERT_EQ(RenderFields(rules_cutter, a), RenderFields(walking_cutter, b));
    ASSERT_EQ(RenderGroups(rules_cutter, a), RenderGroups(walking_cutter, b));
    ASSERT_EQ(a.expected_length, b.expected_length);
    ASSERT_EQ(a.actual_length, b.actual_length);
    for (std::size_t i = 0; i < a.fields.size(); ++i) {
      ASSERT_TRUE(std::equal(a.fields[i].indices, a.fields[i].indices + RecordCut::kMaxDepth,
                             b.fields[i].indices));
      ASSERT_EQ(a.fields[i].layout_index, b.fields[i].layout_index);
    }
  }
}

// Whenever a line is told to cut alike, cutting it gives the last cut.
TEST(RecordCutterTest, CutsAlikeNeverClaimsTooMuch) {
  RecordDefinition record;
  StructureFieldDefinition* contact = Group("C", {F("V", 2)});
  contact->setExistenceCondition(new FieldCondition("K", CompareOperator::kNotEqual, "N"));
  Add(record, {F("N", 1), F("K", 1), Counted("G", "N", {F("X", 2)}), contact});
  RecordCutter cutter(record);
  std::mt19937 random(13);
  RecordCut last;
  cutter.cut("", last);
  int alike = 0;
  for (int round = 0; round < 2000; ++round) {
    std::string line(random() % 12, '\0');
    for (char& c : line) c = "01234NJ x"[random() % 9];
    RecordCut fresh;
    cutter.cut(line, fresh);
    if (cutter.cutsAlike(line, last)) {
      ++alike;
      ASSERT_EQ(RenderFields(cutter, fresh), RenderFields(cutter, last)) << line;
      ASSERT_EQ(RenderGroups(cutter, fresh), RenderGroups(cutter, last)) << line;
    }
    last = fresh;
  }
  EXPECT_GT(alike, 20);  // the answer is not always no
}

}  // namespace
