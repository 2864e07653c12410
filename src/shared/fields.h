// The fields that several record types carry alike: the same short name,
// display name, type, length and presence. A record type's field table
// names them instead of spelling them again (machinery::fieldTable).

#ifndef VEXAL_SHARED_FIELDS_H_
#define VEXAL_SHARED_FIELDS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include "machinery/catalogue.h"

namespace vexal::shared {
namespace fields {

using machinery::FieldRow;
using machinery::kMandatory;
using machinery::kNum;
using machinery::kOptional;
using machinery::kText;

inline constexpr FieldRow KE{"KE", "KENNUNG", kText, 4, kMandatory};
inline constexpr FieldRow VF{"VF", "VERFAHREN", kText, 5, kMandatory};
inline constexpr FieldRow ABSN{"ABSN", "ABSENDER-NUMMER", kText, 15, kMandatory};
inline constexpr FieldRow EPNR{"EPNR", "EMPFAENGER-NUMMER", kText, 15, kMandatory};
inline constexpr FieldRow NEVERNR{"NEVERNR", "NEBENVERSIONS-NR", kNum, 2, kOptional};
inline constexpr FieldRow ED{"ED", "DATUM-ERSTELLUNG", kText, 20, kMandatory};
inline constexpr FieldRow MMFU{"MMFU", "MM-FUV-DATEN", kText, 1, kMandatory};
inline constexpr FieldRow FEKZ{"FEKZ", "FEHLER-KENNZ", kNum, 1, kMandatory};
inline constexpr FieldRow FEAN{"FEAN", "FEHLER-ANZAHL", kNum, 1, kMandatory};
inline constexpr FieldRow PRODID{"PRODID", "PRODUKT-IDENTIFIER", kText, 7, kMandatory};
inline constexpr FieldRow MODID{"MODID", "MODIFIKATIONS-IDENTIFIER", kText, 8, kMandatory};

// Version 02 of the query and of the wage report change the same three
// fields of their version 01: the sub-version becomes mandatory text, the
// enterprise number follows the third reserve and the membership number
// may be left blank.
namespace v02 {
inline constexpr FieldRow NEVERNR{"NEVERNR", "NEBENVERSIONS-NR", kText, 2, kMandatory};
inline constexpr FieldRow UNRS{"UNRS", "UNTERNEHMENSNUMMER", kText, 15, kMandatory};
inline constexpr FieldRow MNR{"MNR", "MITGLIEDSNUMMER", kText, 20, kOptional};
}  // namespace v02

}  // namespace fields

// Every record begins with its identifier, the procedure, the sender and
// the receiving organisation.
inline constexpr machinery::FieldRow kSenderFields[] = {fields::KE, fields::VF, fields::ABSN,
                                                        fields::EPNR};

// The part of the query and wage-report records between their creation
// date (and DSLN's INTERN) and their own fields: error marks, software,
// ids, carrier and membership, reporting year, company numbers and the
// contact-person marker; 394 characters.
inline constexpr machinery::FieldRow kReportFields[] = {
    fields::MMFU,
    fields::FEKZ,
    fields::FEAN,
    {"RESERVE1", "RESERVE1", machinery::kText, 100, machinery::kOptional},
    fields::PRODID,
    fields::MODID,
    {"DSID", "DATENSATZ-ID", machinery::kText, 32, machinery::kMandatory},
    {"VOID", "VORGANGS-ID", machinery::kText, 32, machinery::kMandatory},
    {"KENNZST", "KENNZ-STORNO", machinery::kText, 1, machinery::kMandatory},
    {"RESERVE2", "RESERVE2", machinery::kText, 32, machinery::kOptional},
    {"MMUEB", "MM-UEBERMITTLUNG", machinery::kNum, 1, machinery::kMandatory},
    {"RESERVE3", "RESERVE3", machinery::kText, 100, machinery::kOptional},
    {"BBNRUV", "BBNR-UV", machinery::kText, 15, machinery::kMandatory},
    {"MNR", "MITGLIEDSNUMMER", machinery::kText, 20, machinery::kMandatory},
    {"PIN", "MNR-PIN", machinery::kNum, 5, machinery::kMandatory},
    {"LFDNR", "LAUFENDE-NUMMER", machinery::kNum, 3, machinery::kMandatory},
    {"MJAHR", "MELDEJAHR", machinery::kNum, 4, machinery::kMandatory},
    {"BBNRLB", "BBNR-LB", machinery::kText, 15, machinery::kMandatory},
    {"BBNRAS", "BBNR-ABRECHNUNGS-STELLE", machinery::kText, 15, machinery::kMandatory},
    {"MMDBAP", "MM-DBANSPRECHPARTNER", machinery::kText, 1, machinery::kMandatory},
};

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_FIELDS_H_
