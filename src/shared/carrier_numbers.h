// The company numbers of the accident-insurance carriers and the rules for
// their membership numbers, with the rule functions that consult them.
// Carrier numbers are eight digits, compared as texts. Each function runs
// in its section "Funktion <name>"; by-name parameter names in quotes.

#ifndef VEXAL_SHARED_CARRIER_NUMBERS_H_
#define VEXAL_SHARED_CARRIER_NUMBERS_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <span>
#include <string_view>

#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::shared {

// The carriers of annex 20 (54 numbers), of annex 7 (39 of them) and of
// annex 19b (27 of them).
extern const std::span<const std::string_view> kAnnex20Carriers;
extern const std::span<const std::string_view> kAnnex7Carriers;
extern const std::span<const std::string_view> kAnnex19bCarriers;

// The membership-number rule of one carrier: the allowed length of the
// trimmed number (bounds inclusive) and the characters allowed after
// upper-casing, or null for a carrier without a character rule.
struct MembershipNumberRule {
  std::string_view carrier;
  unsigned min_length;
  unsigned max_length;
  const char* characters;
};
extern const std::span<const MembershipNumberRule> kMembershipNumberRules;

// True when the trimmed "wert" is a carrier of annex 20.
pl::Value* F_IstBbnrAnlage20(pl::RuntimeContext* ctx, pl::Value* wert);

// True when the trimmed "wert" is a carrier of annex 19b.
pl::Value* F_IstBbnrAnlage19b(pl::RuntimeContext* ctx, pl::Value* wert);

// True when the trimmed "paramBbnr" is a carrier of annex 7. Given the
// record's reporting year `mjahr` (null for none), two carriers are
// refused from a year on when it is numeric: 18477668 after 2018 and
// 52738475 after 2019.
pl::Value* F_IstBbnrAnlage7(pl::RuntimeContext* ctx, pl::Value* paramBbnr, const pl::Value* mjahr);
// What F_IstBbnrAnlage7 answers without a year for a text that is trimmed
// already: one of the annex's numbers.
bool isAnnex7Carrier(std::string_view trimmed);

// What F_IstBbnrAnlage20 and F_IstBbnrAnlage7 answer, for rule code: on
// the bytes of a text when no section observer listens, else by calling
// the function, whose section the observer then sees.
bool isAnnex20Carrier(pl::RuntimeContext* ctx, pl::Value* wert);
bool isAnnex7Carrier(pl::RuntimeContext* ctx, pl::Value* paramBbnr, const pl::Value* mjahr);

// The membership-number rule of a carrier given as its trimmed text, or
// null; and whether a trimmed membership number has only characters the
// rule allows (any, for a rule without characters). Together they answer
// F_GibZulaessigeMNRLaenge and F_IstMNRZeichenZulaessig on the bytes.
const MembershipNumberRule* membershipNumberRuleOf(std::string_view carrier);
// F_Trim of a carrier's field, quickly for a field of fifteen characters
// that holds eight at its start and blanks after them.
std::string_view trimmedCarrier(const pl::StringValue& field);
bool allowsCharacters(const MembershipNumberRule& rule, std::string_view mnr);

// Whether a length ("mnrLaenge") is allowed for the membership numbers of
// carrier "uvtraeger": true or false, the invalid value for a carrier
// without a rule.
pl::Value* F_GibZulaessigeMNRLaenge(pl::RuntimeContext* ctx, pl::Value* uvtraeger,
                                    pl::Value* mnrLaenge);

// Whether every character of "mnr", upper-cased, is allowed for carrier
// "uvtraeger"; true for a carrier without a character rule.
pl::Value* F_IstMNRZeichenZulaessig(pl::RuntimeContext* ctx, pl::Value* uvtraeger, pl::Value* mnr);

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_CARRIER_NUMBERS_H_
