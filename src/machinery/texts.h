// The fixed texts of the check machinery, as Latin-1 bytes.

#ifndef VEXAL_MACHINERY_TEXTS_H_
#define VEXAL_MACHINERY_TEXTS_H_

namespace vexal::machinery::texts {

inline constexpr char kFieldProblem[] = "Ihre Eingabe ist unzul\xE4ssig.";
inline constexpr char kFieldCheckTopic[] = "Merkmalpruefung";
inline constexpr char kCorrectionInfo[] = "Korrigieren Sie bitte Ihre Angabe.";
inline constexpr char kDescriptionPlaceholder[] = "$hf_fehlertext$";
inline constexpr char kUnknownCheckKey[] = "Ungueltiger Pruefschluessel.";
inline constexpr char kNoFunctionName[] = "Kein Funktionsname angegeben.";
inline constexpr char kFieldTooLong[] = "Feldinhalt zu lang.";

inline constexpr char kProblemWritten[] = "FehlerID angeschrieben: ";
inline constexpr char kSkipped[] = "Pruefung wg. Fehlergewichtsschranke ausgelassen: ";
inline constexpr char kErrorDuringExecution[] = "Fehler w\xE4hrend Ausf\xFChrung: ";

inline constexpr char kStandardAblauf[] = "StandardAblauf";
inline constexpr char kStandardAblaufSection[] = "Ablauf StandardAblauf";
inline constexpr char kFieldCheckSectionPrefix[] = "Merkmal ";
inline constexpr char kFieldCheckNamePrefix[] = "Merkmal_";
inline constexpr char kProcedureSectionPrefix[] =
    "Pr\xFC"
    "fung ";
inline constexpr char kFunctionSectionPrefix[] = "Funktion ";

}  // namespace vexal::machinery::texts

#endif  // VEXAL_MACHINERY_TEXTS_H_
