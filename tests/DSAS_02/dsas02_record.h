// Valid DSAS_02 queries, with and without a contact person, and the harness
// that checks them: processing date 8 December 2026, switch day 1 December.

#ifndef VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_
#define VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_

#include "DSAS_01/dsas01_record.h"
#include "DSAS_02/DSAS_02.h"
#include "support/valid_records.h"

struct Dsas02Type {
  using Definition = RecordDefinition_DSAS_02;
  using Plausi = DSAS_02::Plausi_DSAS_02;

  // The DSAS_01 query as version 02, with the enterprise number
  // 12345678901 and its check digit 6 in the twelfth place.
  static vexal::testing::RecordData data() {
    vexal::testing::RecordData data = Dsas01Type::data();
    data.fields =
        vexal::testing::derive(data.fields, {"VERNRAS=02", "VERNRDSAS=02", "UNRS=123456789016000"});
    return data;
  }
};

using dsas02 = vexal::testing::ValidRecords<Dsas02Type>;

#endif  // VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_
