// Writes a transmission of one record type to standard output, as the
// instruction counts of bench/instructions.sh read it: RECORDS lines, seven
// of every ten valid and three faulty, the valid and the faulty records
// each in turn. The records are the test suite's valid records, checked for
// processing date 2026-12-08 and switch day 1201.
//
//   make_transmission CASE RECORDS
//
// CASE: DSKO_04, DSAS_01 (with contact person), DSAS_02, DSLN_01x1,
// DSLN_01x10 (one or ten tariff positions) or DSLN_02.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "support/record_types.h"

namespace {

struct Transmission {
  std::vector<std::string> valid;
  std::vector<std::string> faulty;
};

// Faults every header of the queries and wage reports has: the sender's
// check digit, a membership number of the wrong length, a reporting year
// before any that may be reported.
Transmission headerFaults(const vexal::testing::RecordBuilder& valid) {
  using vexal::testing::RecordBuilder;
  Transmission t;
  t.valid.push_back(RecordBuilder(valid).line());
  t.faulty.push_back(RecordBuilder(valid).set("ABSN", "12345672").line());
  t.faulty.push_back(RecordBuilder(valid).set("MNR", "12345678").line());
  t.faulty.push_back(RecordBuilder(valid).set("MJAHR", "2015").line());
  return t;
}

bool makeCase(std::string_view name, Transmission& t) {
  if (name == "DSKO_04") {
    t.valid = {dsko04::validRecord().line()};
    t.faulty = {dsko04::validRecord().set("VERNR", "03").line(),
                dsko04::validRecord().set("ED", "20270101000000000000").line(),
                dsko04::validRecord().set("EMAILAP", "a@b@c.de").set("NAME1", "").line()};
  } else if (name == "DSAS_01") {
    t = headerFaults(dsas01::validRecordWithContact());
    t.faulty.push_back(dsas01::validRecordWithContact().set("AN.NAMEAP", "").line());
  } else if (name == "DSAS_02") {
    t = headerFaults(dsas02::validRecord());
  } else if (name == "DSLN_01x1") {
    t = headerFaults(dsln01::validRecordWithPositions(1));
  } else if (name == "DSLN_01x10") {
    t = headerFaults(dsln01::validRecordWithPositions(10));
  } else if (name == "DSLN_02") {
    t = headerFaults(dsln02::validRecord());
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  char* end = nullptr;
  const long records = argc == 3 ? std::strtol(argv[2], &end, 10) : -1;
  Transmission t;
  if (argc != 3 || *end != '\0' || records < 0 || !makeCase(argv[1], t)) {
    std::fprintf(stderr,
                 "usage: make_transmission CASE RECORDS\n"
                 "CASE: DSKO_04, DSAS_01, DSAS_02, DSLN_01x1, DSLN_01x10, DSLN_02\n");
    return 2;
  }
  std::size_t valid = 0;
  std::size_t faulty = 0;
  for (long i = 0; i < records; ++i) {
    const std::string& line =
        i % 10 < 7 ? t.valid[valid++ % t.valid.size()] : t.faulty[faulty++ % t.faulty.size()];
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
