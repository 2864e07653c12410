// The type-conformance checks of DSKO_04 and the attributes of its
// findings, byte for byte.

#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSKO_04/dsko04_record.h"
#include "pl/mapping.h"
#include "pl/plausi_problem.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

struct FieldCase {
  const char* field;
  bool optional;
  unsigned length;
  const char* not_conform;  // a text that breaks the field's mask; null for text fields
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.field; }

const FieldCase kFields[] = {
    {"KE", false, 4, nullptr},     {"VF", false, 5, nullptr},       {"ABSN", false, 15, nullptr},
    {"EPNR", false, 15, nullptr},  {"VERNR", false, 2, "4A"},       {"ED", false, 20, nullptr},
    {"FEKZ", false, 1, "A"},       {"FEAN", false, 1, " "},         {"ABSNER", false, 15, nullptr},
    {"PRODID", false, 7, nullptr}, {"MODID", false, 8, nullptr},    {"NAME1", false, 30, nullptr},
    {"NAME2", true, 30, nullptr},  {"NAME3", true, 30, nullptr},    {"PLZ", false, 10, nullptr},
    {"ORT", false, 34, nullptr},   {"STR", true, 33, nullptr},      {"NR", true, 9, nullptr},
    {"ANRAP", false, 1, nullptr},  {"NAMEAP", false, 30, nullptr},  {"TELAP", false, 20, nullptr},
    {"FAXAP", true, 20, nullptr},  {"EMAILAP", false, 70, nullptr}, {"RESERVE", false, 5, nullptr},
};

class Dsko04FieldCheckTest : public ::testing::TestWithParam<FieldCase> {
 protected:
  std::string id() const { return std::string(GetParam().field) + "#" + GetParam().field; }

  std::unique_ptr<vexal::testing::Harness> h = dsko04::makeHarness();
  vexal::testing::RecordBuilder record = dsko04::validRecord();
};

TEST_P(Dsko04FieldCheckTest, MissingIsReportedForMandatoryFieldsOnly) {
  h->checkValues(record.drop(GetParam().field).values());
  if (GetParam().optional) {
    EXPECT_THAT(h->fieldFindings(), IsEmpty());
  } else {
    EXPECT_THAT(h->fieldFindings(), ElementsAreArray({std::pair(id(), 1)}));
  }
}

TEST_P(Dsko04FieldCheckTest, TooLongIsReportedBeyondTheLayoutLength) {
  h->checkValues(record.setRaw(GetParam().field, std::string(GetParam().length, '1')).values());
  EXPECT_THAT(h->fieldFindings(), IsEmpty());
  h->checkValues(record.setRaw(GetParam().field, std::string(GetParam().length + 1, '1')).values());
  EXPECT_THAT(h->fieldFindings(), ElementsAreArray({std::pair(id(), 3)}));
}

INSTANTIATE_TEST_SUITE_P(Fields, Dsko04FieldCheckTest, ::testing::ValuesIn(kFields),
                         [](const auto& info) { return std::string(info.param.field); });

TEST(Dsko04MaskTest, NumericFieldsMustFitTheirMask) {
  for (const FieldCase& c : kFields) {
    if (c.not_conform == nullptr) continue;  // any text conforms to a text field
    SCOPED_TRACE(c.field);
    auto h = dsko04::makeHarness();
    h->checkValues(dsko04::validRecord().set(c.field, c.not_conform).values());
    ASSERT_GE(h->findingCount(), 1u);
    EXPECT_EQ(std::string(h->finding(0).getId()), std::string(c.field) + "#" + c.field);
    EXPECT_EQ(static_cast<int>(h->finding(0).getInfoType()), 2);
  }
}

// Every attribute, null where a finding does not carry it.
struct Attributes {
  int problem_type;
  int weight;
  const char* id;
  const char* text;
  const char* reference_topic;
  const char* reference_field;
  const char* display_name;
  int field_type;  // -1: none
  int length;      // -1: none
  const char* mask;
  int info_type;
};

