#include "core/check_options.h"

#include "pl/value.h"

namespace vexal::core {

std::optional<Date> parseDate(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
  }
  auto number = [&](std::size_t from, std::size_t size) {
    int value = 0;
    for (std::size_t i = from; i < from + size; ++i) value = value * 10 + (text[i] - '0');
    return value;
  };
  Date date{number(0, 4), number(4, 2), number(6, 2)};
  if (!pl::DateValue::isValidDate(date.year, date.month, date.day)) return std::nullopt;
  return date;
}

std::string initParameterError(const std::vector<std::pair<std::string, std::string>>& params) {
  for (const auto& [name, value] : params) {
    if (name != kLeapDayParameter) {
      std::string known;
      for (const InitParameter& parameter : kInitParameterTable) {
        known.append(known.empty() ? "" : ", ").append(parameter.name);
      }
      return "unknown init parameter '" + name + "' (known: " + known + ")";
    }
    // A day of every year: its month's days in a common year.
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool day_of_every_year = value.size() == 4;
    for (char c : value) day_of_every_year = day_of_every_year && c >= '0' && c <= '9';
    if (day_of_every_year) {
      const int month = (value[0] - '0') * 10 + (value[1] - '0');
      const int day = (value[2] - '0') * 10 + (value[3] - '0');
      day_of_every_year = month >= 1 && month <= 12 && day >= 1 && day <= kDays[month - 1];
    }
    if (!day_of_every_year) {
      const std::string shown = value.size() <= 16 ? value : value.substr(0, 16) + "...";
      return name + " wants a day MMTT that every year has (0101-1231, not 0229), not '" + shown +
             "'";
    }
  }
  return {};
}

void configureContext(pl::RuntimeContext& ctx, const CheckOptions& options) {
  if (options.today)
    ctx.setProcessingDate(options.today->year, options.today->month, options.today->day);
  for (const auto& [name, value] : options.params) ctx.setInitParam(name, value);
  ctx.setProblemWeightLevel(options.level);
}

}  // namespace vexal::core
