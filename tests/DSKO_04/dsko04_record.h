// A valid DSKO_04 record and the harness that checks it, processing date
// 8 December 2026.

#ifndef VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_
#define VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_

#include "DSKO_04/DSKO_04.h"
#include "support/valid_records.h"

struct Dsko04Type {
  using Definition = RecordDefinition_DSKO_04;
  using Plausi = DSKO_04::Plausi_DSKO_04;

  // The sender's address and contact are those of the contact person of
  // the other record types, with another e-mail address.
  static vexal::testing::RecordData data() {
    vexal::testing::FieldTexts fields = {
        "KE=DSKO",        "VF=UVSDD",      "ABSN=12345678",
        "EPNR=87654321",  "VERNR=04",      "ED=20261201120000123456",
        "FEKZ=0",         "FEAN=0",        "ABSNER=12345678",
        "PRODID=PRD0001", "MODID=MOD00001"};
    const vexal::testing::FieldTexts contact =
        vexal::testing::derive(vexal::testing::fullContact(), {"EMAILAP=info@muster.de"}, {"KE"});
    return {vexal::testing::derive(fields, contact), {}, {}, ""};
  }
};

using dsko04 = vexal::testing::ValidRecords<Dsko04Type>;

#endif  // VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_
