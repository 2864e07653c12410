#include "core/finding_text.h"

#include <charconv>
#include <cstring>

#include "pl/field_descriptor.h"
#include "pl/type_descriptor.h"

namespace vexal::core {
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
  // Read up to the end of the word, never further: letters, three digits,
  // then a blank or the end of the text.
  if (short_description == nullptr) return {};
  const char* text = short_description;
  std::size_t letters = 0;
  while (isUpper(text[letters])) ++letters;
  if (letters == 0) return {};
  for (std::size_t i = letters; i < letters + 3; ++i) {
    if (!isDigit(text[i])) return {};
  }
  const char after = text[letters + 3];
  if (after != ' ' && after != '\0') return {};
  return std::string_view(text, letters + 3);
}

std::string_view checkOf(std::string_view id) {
  std::size_t hash = id.rfind('#');
  return hash == std::string_view::npos ? id : id.substr(hash + 1);
}

void appendFindingLabel(std::string& out, std::string_view id) {
  std::size_t hash = id.rfind('#');
  if (hash == std::string_view::npos) {
    out.append(id);
    return;
  }
  std::string_view place = id.substr(0, hash);
  std::string_view check = id.substr(hash + 1);
  if (place.empty()) {
    out.append(check);
  } else if (lastName(place) == check) {
    out.append(place);
  } else {
    out.append(place).append(" ").append(check);
  }
}

std::string findingLabel(std::string_view id) {
  std::string label;
  appendFindingLabel(label, id);
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

Finding findingOf(const pl::PlausiProblem& problem) {
  Finding finding;
  finding.id = problem.getId();
  if (finding.id != nullptr) {
    // The part after the last '#', found in one pass.
    const char* hash = std::strrchr(finding.id, '#');
    finding.check = hash != nullptr ? hash + 1 : finding.id;
  }
  finding.short_description = problem.getShortDescription();
  finding.code = errorCode(finding.short_description);
  finding.problem_type = problem.getProblemType();
  finding.weight = problem.getWeight();
  finding.info_type = problem.getInfoType();
  finding.long_description = problem.getLongDescription();
  finding.correction_info = problem.getCorrectionInfo();
  finding.reference_topic = problem.getReferenceTopic();
  finding.reference_field = problem.getReferenceFieldHierarchy();
  finding.field_display_name = problem.getFieldDisplayName();
  finding.shown_display_name = fieldDisplayName(problem);
  if (problem.hasFieldType()) finding.field_type = problem.getFieldType();
  if (problem.hasFieldLength()) finding.field_length = problem.getFieldLength();
  finding.field_mask = problem.getFieldMask();
  finding.exception = problem.getException();
  return finding;
}

void appendFindingText(std::string& text, const Finding& finding) {
  const char* exception = finding.exception;
  if (finding.problem_type != pl::ProblemType::kField) {
    const char* description = finding.short_description;
    text.append(description != nullptr ? description : "(no description)");
  } else {
    const char* display = finding.shown_display_name;
    std::string_view check = finding.check != nullptr ? finding.check : "";
    text.append("field ");
    if (display != nullptr && check != display) {
      text.append(display).append(" (").append(check).append(")");
    } else {
      text.append(check);
    }
    switch (finding.info_type) {
      case pl::ProblemInfoType::kInvalid:
        text += " not supplied";
        break;
      case pl::ProblemInfoType::kTooLong:
        text += " too long";
        if (finding.field_length) {
          char digits[16];
          const char* end =
              std::to_chars(digits, digits + sizeof digits, *finding.field_length).ptr;
          text.append(" (more than ").append(digits, end - digits).append(" characters)");
        }
        break;
      case pl::ProblemInfoType::kNotTypeConform:
        text += " does not conform to its type";
        if (finding.field_type) text.append(" ").append(typeName(*finding.field_type));
        if (const char* mask = finding.field_mask) text.append(" (mask ").append(mask).append(")");
        break;
      case pl::ProblemInfoType::kGeneral:
        text += exception != nullptr ? ": error while checking" : ": checked with a finding";
        break;
    }
  }
  // A rule that threw names the exception in its description already.
  if (exception != nullptr && *exception != '\0' &&
      (finding.problem_type == pl::ProblemType::kField || finding.short_description == nullptr ||
       std::strstr(finding.short_description, exception) == nullptr)) {
    text.append(": ").append(exception);
  }
}

std::string describeFinding(const Finding& finding) {
  std::string text;
  appendFindingText(text, finding);
  return text;
}

std::string describeFinding(const pl::PlausiProblem& problem) {
  return describeFinding(findingOf(problem));
}

}  // namespace vexal::core
