#include "cli/value_text.h"

namespace vexal::cli {

const char* valueKindName(const pl::Value& value) {
  using Kind = pl::Value::Kind;
  switch (value.getKind()) {
    case Kind::kInvalid:
      return "invalid";
    case Kind::kString:
      return "string";
    case Kind::kNumber:
      return "number";
    case Kind::kBool:
      return "bool";
    case Kind::kDate:
      return "date";
    case Kind::kIntervalRange:
      return "interval_range";
    case Kind::kSequenceRange:
      return "sequence_range";
    case Kind::kRangeSeries:
      return "range_series";
  }
  return "unknown";
}

std::string valueText(const pl::Value& value) {
  using Kind = pl::Value::Kind;
  switch (value.getKind()) {
    case Kind::kInvalid:
      return "(invalid)";
    case Kind::kString:
      return std::string(static_cast<const pl::StringValue&>(value).view());
    case Kind::kNumber:
    case Kind::kBool:
    case Kind::kDate:
      return value.getString();
    case Kind::kIntervalRange:
    case Kind::kSequenceRange:
    case Kind::kRangeSeries:
      break;
  }
  return std::string("(") + valueKindName(value) + ")";
}

}  // namespace vexal::cli
