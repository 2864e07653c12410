// Valid DSAS_01 records, with and without a contact person, and the
// harness that checks them: processing date 8 December 2026, switch day
// 1 December.

#ifndef VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_
#define VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_

#include <memory>

#include "DSAS_01/DSAS_01.h"
#include "support/harness.h"
#include "support/header_records.h"
#include "support/record_builder.h"

namespace dsas01 {

inline std::shared_ptr<RecordDefinition_DSAS_01> layout() {
  static const auto definition = std::make_shared<RecordDefinition_DSAS_01>();
  return definition;
}

// Version 01 of the query record, for a reporting year before 2024 (a host
// tells DSAS_01 by this version). Sender and company numbers with valid
// check digits; the carrier 15141364 takes membership numbers of nine
// digits.
inline vexal::testing::RecordBuilder validRecord() {
  vexal::testing::RecordBuilder record(*layout());
  record.set("KE", "DSAS")
      .set("VF", "UVSDD")
      .set("ABSN", "12345671")
      .set("EPNR", "30517264")
      .set("VERNRAS", "01")
      .set("NEVERNR", "00")
      .set("VERNRDSAS", "01")
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
  return vexal::testing::makeHeaderHarness<DSAS_01::Plausi_DSAS_01>(layout());
}

}  // namespace dsas01

#endif  // VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_
