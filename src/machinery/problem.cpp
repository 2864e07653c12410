#include "machinery/internal/problem.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <string_view>

#include "machinery/texts.h"
#include "pl/field_descriptor.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/value.h"

namespace vexal::machinery {
namespace {

constexpr std::size_t kDescriptionBuffer = 2048;
constexpr std::size_t kIdBuffer = 1024;

// Copies pieces into a fixed buffer, cutting what does not fit.
class TextBuffer {
 public:
  TextBuffer(char* buffer, std::size_t capacity) : buffer_(buffer), capacity_(capacity) {
    buffer_[0] = '\0';
  }
  TextBuffer& append(const char* text) {
    if (text == nullptr) return *this;
    const std::size_t room = capacity_ - 1 - size_;
    const void* end = std::memchr(text, '\0', room);
    const std::size_t n = end != nullptr ? static_cast<const char*>(end) - text : room;
    std::memcpy(buffer_ + size_, text, n);
    size_ += n;
    buffer_[size_] = '\0';
    return *this;
  }
  const char* c_str() const { return buffer_; }

 private:
  char* buffer_;
  std::size_t capacity_;
  std::size_t size_ = 0;
};

struct Found {
  const TopicTable* topic = nullptr;
  const ProcedureRow* procedure = nullptr;
  const FieldRow* field = nullptr;
};

// Looks the id up in a topic and its sub-topics: procedures first, then
// fields. A block field that shares its short name with a root field
// shares its id; the first match wins. Procedure names carry their length,
// so most of them are passed over without comparing a byte.
void find(const TopicTable& topic, std::string_view id, Found& found, bool procedures) {
  if (procedures) {
    for (const ProcedureRow& procedure : topic.checks.procedures) {
      const auto& name = procedure.name.name;
      if (name.size == id.size() && std::memcmp(name.text, id.data(), id.size()) == 0) {
        found = {&topic, &procedure, nullptr};
        return;
      }
    }
  } else {
    for (const FieldRow& field : topic.fields) {
      if (field.name[0] == id[0] && id == field.name) {
        found = {&topic, nullptr, &field};
        return;
      }
    }
  }
  for (const GroupRow& group : topic.groups) {
    find(*group.element, id, found, procedures);
    if (found.topic != nullptr) return;
  }
}

// The catalogue's texts with their lengths, measured when compiled.
constexpr std::string_view kPlaceholder = texts::kDescriptionPlaceholder;
constexpr std::string_view kFieldProblem = texts::kFieldProblem;
constexpr std::string_view kCorrectionInfo = texts::kCorrectionInfo;
constexpr std::string_view kFieldCheckTopic = texts::kFieldCheckTopic;

// The procedure or field of a check id; throws PlausiException type 9 for
// an id the record type does not know.
Found lookUp(const RecordCatalogue& record, std::string_view id) {
  Found found;
  if (!id.empty()) {
    find(record.root, id, found, /*procedures=*/true);
    if (found.topic == nullptr) find(record.root, id, found, /*procedures=*/false);
  }
  if (found.topic == nullptr) {
    throw pl::PlausiException(pl::ExceptionType::kNameMissing, texts::kUnknownCheckKey);
  }
  return found;
}

// A rule finding of a procedure, with its descriptions yet to be set.
pl::PlausiProblem* newRuleProblem(pl::RuntimeContext* ctx, const Found& found) {
  pl::PlausiProblem* problem = ctx->createProblem(pl::ProblemType::kRule, 1);
  problem->setCorrectionInfo(kCorrectionInfo);
  problem->setReferenceTopic(found.topic->name);
  return problem;
}

// The finding of a field's own check, the display name being its id.
pl::PlausiProblem* newFieldProblem(pl::RuntimeContext* ctx, const FieldRow& field,
                                   std::string_view id) {
  pl::PlausiProblem* problem = ctx->createProblem(pl::ProblemType::kField, 9);
  problem->setDescriptions(kFieldProblem);
  problem->setCorrectionInfo(kCorrectionInfo);
  problem->setReferenceTopic(kFieldCheckTopic);
  problem->setFieldType(field.runtimeType());
  problem->setFieldDisplayName(id);
  if (const char* mask = maskOf(field)) problem->setFieldMask(mask);
  problem->setFieldLength(static_cast<int>(field.length));
  return problem;
}

}  // namespace

pl::PlausiProblem* makeProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                               const char* id) {
  const std::string_view key = id != nullptr ? std::string_view(id) : std::string_view();
  const Found found = lookUp(record, key);
  if (found.procedure == nullptr) {
    pl::PlausiProblem* problem = newFieldProblem(ctx, *found.field, key);
    problem->setId(key);
    return problem;
  }
  pl::PlausiProblem* problem = newRuleProblem(ctx, found);
  problem->setId(key);
  const char* fixed = found.procedure->fixed_message;
  problem->setDescriptions(fixed != nullptr ? std::string_view(fixed) : kPlaceholder);
  return problem;
}

