// Valid DSLN_01 wage reports, with one or more tariff positions and with or
// without a contact person, and the harness that checks them: processing
// date 8 December 2026, switch day 1 December.

#ifndef VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_
#define VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_

#include <memory>
#include <string>

#include "DSLN_01/DSLN_01.h"
#include "support/harness.h"
#include "support/header_records.h"
#include "support/line_layout.h"
#include "support/record_builder.h"

namespace dsln01 {

inline std::shared_ptr<RecordDefinition_DSLN_01> layout() {
  static const auto definition = std::make_shared<RecordDefinition_DSLN_01>();
  return definition;
}

// The name of field `field` of the n-th tariff position (1-based).
inline std::string position(int n, const char* field) {
  return n == 1 ? std::string("UV.") + field
                : "UV[" + std::to_string(n) + "]." + std::string(field);
}

// Appends one tariff position of carrier 15141364 to `record`.
inline vexal::testing::RecordBuilder& addPosition(vexal::testing::RecordBuilder& record, int n) {
  record.addGroup("UV")
      .set(position(n, "BBNRGT"), "15141364")
      .set(position(n, "GTST"), "0100")
      .set(position(n, "UVEGSUMM"), "000000001234567")
      .set(position(n, "ARBSTDSUMM"), "000000000012000")
      .set(position(n, "ANZVERSGTST"), "000010");
  return record;
}

// Version 01 of the wage report, for a reporting year before 2024. Sender
// and company numbers with valid check digits; the carrier 15141364 takes
// membership numbers of nine digits; `positions` tariff positions of that
// carrier.
inline vexal::testing::RecordBuilder validRecordWithPositions(int positions) {
  vexal::testing::RecordBuilder record(*layout());
  record.set("KE", "DSLN")
      .set("VF", "UVELN")
      .set("ABSN", "12345671")
      .set("EPNR", "30517264")
      .set("VERNRLN", "01")
      .set("NEVERNR", "00")
      .set("VERNRDSLN", "01")
      .set("ED", "20261201120000123456")
      .set("INTERN", std::string(20, '0'))
      .set("MMFU", "N")
      .set("FEKZ", "0")
      .set("FEAN", "0")
      .set("PRODID", "PRD0001")
      .set("MODID", "MOD00001")
      .set("DSID", "DS-2026/0001")
      .set("VOID", "VO.2026-0001")
      .set("KENNZST", "N")
      .set("MMUEB", "1")
      .set("BBNRUV", "15141364")
      .set("MNR", "123456789")
      .set("PIN", "12345")
      .set("LFDNR", "001")
      .set("MJAHR", "2023")
      .set("BBNRLB", "12345671")
      .set("BBNRAS", "12345676")
      .set("MMDBAP", "N")
      .set("MDGRUND", "UV01")
      .set("UVGRUND", "")
      .set("ANZVERS", "000010")
      .set("ANUV", positions < 10 ? "0" + std::to_string(positions) : std::to_string(positions));
  for (int n = 1; n <= positions; ++n) addPosition(record, n);
  return record;
}

inline vexal::testing::RecordBuilder validRecord() { return validRecordWithPositions(1); }

inline vexal::testing::RecordBuilder& addContact(vexal::testing::RecordBuilder& record) {
  return vexal::testing::addContactPerson(record);
}

inline vexal::testing::RecordBuilder validRecordWithContact() {
  vexal::testing::RecordBuilder record = validRecord();
  record.set("MMDBAP", "J");
  addContact(record);
  return record;
}

// Where a report's tariff positions and contact person lie: 494
// characters of header, then 59 per position with its mandatory
// ANZVERSGTST 53 characters in, then the contact person. Also for DSLN_02.
inline vexal::testing::LineLayout lineLayout(int positions, bool contact) {
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

inline std::unique_ptr<vexal::testing::Harness> makeHarness() {
  return vexal::testing::makeHeaderHarness<DSLN_01::Plausi_DSLN_01>(layout());
}

}  // namespace dsln01

#endif  // VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_
