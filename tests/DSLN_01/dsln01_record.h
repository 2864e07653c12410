// Valid DSLN_01 wage reports, with one or more tariff positions and with or
// without a contact person, and the harness that checks them: processing
// date 8 December 2026, switch day 1 December.

#ifndef VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_
#define VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_

#include <string>

#include "DSAS_01/dsas01_record.h"
#include "DSLN_01/DSLN_01.h"
#include "support/line_layout.h"
#include "support/valid_records.h"

struct Dsln01Type {
  using Definition = RecordDefinition_DSLN_01;
  using Plausi = DSLN_01::Plausi_DSLN_01;

  // The header of the DSAS_01 query as a wage report of version 01, for
  // the same sender, carrier and reporting year; tariff positions of the
  // carrier 15141364.
  static vexal::testing::RecordData data() {
    vexal::testing::RecordData data = Dsas01Type::data();
    data.fields =
        vexal::testing::derive(data.fields,
                               {"KE=DSLN", "VF=UVELN", "VERNRLN=01", "VERNRDSLN=01",
                                "INTERN=" + std::string(20, '0'), "MDGRUND=UV01", "ANZVERS=000010"},
                               {"VERNRAS", "VERNRDSAS", "AFGRUND"});
    data.position = {"BBNRGT=15141364", "GTST=0100", "UVEGSUMM=000000001234567",
                     "ARBSTDSUMM=000000000012000", "ANZVERSGTST=000010"};
    return data;
  }
};

struct dsln01 : vexal::testing::ValidRecords<Dsln01Type> {
  // The name of field `field` of the n-th tariff position (1-based).
  static std::string position(int n, const char* field) {
    return vexal::testing::occurrence("UV", n, field);
  }

  // Where a report's tariff positions and contact person lie: 494
  // characters of header, then 59 per position with its mandatory
  // ANZVERSGTST 53 characters in, then the contact person. Also for
  // DSLN_02.
  static vexal::testing::LineLayout lineLayout(int positions, bool contact) {
    constexpr std::size_t kHeader = 494;
    constexpr std::size_t kPosition = 59;
    vexal::testing::LineLayout layout;
    layout.header = kHeader;
    for (int n = 1; n <= positions; ++n) {
      const std::size_t start = kHeader + (n - 1) * kPosition;
      const std::string uv = "UV[" + std::to_string(n) + "]";
      layout.occurrences.emplace_back(uv, start + kPosition);
      layout.mandatory.emplace_back(uv + ".ANZVERSGTST#ANZVERSGTST", start + 53);
    }
    if (contact) vexal::testing::addContactPerson(layout, kHeader + positions * kPosition);
    return layout;
  }
};

#endif  // VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_