void expectAttributes(const pl::PlausiProblem& p, const Attributes& a) {
  auto text = [](const char* s) { return s == nullptr ? std::string("(null)") : std::string(s); };
  EXPECT_EQ(static_cast<int>(p.getProblemType()), a.problem_type);
  EXPECT_EQ(p.getWeight(), a.weight);
  EXPECT_EQ(text(p.getId()), text(a.id));
  EXPECT_EQ(text(p.getShortDescription()), text(a.text));
  EXPECT_EQ(text(p.getLongDescription()), text(a.text));
  EXPECT_EQ(text(p.getCorrectionInfo()), "Korrigieren Sie bitte Ihre Angabe.");
  EXPECT_EQ(text(p.getReferenceTopic()), text(a.reference_topic));
  EXPECT_EQ(text(p.getReferenceFieldHierarchy()), text(a.reference_field));
  EXPECT_EQ(text(p.getFieldDisplayName()), text(a.display_name));
  EXPECT_EQ(p.hasFieldType() ? static_cast<int>(p.getFieldType()) : -1, a.field_type);
  EXPECT_EQ(p.hasFieldLength() ? p.getFieldLength() : -1, a.length);
  EXPECT_EQ(text(p.getFieldMask()), text(a.mask));
  EXPECT_EQ(static_cast<int>(p.getInfoType()), a.info_type);
  EXPECT_EQ(p.getException(), nullptr);
}

TEST(Dsko04FindingTest, FieldAndRuleFindingsCarryTheirAttributes) {
  auto h = dsko04::makeHarness();
  vexal::testing::RecordBuilder record = dsko04::validRecord();
  h->check(record.set("VERNR", "4A").set("ED", "20261224000000000000").set("NAME2", "").line());
  ASSERT_EQ(h->findingCount(), 3u);
  expectAttributes(h->finding(0), {1, 9, "VERNR#VERNR", "Ihre Eingabe ist unzul\xE4ssig.",
                                   "Merkmalpruefung", "VERNR", "VERNR", 2, 2, "0##", 2});
  expectAttributes(h->finding(1), {2, 1, "#P_VERNR", "DSKO040 VERSIONS-NR nicht numerisch",
                                   "DSKO_04", nullptr, nullptr, -1, -1, nullptr, 0});
  expectAttributes(h->finding(2), {2, 1, "#P_ED",
                                   "DSKO054 DATUM-ERSTELLUNG gr\xF6\xDF"
                                   "er Verarbeitungsdatum",
                                   "DSKO_04", nullptr, nullptr, -1, -1, nullptr, 0});
  EXPECT_EQ(h->trace.lines.back(), "FehlerID angeschrieben: #P_ED");
}

TEST(Dsko04FindingTest, TextFieldFindingsCarryNoMask) {
  auto h = dsko04::makeHarness();
  h->checkValues(dsko04::validRecord().drop("EMAILAP").values());
  ASSERT_GE(h->findingCount(), 1u);
  expectAttributes(h->finding(0), {1, 9, "EMAILAP#EMAILAP", "Ihre Eingabe ist unzul\xE4ssig.",
                                   "Merkmalpruefung", "EMAILAP", "EMAILAP", 0, 70, nullptr, 1});
}

TEST(Dsko04ConstructionTest, ChecksAreKeyedAlphabeticallyAndTheMappingFollowsTheRecord) {
  DSKO_04::Plausi_DSKO_04 plausi;
  std::vector<std::string> keys;
  for (const auto& [key, check] : plausi.fieldCheckProcs()) keys.push_back(key);
  std::vector<std::string> fields;
  for (const FieldCase& c : kFields) fields.emplace_back(c.field);
  std::vector<std::string> sorted = fields;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_THAT(keys, ElementsAreArray(sorted));
  std::vector<std::string> mapped;
  for (std::size_t i = 0; i < plausi.mapping()->size(); ++i)
    mapped.push_back(plausi.mapping()->keyAt(i));
  fields.insert(fields.begin(), "");
  EXPECT_THAT(mapped, ElementsAreArray(fields));
  EXPECT_STREQ(plausi.getRecordType(), "DSKO_04");
  EXPECT_STREQ(plausi.getBuildStamp(), "20221017_130443");
}

}  // namespace
