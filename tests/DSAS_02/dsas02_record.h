// Valid DSAS_02 records, with and without a contact person, and the
// harness that checks them: processing date 8 December 2026, switch day
// 1 December.

#ifndef VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_
#define VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_

#include <memory>

#include "DSAS_02/DSAS_02.h"
#include "support/harness.h"
#include "support/header_records.h"
#include "support/record_builder.h"

namespace dsas02 {

inline std::shared_ptr<RecordDefinition_DSAS_02> layout() {
  static const auto definition = std::make_shared<RecordDefinition_DSAS_02>();
  return definition;
}

// Version 02 of the query record for reporting year 2023. Sender and
// company numbers with valid check digits; the carrier 15141364 takes
// membership numbers of nine digits; the enterprise number 12345678901
// carries its check digit 6 in the twelfth place.
inline vexal::testing::RecordBuilder validRecord() {
  vexal::testing::RecordBuilder record(*layout());
  record.set("KE", "DSAS")
      .set("VF", "UVSDD")
      .set("ABSN", "12345671")
      .set("EPNR", "30517264")
      .set("VERNRAS", "02")
      .set("NEVERNR", "00")
      .set("VERNRDSAS", "02")
      .set("ED", "20261201120000123456")
      .set("MMFU", "N")
      .set("FEKZ", "0")
      .set("FEAN", "0")
      .set("PRODID", "PRD0001")
      .set("MODID", "MOD00001")
      .set("DSID", "DS-2026/0001")
      .set("VOID", "VO.2026-0001")
      .set("KENNZST", "N")
      .set("MMUEB", "1")
      .set("UNRS", "123456789016000")
      .set("BBNRUV", "15141364")
      .set("MNR", "123456789")
      .set("PIN", "12345")
      .set("LFDNR", "001")
      .set("MJAHR", "2023")
      .set("BBNRLB", "12345671")
      .set("BBNRAS", "12345676")
      .set("MMDBAP", "N")
      .set("AFGRUND", "UV10");
  return record;
}

inline vexal::testing::RecordBuilder validRecordWithContact() {
  vexal::testing::RecordBuilder record = validRecord();
  record.set("MMDBAP", "J");
  return vexal::testing::addContactPerson(record);
}

inline std::unique_ptr<vexal::testing::Harness> makeHarness() {
  return vexal::testing::makeHeaderHarness<DSAS_02::Plausi_DSAS_02>(layout());
}

}  // namespace dsas02

#endif  // VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_
