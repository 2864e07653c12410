// The tests of the header checks that the query (DSAS) and wage-report
// (DSLN) record types share up to their messages: each record type's rows
// put them in its own order and give them its own texts. They work on the
// check's field and, where a rule looks across fields, on the members of
// the record's HeaderTopic.

#ifndef VEXAL_SHARED_HEADER_RULES_H_
#define VEXAL_SHARED_HEADER_RULES_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include "machinery/check_rows.h"
#include "shared/header_topic.h"

namespace vexal::shared {

namespace header_rules_internal {

void senderNumber(RuleCall& rule);
void recipient(RuleCall& rule);
void version01From2024(RuleCall& rule);
void errorCountWithoutErrorFlag(RuleCall& rule);
void errorCountMissingForErrorFlag(RuleCall& rule);
void timestampNotNumeric(RuleCall& rule);
void noValidDate(RuleCall& rule);
void noValidTime(RuleCall& rule);
void dateAfterProcessingDate(RuleCall& rule);
void fractionNotNumeric(RuleCall& rule);
void refusedIdCharacter(RuleCall& rule);
void notAnnex7Carrier(RuleCall& rule);
void membershipNumber(RuleCall& rule);
void yearNotReleased(RuleCall& rule);
void yearNotReleasedNamingSwitchDay(RuleCall& rule);
void companyNumber(RuleCall& rule);
void carrierAsCompanyNumber(RuleCall& rule);
void enterpriseNumber(RuleCall& rule);
void membershipOrEnterpriseNumber(RuleCall& rule);

}  // namespace header_rules_internal

// The sender number ABSN: not supplied (`ordinary`); when its trimmed text
// is numeric, an ordinary company number (F_PruefeBetriebsnummer), else a
// separate one (F_PruefeGesonderteBetriebsnummer, `separate`); both of the
// untrimmed field.
consteval Step senderNumberRefused(const char* ordinary, const char* separate) {
  return machinery::body<&header_rules_internal::senderNumber>(ordinary, separate);
}

// The recipient EPNR: not supplied, not left-aligned, or, trimmed, not the
// receiving organisation 30517264.
consteval Step recipientRefused(const char* text) {
  return machinery::body<&header_rules_internal::recipient>(text);
}

// A version "01" while the reporting year MJAHR, four digits, is after
// 2023.
consteval Step version01From2024(const char* text) {
  return machinery::body<&header_rules_internal::version01From2024>(text);
}

// The error count FEAN with a numeric error flag FEKZ: not 0 while the flag
// is 0; outside 1 to 9 (an interval range) while the flag is above 0.
consteval Step errorCountWithoutErrorFlag(const char* text) {
  return machinery::body<&header_rules_internal::errorCountWithoutErrorFlag>(text);
}
consteval Step errorCountMissingForErrorFlag(const char* text) {
  return machinery::body<&header_rules_internal::errorCountMissingForErrorFlag>(text);
}

// The creation time stamp ED, "JJJJMMTTSSmmss" and an optional fraction of
// six digits: characters 1 to 14 not numeric; characters 1 to 8 no date;
// characters 9 to 14 no time of day; the date after the processing date
// (HEUTE); 20 characters whose last six are not numeric.
consteval Step timestampNotNumeric(const char* text) {
  return machinery::body<&header_rules_internal::timestampNotNumeric>(text);
}
consteval Step noValidDate(const char* text) {
  return machinery::body<&header_rules_internal::noValidDate>(text);
}
consteval Step noValidTime(const char* text) {
  return machinery::body<&header_rules_internal::noValidTime>(text);
}
consteval Step dateAfterProcessingDate(const char* text) {
  return machinery::body<&header_rules_internal::dateAfterProcessingDate>(text);
}
consteval Step fractionNotNumeric(const char* text) {
  return machinery::body<&header_rules_internal::fractionNotNumeric>(text);
}

// DSID, VOID: a character F_IstDsIdVoIdKonform refuses; the text replaces
// the one that function left.
consteval Step refusedIdCharacter(const char* text) {
  return machinery::body<&header_rules_internal::refusedIdCharacter>(text);
}

// BBNRUV: no carrier of annex 7 in the record's reporting year.
consteval Step notAnnex7Carrier(const char* text) {
  return machinery::body<&header_rules_internal::notAnnex7Carrier>(text);
}

// MNR of a query or report that is no cancellation (KENNZST "N"), trimmed,
// against the rules of the carrier BBNRUV: a length it does not allow,
// then a character it does not allow. A carrier without rules allows any.
consteval Step membershipNumberRefused(const char* length, const char* characters) {
  return machinery::body<&header_rules_internal::membershipNumber>(length, characters);
}

// MJAHR not yet released on the switch day of the topic's ipMjahrSchalttag
// (F_IstMjahrFreigeschaltet). The second form replaces "TT.MM" in its text
// with the switch day as day and month.
consteval Step yearNotReleased(const char* text) {
  return machinery::body<&header_rules_internal::yearNotReleased>(text);
}
consteval Step yearNotReleasedNamingSwitchDay(const char* text) {
  return machinery::body<&header_rules_internal::yearNotReleasedNamingSwitchDay>(text);
}

// BBNRLB, BBNRAS: not supplied, or no ordinary company number
// (F_PruefeBetriebsnummer).
consteval Step companyNumberRefused(const char* text) {
  return machinery::body<&header_rules_internal::companyNumber>(text);
}

// BBNRLB, BBNRAS: from reporting year 2018 on, a query or report that is no
// cancellation may not give a carrier of annex 20.
consteval Step carrierAsCompanyNumber(const char* text) {
  return machinery::body<&header_rules_internal::carrierAsCompanyNumber>(text);
}

// UNRS, once numeric: all zeros (F_IstNullen) while the reporting year
// MJAHR, four digits, is after 2023; otherwise, the twelfth character not
// the check digit (F_GibUnrsPruefziffer) of the first eleven.
consteval Step enterpriseNumberRefused(const char* zeros, const char* check_digit) {
  return machinery::body<&header_rules_internal::enterpriseNumber>(zeros, check_digit);
}

// MNR where an enterprise number UNRS may stand for it: empty (missing or
// blank) while UNRS is missing or all zeros; then too long; then, when it
// is not empty, the carrier's rules as membershipNumberRefused().
consteval Step membershipOrEnterpriseNumberRefused(const char* empty, const char* length,
                                                   const char* characters) {
  return machinery::body<&header_rules_internal::membershipOrEnterpriseNumber>(empty, length,
                                                                               characters);
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_HEADER_RULES_H_
