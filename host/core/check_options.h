// What a check is configured with: processing date, init parameters,
// problem-weight level and a forced record type.

#ifndef VEXAL_HOST_CORE_CHECK_OPTIONS_H_
#define VEXAL_HOST_CORE_CHECK_OPTIONS_H_

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pl/runtime_context.h"

namespace vexal::core {

struct Date {
  int year;
  int month;
  int day;
};

// Reads "JJJJMMTT": eight digits forming a real calendar day.
std::optional<Date> parseDate(std::string_view text);

// The init parameter every check gets unless it is set otherwise.
inline constexpr char kLeapDayParameter[] = "ipMjahrSchalttag";
inline constexpr char kLeapDayDefault[] = "1201";

// An init parameter a check knows, as `vexal params` describes it.
struct InitParameter {
  const char* name;
  const char* default_value;
  const char* format;
  const char* meaning;
};

// The init parameters a check knows. ipMjahrSchalttag is the month and
// day (MMTT) after which the next reporting year is open.
inline constexpr InitParameter kInitParameterTable[] = {
    {kLeapDayParameter, kLeapDayDefault, "MMTT, a day every year has (0101-1231, not 0229)",
     "the day after which the next reporting year is open: a report for the\n"
     "  reporting year (MJAHR) after the year of the processing date is refused\n"
     "  up to this day of that year and accepted after it; 1201 opens the next\n"
     "  year from 2 December. Findings about it name the day as TT.MM."},
};

// Why the init parameters of a check are wrong, or "": a name that is no
// init parameter, or an ipMjahrSchalttag that is not a day every year has
// (0101-1231, not 0229). Texts are Windows-1252.
std::string initParameterError(const std::vector<std::pair<std::string, std::string>>& params);

// Texts are Windows-1252, as the library reads them.
struct CheckOptions {
  std::optional<Date> today;  // empty: the local date
  // In the order they are set, the default first; a later one wins.
  std::vector<std::pair<std::string, std::string>> params = {{kLeapDayParameter, kLeapDayDefault}};
  int level = 1;            // problem-weight level
  std::string record_type;  // empty: told from each line
};

// Sets processing date, init parameters and problem-weight level.
void configureContext(pl::RuntimeContext& ctx, const CheckOptions& options);

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_CHECK_OPTIONS_H_
