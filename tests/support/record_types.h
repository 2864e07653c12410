// The valid records of the five record types and the harnesses that check
// them, all for processing date 8 December 2026 and, but for DSKO_04,
// switch day 1 December: dsko04, dsas01, dsas02, dsln01 and dsln02.

#ifndef VEXAL_TESTS_SUPPORT_RECORD_TYPES_H_
#define VEXAL_TESTS_SUPPORT_RECORD_TYPES_H_

#include <string>

#include "DSAS_01/DSAS_01.h"
#include "DSAS_02/DSAS_02.h"
#include "DSKO_04/DSKO_04.h"
#include "DSLN_01/DSLN_01.h"
#include "DSLN_02/DSLN_02.h"
#include "support/line_layout.h"
#include "support/valid_records.h"

namespace vexal::testing {

// The sender's address and contact are those of the contact person of the
// other record types, with another e-mail address.
inline RecordData dsko04Data() {
  const FieldTexts contact = derive(fullContact(), {"EMAILAP=info@muster.de"}, {"KE"});
  return {derive({"KE=DSKO", "VF=UVSDD", "ABSN=12345678", "EPNR=87654321", "VERNR=04",
                  "ED=20261201120000123456", "FEKZ=0", "FEAN=0", "ABSNER=12345678",
                  "PRODID=PRD0001", "MODID=MOD00001"},
                 contact),
          {},
          {},
          ""};
}

// Version 01 of the query record, for a reporting year before 2024 (a host
// tells DSAS_01 by this version). Sender and company numbers with valid
// check digits; the carrier 15141364 takes membership numbers of nine
// digits.
inline RecordData dsas01Data() {
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
          fullContact(),
          "1201"};
}

// The query as version 02, with the enterprise number 12345678901 and its
// check digit 6 in the twelfth place.
inline RecordData dsas02Data() {
  return derive(dsas01Data(), {"VERNRAS=02", "VERNRDSAS=02", "UNRS=123456789016000"});
}

// The query's header as a wage report of version 01, for the same sender,
// carrier and reporting year; tariff positions of the carrier 15141364.
inline RecordData dsln01Data() {
  RecordData data = derive(dsas01Data(),
                           {"KE=DSLN", "VF=UVELN", "VERNRLN=01", "VERNRDSLN=01",
                            "INTERN=" + std::string(20, '0'), "MDGRUND=UV01", "ANZVERS=000010"},
                           {"VERNRAS", "VERNRDSAS", "AFGRUND"});
  data.position = {"BBNRGT=15141364", "GTST=0100", "UVEGSUMM=000000001234567",
                   "ARBSTDSUMM=000000000012000", "ANZVERSGTST=000010"};
  return data;
}

// The wage report as version 02: the enterprise number of DSAS_02 and the
// reporting period 2023; its contact person gives its mandatory fields
// only.
inline RecordData dsln02Data() {
  RecordData data = derive(dsln01Data(), {"VERNRLN=02", "VERNRDSLN=02", "UNRS=123456789016000",
                                          "ZRVON=20230101", "ZRBIS=20231231"});
  data.contact = mandatoryContact();
  return data;
}

// Where a wage report's tariff positions and contact person lie: 494
// characters of header, then 59 per position with its mandatory
// ANZVERSGTST 53 characters in, then the contact person. DSLN_01 and
// DSLN_02 alike.
inline LineLayout reportLineLayout(int positions, bool contact) {
  constexpr std::size_t kHeader = 494;
  constexpr std::size_t kPosition = 59;
  LineLayout layout;
  layout.header = kHeader;
  for (int n = 1; n <= positions; ++n) {
    const std::size_t start = kHeader + (n - 1) * kPosition;
    const std::string uv = "UV[" + std::to_string(n) + "]";
    layout.occurrences.emplace_back(uv, start + kPosition);
    layout.mandatory.emplace_back(uv + ".ANZVERSGTST#ANZVERSGTST", start + 53);
  }
  if (contact) addContactPerson(layout, kHeader + positions * kPosition);
  return layout;
}

}  // namespace vexal::testing

using dsko04 = vexal::testing::ValidRecords<RecordDefinition_DSKO_04, DSKO_04::Plausi_DSKO_04,
                                            vexal::testing::dsko04Data>;
using dsas01 = vexal::testing::ValidRecords<RecordDefinition_DSAS_01, DSAS_01::Plausi_DSAS_01,
                                            vexal::testing::dsas01Data>;
using dsas02 = vexal::testing::ValidRecords<RecordDefinition_DSAS_02, DSAS_02::Plausi_DSAS_02,
                                            vexal::testing::dsas02Data>;
using dsln01 = vexal::testing::ValidRecords<RecordDefinition_DSLN_01, DSLN_01::Plausi_DSLN_01,
                                            vexal::testing::dsln01Data>;
using dsln02 = vexal::testing::ValidRecords<RecordDefinition_DSLN_02, DSLN_02::Plausi_DSLN_02,
                                            vexal::testing::dsln02Data>;

#endif  // VEXAL_TESTS_SUPPORT_RECORD_TYPES_H_
