// Valid DSAS_01 queries, with and without a contact person, and the harness
// that checks them: processing date 8 December 2026, switch day 1 December.

#ifndef VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_
#define VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_

#include "DSAS_01/DSAS_01.h"
#include "support/valid_records.h"

struct Dsas01Type {
  using Definition = RecordDefinition_DSAS_01;
  using Plausi = DSAS_01::Plausi_DSAS_01;

  // Version 01 of the query record, for a reporting year before 2024 (a
  // host tells DSAS_01 by this version). Sender and company numbers with
  // valid check digits; the carrier 15141364 takes membership numbers of
  // nine digits.
  static vexal::testing::RecordData data() {
    return {{"KE=DSAS",
             "VF=UVSDD",
             "ABSN=12345671",
             "EPNR=30517264",
             "VERNRAS=01",
             "NEVERNR=00",
             "VERNRDSAS=01",
             "ED=20261201120000123456",
             "MMFU=N",
             "FEKZ=0",
             "FEAN=0",
             "PRODID=PRD0001",
             "MODID=MOD00001",
             "DSID=DS-2026/0001",
             "VOID=VO.2026-0001",
             "KENNZST=N",
             "MMUEB=1",
             "BBNRUV=15141364",
             "MNR=123456789",
             "PIN=12345",
             "LFDNR=001",
             "MJAHR=2023",
             "BBNRLB=12345671",
             "BBNRAS=12345676",
             "MMDBAP=N",
             "AFGRUND=UV10"},
            {},
            vexal::testing::fullContact(),
            "1201"};
  }
};

using dsas01 = vexal::testing::ValidRecords<Dsas01Type>;

#endif  // VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_
