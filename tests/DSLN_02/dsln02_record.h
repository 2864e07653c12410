// Valid DSLN_02 wage reports with one or more tariff positions, with and
// without a contact person, and the harness that checks them: processing date
// 8 December 2026, switch day 1 December.

#ifndef VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_
#define VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_

#include <memory>
#include <string>

#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/DSLN_02.h"
#include "support/harness.h"
#include "support/header_records.h"
#include "support/record_builder.h"

namespace dsln02 {

inline std::shared_ptr<RecordDefinition_DSLN_02> layout() {
  static const auto definition = std::make_shared<RecordDefinition_DSLN_02>();
  return definition;
}

// The fields both wage reports share, for reporting year 2023 over the
// layout `definition` (DSLN_01 or DSLN_02): sender and company numbers with
// valid check digits, the carrier 15141364 with a membership number of nine
// digits, and one tariff position of that carrier.
inline vexal::testing::RecordBuilder sharedFields(const RecordDefinition& definition) {
  vexal::testing::RecordBuilder record(definition);
  record.set("KE", "DSLN")
      .set("VF", "UVELN")
      .set("ABSN", "12345671")
      .set("EPNR", "30517264")
      .set("VERNRLN", "02")
      .set("NEVERNR", "00")
      .set("VERNRDSLN", "02")
      .set("ED", "20261201120000123456")
      .set("INTERN", "00000000000000000000")
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
      .set("ANZVERS", "000010")
      .set("ANUV", "01")
      .addGroup("UV")
      .set("UV.BBNRGT", "15141364")
      .set("UV.GTST", "0100")
      .set("UV.UVEGSUMM", "000000001234567")
      .set("UV.ARBSTDSUMM", "000000000012000")
      .set("UV.ANZVERSGTST", "000010");
  return record;
}

// Version 02 of the wage report: the enterprise number 12345678901 with its
// check digit 6 in the twelfth place, and the reporting period 2023.
inline vexal::testing::RecordBuilder validRecord() {
  vexal::testing::RecordBuilder record = sharedFields(*layout());
  record.set("UNRS", "123456789016000").set("ZRVON", "20230101").set("ZRBIS", "20231231");
  return record;
}

// The same with `positions` tariff positions (1 to 99) of the carrier
// 15141364.
inline vexal::testing::RecordBuilder validRecordWithPositions(int positions) {
  vexal::testing::RecordBuilder record = validRecord();
  record.set("ANUV", std::string(1, static_cast<char>('0' + positions / 10)) +
                         static_cast<char>('0' + positions % 10));
  for (int n = 2; n <= positions; ++n) dsln01::addPosition(record, n);
  return record;
}

// Appends the contact person, its mandatory fields only, to `record`
// (whose MMDBAP must say "J").
inline vexal::testing::RecordBuilder& addContact(vexal::testing::RecordBuilder& record) {
  record.addGroup("AN")
      .set("AN.KE", "DBAP")
      .set("AN.NAMEAP", "Erika Muster")
      .set("AN.TELAP", "030 1234567")
      .set("AN.NAME1", "Muster GmbH")
      .set("AN.PLZ", "12345")
      .set("AN.ORT", "Musterstadt");
  return record;
}

inline vexal::testing::RecordBuilder validRecordWithContact() {
  vexal::testing::RecordBuilder record = validRecord();
  return addContact(record.set("MMDBAP", "J"));
}

inline std::unique_ptr<vexal::testing::Harness> makeHarness() {
  return vexal::testing::makeHeaderHarness<DSLN_02::Plausi_DSLN_02>(layout());
}

}  // namespace dsln02

#endif  // VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_
