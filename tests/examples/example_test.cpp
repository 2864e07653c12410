// The shipped example transmission holds the findings the README shows.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DSAS_01/dsas01_record.h"
#include "DSKO_04/dsko04_record.h"
#include "DSAS_02/DSAS_02.h"
#include "DSLN_01/DSLN_01.h"
#include "DSLN_02/DSLN_02.h"

namespace {

using ::testing::ElementsAreArray;

std::vector<std::string> exampleLines() {
  std::ifstream in(VEXAL_EXAMPLE_FILE, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The check ids of a record's findings, in order.
std::vector<std::string> checkIds(vexal::testing::Harness& h) {
  std::vector<std::string> ids;
  for (const std::string& id : h.ids()) ids.push_back(id.substr(id.rfind('#') + 1));
  return ids;
}

TEST(Dsko04ExampleTest, EveryDskoLineYieldsItsFindings) {
  const std::vector<std::vector<std::string>> expected = {
      {},
      {},
      {"P_VERNR"},
      {"P_ED"},
      {"P_NAME1", "P_EMAILAP"},
      {"P_FEAN", "P_ANRAP"},
      {"P_EMAILAP", "P_RESERVE"},
      {"TELAP", "EMAILAP", "RESERVE", "P_TELAP", "P_EMAILAP"},
  };
  std::vector<std::string> lines = exampleLines();
  ASSERT_EQ(lines.size(), 30u);
  auto h = dsko04::makeHarness();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 1));
    h->check(lines[i]);
    EXPECT_THAT(checkIds(*h), ElementsAreArray(expected[i]));
  }
  h->check(lines[10]);
  EXPECT_THAT(h->ruleFindings(),
              ElementsAreArray({"#P_ED DSKO052 DATUM-ERSTELLUNG logisch falsch"}));
}

TEST(Dsas01ExampleTest, EveryDsasLineYieldsItsFindings) {
  const std::vector<std::vector<std::string>> expected = {
      {},
      {},
      {"#P_ABSN", "#P_DSID", "#P_BBNRUV", "#P_MJAHR"},
      {"#P_MNR", "AN[1]#P_NAMEAP", "AN[1]#P_PLZ"},
      // Announces a contact person the line does not hold.
      {"AN[1].KE#KE", "AN[1].NAMEAP#NAMEAP", "AN[1].TELAP#TELAP", "AN[1].NAME1#NAME1",
       "AN[1].PLZ#PLZ", "AN[1].ORT#ORT", "AN[1]#P_KE", "AN[1]#P_NAMEAP", "AN[1]#P_TELAP",
       "AN[1]#P_NAME1", "AN[1]#P_PLZ", "AN[1]#P_ORT"},
  };
  std::vector<std::string> lines = exampleLines();
  ASSERT_EQ(lines.size(), 30u);
  auto h = dsas01::makeHarness();
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(i + 12));
    h->check(lines[i + 11]);
    EXPECT_THAT(h->ids(), ElementsAreArray(expected[i]));
  }
}

// The ids of the findings of the lines from `first` (1-based) on, checked
// with record type R's rule set on 8 December 2026.
template <class Plausi, class Layout>
void expectIds(const std::vector<std::string>& lines, std::size_t first,
               const std::vector<std::vector<std::string>>& expected) {
  vexal::testing::Harness h(std::make_shared<Plausi>(), std::make_shared<Layout>());
  h.ctx().setProcessingDate(2026, 12, 8);
  h.ctx().setInitParam("ipMjahrSchalttag", "1201");
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("line " + std::to_string(first + i));
    h.check(lines[first - 1 + i]);
    EXPECT_THAT(h.ids(), ElementsAreArray(expected[i]));
  }
}

TEST(Dsln01ExampleTest, EveryDslnLineYieldsItsFindings) {
  std::vector<std::vector<std::string>> expected = {
      {},
      {"UV[2]#P_GTST"},
      {"#P_MDGRUND", "#P_UVGRUND", "UV[1]#P_BBNRGT"},
      // ANUV promises three tariff positions; the line holds one.
      {},
  };
  for (int position : {2, 3}) {
    std::string uv = "UV[" + std::to_string(position) + "]";
    for (const char* field : {"BBNRGT", "GTST", "UVEGSUMM", "ANZVERSGTST"}) {
      expected[3].push_back(uv + "." + field + "#" + field);
    }
  }
  for (int position : {2, 3}) {
    std::string uv = "UV[" + std::to_string(position) + "]#";
    for (const char* check : {"P_BBNRGT", "P_UVEGSUMM", "P_ARBSTDSUMM", "P_ANZVERSGTST"}) {
      expected[3].push_back(uv + check);
    }
  }
  std::vector<std::string> lines = exampleLines();
  ASSERT_EQ(lines.size(), 30u);
  expectIds<DSLN_01::Plausi_DSLN_01, RecordDefinition_DSLN_01>(lines, 17, expected);
}

TEST(Version2ExampleTest, EveryLineOfTheSecondVersionsYieldsItsFindings) {
  std::vector<std::string> lines = exampleLines();
  ASSERT_EQ(lines.size(), 30u);
  expectIds<DSAS_02::Plausi_DSAS_02, RecordDefinition_DSAS_02>(
      lines, 21, {{}, {"#P_UNRS"}, {"#P_UNRS"}, {}, {"#P_MNR"}});
  expectIds<DSLN_02::Plausi_DSLN_02, RecordDefinition_DSLN_02>(
      lines, 26, {{}, {"#P_ZRVON", "#P_ZRBIS"}, {}, {"#P_ZRVON"}, {"#P_UNRS"}});
}

}  // namespace
