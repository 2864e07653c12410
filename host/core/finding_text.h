// What the host reads out of a finding's texts.

#ifndef VEXAL_HOST_CORE_FINDING_TEXT_H_
#define VEXAL_HOST_CORE_FINDING_TEXT_H_

#include <string>
#include <string_view>

#include "core/line_result.h"
#include "pl/plausi_problem.h"

namespace vexal::core {

// The error identifier a short description starts with: its first word
// when that is upper-case letters A-Z followed by exactly three digits
// ("DSKO080", "DBAP020"); empty otherwise (also for null).
std::string_view errorCode(const char* short_description);

// The check of a final id, a field short name or a procedure name: the part
// after the last '#' (the whole id when it has none).
std::string_view checkOf(std::string_view id);

// Where a finding stands, for a text line: the final id without the '#'
// before the check ("P_ED" for "#P_ED"), the field's place alone when
// the check is that field's own ("UV[2].BBNRGT" for "UV[2].BBNRGT#BBNRGT"),
// else place and check ("UV[2] P_BBNRGT" for "UV[2]#P_BBNRGT").
std::string findingLabel(std::string_view id);
void appendFindingLabel(std::string& out, std::string_view id);

// The display name of the finding's field: the one its reference field's
// type descriptor carries, else the finding's own, else null.
const char* fieldDisplayName(const pl::PlausiProblem& problem);

// The finding's attributes; its texts stay the problem's.
Finding findingOf(const pl::PlausiProblem& problem);

// What a finding says, in Latin-1: a rule finding's short description; for
// a field finding what is wrong with the field, after its info type ("not
// supplied", "too long", "does not conform", an error while checking).
// A text of an exception the finding carries is appended.
std::string describeFinding(const Finding& finding);
void appendFindingText(std::string& out, const Finding& finding);
std::string describeFinding(const pl::PlausiProblem& problem);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_FINDING_TEXT_H_