namespace {

// writeProblem() for the id `key` once it is looked up.
void writeFound(pl::RuntimeContext* ctx, const Found& found, const char* id, std::string_view key,
                pl::ProblemInfoType info_type, const char* exception_text,
                pl::LocalVariable* hf_fehlertext) {
  pl::PlausiProblem* problem;
  if (found.procedure == nullptr) {
    problem = newFieldProblem(ctx, *found.field, key);
  } else {
    problem = newRuleProblem(ctx, found);
    const char* fixed = found.procedure->fixed_message;
    const bool text_of_rule =
        hf_fehlertext != nullptr && (fixed == nullptr || fixed == kPlaceholder);
    std::string_view description = fixed != nullptr ? std::string_view(fixed) : kPlaceholder;
    char text[kDescriptionBuffer];
    if (text_of_rule && exception_text != nullptr) {
      // The rule function threw: what hf_fehlertext holds then is whatever
      // an earlier check left there, so the finding says what happened, as
      // the error line does.
      TextBuffer(text, sizeof text)
          .append(texts::kErrorDuringExecution)
          .append(id)
          .append(" (")
          .append(exception_text)
          .append(")");
      description = text;
    } else if (text_of_rule) {
      try {
        // At most the buffer's length, and the short text as is. A text
        // is read where the variable keeps it.
        const std::optional<std::string_view> text_held = hf_fehlertext->heldText();
        const char* held = text_held ? text_held->data() : hf_fehlertext->get(ctx)->getString();
        const void* end = std::memchr(held, '\0', sizeof text);
        description = end != nullptr
                          ? std::string_view(held, static_cast<const char*>(end) - held)
                          : std::string_view(TextBuffer(text, sizeof text).append(held).c_str());
      } catch (pl::PlausiException* e) {
        delete e;  // the descriptions keep what they had
      } catch (const std::bad_alloc&) {
        throw;  // ends the whole check (see runCheckProcedure)
      } catch (...) {
      }
    }
    problem->setDescriptions(description);
  }
  problem->setInfoType(info_type);

  pl::FieldDescriptor* current = ctx->getCurrentField();
  // The reference field keeps its hierarchy text: the id starts with it.
  const char* hierarchy = current != nullptr ? current->getHierarchyAsString() : nullptr;
  const std::string_view place =
      hierarchy != nullptr ? std::string_view(hierarchy) : std::string_view();
  if (hierarchy != nullptr) {
    problem->setReferenceField(current, place);
  } else {
    problem->setReferenceField(current);
  }
  // place#id, cut to the id buffer's length.
  char id_text[kIdBuffer];
  std::size_t size = std::min(place.size(), kIdBuffer - 1);
  if (size != 0) std::memcpy(id_text, place.data(), size);
  if (size < kIdBuffer - 1) id_text[size++] = '#';
  const std::size_t check = std::min(key.size(), kIdBuffer - 1 - size);
  std::memcpy(id_text + size, key.data(), check);
  size += check;
  problem->setId(std::string_view(id_text, size));
  problem->setException(exception_text);

  if (pl::LogStream trace = ctx->getLogger().trace(); trace.enabled()) {
    trace << texts::kProblemWritten << problem->getId();
  }
  ctx->setSectionInfosToProblem(problem);
}

}  // namespace

void writeProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record, const char* id,
                  pl::ProblemInfoType info_type, const char* exception_text,
                  pl::LocalVariable* hf_fehlertext) {
  const std::string_view key = id != nullptr ? std::string_view(id) : std::string_view();
  writeFound(ctx, lookUp(record, key), id, key, info_type, exception_text, hf_fehlertext);
}

void writeProcedureProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                           const TopicTable& topic, const ProcedureRow& procedure,
                           const char* exception_text, pl::LocalVariable* hf_fehlertext) {
  const char* id = procedure.name.name.c_str();
  const std::string_view key(id, procedure.name.name.size);
  // The root topic is searched first, and holds each name once: a root
  // procedure is what its id looks up.
  const Found found =
      &topic == &record.root ? Found{&topic, &procedure, nullptr} : lookUp(record, key);
  writeFound(ctx, found, id, key, pl::ProblemInfoType::kGeneral, exception_text, hf_fehlertext);
}

}  // namespace vexal::machinery
