// The type-conformance checks of DSKO_04 and the attributes of its
// findings, byte for byte.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSKO_04/dsko04_record.h"
#include "pl/mapping.h"
#include "pl/plausi_problem.h"
#include "support/layout_fields.h"
#include "support/registrations.h"

namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using vexal::testing::expectLengths;
using vexal::testing::LayoutField;

// The fields the record may leave out; all others are mandatory.
const std::set<std::string> kOptional = {"NAME2", "NAME3", "STR", "NR", "FAXAP"};

std::vector<LayoutField> fields() { return vexal::testing::layoutFields(*dsko04::layout()); }

class Dsko04FieldCheckTest : public ::testing::TestWithParam<LayoutField> {};

TEST_P(Dsko04FieldCheckTest, MissingOnlyWhenMandatoryTooLongBeyondTheLayoutLength) {
  vexal::testing::expectFieldChecks(*dsko04::makeHarness(), dsko04::validRecord(), GetParam(),
                                    kOptional.count(GetParam().path) == 1);
}

INSTANTIATE_TEST_SUITE_P(Fields, Dsko04FieldCheckTest, ::testing::ValuesIn(fields()),
                         [](const auto& info) { return info.param.path; });

TEST(Dsko04LayoutTest, FieldsHoldTheirLengths) {
  const std::vector<LayoutField> all = fields();
  EXPECT_EQ(all.size(), 24u);
  unsigned total = 0;
  for (const LayoutField& f : all) total += f.length;
  EXPECT_EQ(total, 415u);
  // Lengths chosen by hand.
  expectLengths(all, {{"KE", 4}, {"ABSNER", 15}, {"ORT", 34}, {"EMAILAP", 70}, {"RESERVE", 5}});
}

// The numeric fields, each with a text that breaks its mask; any text
// conforms to the others.
const std::pair<const char*, const char*> kNumeric[] = {
    {"VERNR", "4A"}, {"FEKZ", "A"}, {"FEAN", " "}};

TEST(Dsko04MaskTest, NumericFieldsMustFitTheirMask) {
  for (const auto& [field, not_conform] : kNumeric) {
    SCOPED_TRACE(field);
    auto h = dsko04::makeHarness();
    h->checkValues(dsko04::validRecord().set(field, not_conform).values());
    ASSERT_GE(h->findingCount(), 1u);
    EXPECT_EQ(std::string(h->finding(0).getId()), std::string(field) + "#" + field);
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
  const std::vector<std::string> keys = vexal::testing::fieldCheckKeys(plausi);
  std::vector<std::string> paths;
  for (const LayoutField& f : fields()) paths.push_back(f.path);
  std::vector<std::string> sorted = paths;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_THAT(keys, ElementsAreArray(sorted));
  // Without groups, every field's path is its name.
  std::vector<std::string> mapped = {"="};
  for (const std::string& path : paths) mapped.push_back(path + "=" + path);
  EXPECT_THAT(vexal::testing::mappingEntries(*plausi.mapping()), ElementsAreArray(mapped));
  EXPECT_STREQ(plausi.getRecordType(), "DSKO_04");
  EXPECT_STREQ(plausi.getBuildStamp(), "20221017_130443");
}

}  // namespace
