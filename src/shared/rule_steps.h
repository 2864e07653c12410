// The tests that checking rule functions of every record type are made of,
// for the rows of check_rows.h. Each works on the check's own field and
// fails the rule with its text when its condition holds; its name says the
// condition. "Feldinhalt zu lang." is the text of tooLong().
//
//   check("P_PIN", "F_PruefePIN", missing(k220), notNumeric(k220), tooLong(),
//         atMost(9999, k221))

#ifndef VEXAL_SHARED_RULE_STEPS_H_
#define VEXAL_SHARED_RULE_STEPS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <concepts>

#include "machinery/catalogue.h"
#include "machinery/rule_function.h"

namespace vexal::shared {

using machinery::kPassDigits;
using machinery::kPassNotBlank;
using machinery::kPassOneOf;
using machinery::kPassOnlyBlanks;
using machinery::kPassSupplied;
using machinery::kPassWithinLength;
using machinery::PassWhen;
using machinery::RuleCall;
using machinery::Step;

namespace rule_steps_internal {

void failIfMissing(RuleCall& rule);
void failIfBlank(RuleCall& rule);
void failIfEmptyTrimmed(RuleCall& rule);
void failIfSuppliedNotBlank(RuleCall& rule);
void failIfNotNumeric(RuleCall& rule);
void failIfNotLeftAligned(RuleCall& rule);
void failIfTooLong(RuleCall& rule);
void failIfLongerThan(RuleCall& rule);
void failIfShorterThan(RuleCall& rule);
void failIfNotOneOf(RuleCall& rule);
void failIfAtMost(RuleCall& rule);

constexpr Step step(Step::Body body, const char* text, long long number = 0) {
  Step s;
  s.body = body;
  s.texts[0] = text;
  s.number = number;
  return s;
}

// A test that surely passes for a value that meets `when` (PassWhen bits).
constexpr Step passing(Step s, PassWhen when) {
  s.pass_when = when;
  return s;
}

template <std::same_as<const char*>... Literals>
constexpr Step withLiterals(Step s, Literals... literals) {
  static_assert(sizeof...(Literals) >= 1 && sizeof...(Literals) <= Step::kMaxLiterals,
                "one to six literals");
  s.literals = {std::string_view(literals)...};
  s.literal_count = sizeof...(Literals);
  return s;
}

}  // namespace rule_steps_internal

// The record does not supply the field.
consteval Step missing(const char* text) {
  return rule_steps_internal::passing(
      rule_steps_internal::step(&rule_steps_internal::failIfMissing, text), kPassSupplied);
}

// Not supplied, or only blanks (F_IstLeerzeichen, asked only of a supplied
// value).
consteval Step blank(const char* text) {
  return rule_steps_internal::passing(
      rule_steps_internal::step(&rule_steps_internal::failIfBlank, text), kPassNotBlank);
}

// Not supplied, or empty once trimmed (F_Trim).
consteval Step emptyTrimmed(const char* text) {
  return rule_steps_internal::passing(
      rule_steps_internal::step(&rule_steps_internal::failIfEmptyTrimmed, text), kPassNotBlank);
}

// Supplied and not only blanks: a field that must stay blank.
consteval Step suppliedNotBlank(const char* text) {
  return rule_steps_internal::passing(
      rule_steps_internal::step(&rule_steps_internal::failIfSuppliedNotBlank, text),
      kPassOnlyBlanks);
}

// NUMERISCH is false; so it is for a field not supplied, and a row need not
// test for that first with the same text.
consteval Step notNumeric(const char* text) {
  return rule_steps_internal::passing(
      rule_steps_internal::step(&rule_steps_internal::failIfNotNumeric, text), kPassDigits);
}

// F_IstLinksbündig is false: blanks before the first other character.
consteval Step notLeftAligned(const char* text) {
  return rule_steps_internal::step(&rule_steps_internal::failIfNotLeftAligned, text);
}

// Longer than the field's length in the layout: "Feldinhalt zu lang.".
consteval Step tooLong() {
  return rule_steps_internal::passing(
      rule_steps_internal::step(&rule_steps_internal::failIfTooLong, nullptr), kPassWithinLength);
}

// Longer or shorter than `length` characters (WERTLAENGE).
consteval Step longerThan(long long length, const char* text) {
  return rule_steps_internal::step(&rule_steps_internal::failIfLongerThan, text, length);
}
consteval Step shorterThan(long long length, const char* text) {
  return rule_steps_internal::step(&rule_steps_internal::failIfShorterThan, text, length);
}

// Equal to none of the literals (a range series tested with contains); so
// is a field not supplied.
template <std::same_as<const char*>... Literals>
consteval Step notOneOf(const char* text, Literals... literals) {
  return rule_steps_internal::withLiterals(
      rule_steps_internal::passing(
          rule_steps_internal::step(&rule_steps_internal::failIfNotOneOf, text), kPassOneOf),
      literals...);
}

// A number not greater than `limit` (le with a plain number).
consteval Step atMost(long long limit, const char* text) {
  return rule_steps_internal::step(&rule_steps_internal::failIfAtMost, text, limit);
}

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_RULE_STEPS_H_
