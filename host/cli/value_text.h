// How `vexal call` shows a value of the rule language.

#ifndef VEXAL_HOST_CLI_VALUE_TEXT_H_
#define VEXAL_HOST_CLI_VALUE_TEXT_H_

#include <string>

#include "pl/value.h"

namespace vexal::cli {

// "string", "number", "bool", "date", "invalid", "interval_range",
// "sequence_range" or "range_series".
const char* valueKindName(const pl::Value& value);

// The value for a text line, Latin-1: a string's bytes, a number's plain
// decimals, true/false, JJJJMMTT, "(invalid)", or the kind in parentheses
// for ranges.
std::string valueText(const pl::Value& value);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_VALUE_TEXT_H_
