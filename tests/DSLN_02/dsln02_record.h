// Valid DSLN_02 wage reports with one or more tariff positions, with and
// without a contact person, and the harness that checks them: processing
// date 8 December 2026, switch day 1 December.

#ifndef VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_
#define VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_

#include "DSLN_01/dsln01_record.h"
#include "DSLN_02/DSLN_02.h"
#include "support/valid_records.h"

struct Dsln02Type {
  using Definition = RecordDefinition_DSLN_02;
  using Plausi = DSLN_02::Plausi_DSLN_02;

  // The DSLN_01 report as version 02: the enterprise number 12345678901
  // with its check digit 6 in the twelfth place and the reporting period
  // 2023; its contact person gives its mandatory fields only.
  static vexal::testing::RecordData data() {
    vexal::testing::RecordData data = Dsln01Type::data();
    data.fields = vexal::testing::derive(
        data.fields,
        {"VERNRLN=02", "VERNRDSLN=02", "UNRS=123456789016000", "ZRVON=20230101", "ZRBIS=20231231"});
    data.contact = vexal::testing::mandatoryContact();
    return data;
  }
};

using dsln02 = vexal::testing::ValidRecords<Dsln02Type>;

#endif  // VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_
