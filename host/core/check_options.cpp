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

void configureContext(pl::RuntimeContext& ctx, const CheckOptions& options) {
  if (options.today)
    ctx.setProcessingDate(options.today->year, options.today->month, options.today->day);
  for (const auto& [name, value] : options.params) ctx.setInitParam(name, value);
  ctx.setProblemWeightLevel(options.level);
}

}  // namespace vexal::core
