#include "cli/finding_text.h"

#include <cstring>

#include "pl/field_descriptor.h"
#include "pl/type_descriptor.h"

namespace vexal::cli {
namespace {

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The last name of a place, without its occurrence: "BBNRGT" for
// "UV[2].BBNRGT".
std::string_view lastName(std::string_view place) {
  std::size_t dot = place.rfind('.');
  std::string_view name = dot == std::string_view::npos ? place : place.substr(dot + 1);
  return name.substr(0, name.find('['));
}

const char* typeName(pl::FieldType type) {
  switch (type) {
    case pl::FieldType::kAlphanumeric:
      return "alphanumeric";
    case pl::FieldType::kNumeric:
      return "numeric";
    case pl::FieldType::kDateTime:
      return "date/time";
    case pl::FieldType::kTopic:
      return "topic";
  }
  return "unknown";
}

}  // namespace

std::string_view errorCode(const char* short_description) {
  if (short_description == nullptr) return {};
  std::string_view text(short_description);
  std::string_view word = text.substr(0, text.find(' '));
  std::size_t letters = 0;
  while (letters < word.size() && isUpper(word[letters])) ++letters;
  if (letters == 0 || word.size() != letters + 3) return {};
  for (std::size_t i = letters; i < word.size(); ++i) {
    if (!isDigit(word[i])) return {};
  }
  return word;
}

std::string_view checkOf(std::string_view id) {
  std::size_t hash = id.rfind('#');
  return hash == std::string_view::npos ? id : id.substr(hash + 1);
}

std::string findingLabel(std::string_view id) {
  std::size_t hash = id.rfind('#');
  if (hash == std::string_view::npos) return std::string(id);
  std::string_view place = id.substr(0, hash);
  std::string_view check = id.substr(hash + 1);
  if (place.empty()) return std::string(check);
  if (lastName(place) == check) return std::string(place);
  std::string label(place);
  label.append(" ").append(check);
  return label;
}

const char* fieldDisplayName(const pl::PlausiProblem& problem) {
  if (pl::FieldDescriptor* field = problem.getReferenceField()) {
    if (pl::TypeDescriptor* type = field->getTypeDescriptor()) {
      if (const char* name = type->getDisplayName()) return name;
    }
  }
  return problem.getFieldDisplayName();
}

std::string describeFinding(const pl::PlausiProblem& problem) {
  std::string text;
  const char* exception = problem.getException();
  if (problem.getProblemType() != pl::ProblemType::kField) {
    const char* description = problem.getShortDescription();
    text = description != nullptr ? description : "(no description)";
  } else {
    const char* display = fieldDisplayName(problem);
    std::string_view check = checkOf(problem.getId() ? problem.getId() : "");
    text = "field ";
    if (display != nullptr && check != display) {
      text.append(display).append(" (").append(check).append(")");
    } else {
      text.append(check);
    }
    switch (problem.getInfoType()) {
      case pl::ProblemInfoType::kInvalid:
        text += " not supplied";
        break;
      case pl::ProblemInfoType::kTooLong:
        text += " too long";
        if (problem.hasFieldLength()) {
          text += " (more than " + std::to_string(problem.getFieldLength()) + " characters)";
        }
        break;
      case pl::ProblemInfoType::kNotTypeConform:
        text += " does not conform to its type";
        if (problem.hasFieldType()) {
          text.append(" ").append(typeName(problem.getFieldType()));
        }
        if (const char* mask = problem.getFieldMask())
          text.append(" (mask ").append(mask).append(")");
        break;
      case pl::ProblemInfoType::kGeneral:
        text += exception != nullptr ? ": error while checking" : ": checked with a finding";
        break;
    }
  }
  if (exception != nullptr && *exception != '\0') text.append(": ").append(exception);
  return text;
}

}  // namespace vexal::cli
