#include "machinery/internal/problem.h"

#include <cstring>
#include <new>
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

// makeProblem without its id when the caller sets the final one.
pl::PlausiProblem* newProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                              const char* id, bool set_id) {
  Found found;
  if (id != nullptr && id[0] != '\0') {
    const std::string_view key(id);
    find(record.root, key, found, /*procedures=*/true);
    if (found.topic == nullptr) find(record.root, key, found, /*procedures=*/false);
  }
  if (found.procedure != nullptr) {
    const char* description = found.procedure->fixed_message ? found.procedure->fixed_message
                                                             : texts::kDescriptionPlaceholder;
    pl::PlausiProblem* problem = ctx->createProblem(pl::ProblemType::kRule, 1);
    if (set_id) problem->setId(id);
    problem->setShortDescription(description);
    problem->setLongDescription(description);
    problem->setCorrectionInfo(texts::kCorrectionInfo);
    problem->setReferenceTopic(found.topic->name);
    return problem;
  }
  if (found.field != nullptr) {
    const FieldRow& field = *found.field;
    pl::PlausiProblem* problem = ctx->createProblem(pl::ProblemType::kField, 9);
    if (set_id) problem->setId(id);
    problem->setShortDescription(texts::kFieldProblem);
    problem->setLongDescription(texts::kFieldProblem);
    problem->setCorrectionInfo(texts::kCorrectionInfo);
    problem->setReferenceTopic(texts::kFieldCheckTopic);
    problem->setFieldType(field.runtimeType());
    problem->setFieldDisplayName(id);
    if (const char* mask = maskOf(field)) problem->setFieldMask(mask);
    problem->setFieldLength(static_cast<int>(field.length));
    return problem;
  }
  throw pl::PlausiException(pl::ExceptionType::kNameMissing, texts::kUnknownCheckKey);
}

}  // namespace

pl::PlausiProblem* makeProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record,
                               const char* id) {
  return newProblem(ctx, record, id, /*set_id=*/true);
}

void writeProblem(pl::RuntimeContext* ctx, const RecordCatalogue& record, const char* id,
                  pl::ProblemInfoType info_type, const char* exception_text,
                  pl::LocalVariable* hf_fehlertext) {
  // The id is set once, below, in its final form.
  pl::PlausiProblem* problem = newProblem(ctx, record, id, /*set_id=*/false);
  problem->setInfoType(info_type);

  const bool text_of_rule =
      hf_fehlertext != nullptr && problem->getProblemType() == pl::ProblemType::kRule &&
      std::strcmp(problem->getShortDescription(), texts::kDescriptionPlaceholder) == 0;
  if (text_of_rule && exception_text != nullptr) {
    // The rule function threw: what hf_fehlertext holds then is whatever
    // an earlier check left there, so the finding says what happened, as
    // the error line does.
    char text[kDescriptionBuffer];
    TextBuffer(text, sizeof text)
        .append(texts::kErrorDuringExecution)
        .append(id)
        .append(" (")
        .append(exception_text)
        .append(")");
    problem->setShortDescription(text);
    problem->setLongDescription(text);
  } else if (text_of_rule) {
    try {
      // At most the buffer's length, and the short text as is.
      const char* text = hf_fehlertext->get(ctx)->getString();
      char cut[kDescriptionBuffer];
      if (std::memchr(text, '\0', sizeof cut) == nullptr) {
        text = TextBuffer(cut, sizeof cut).append(text).c_str();
      }
      problem->setShortDescription(text);
      problem->setLongDescription(text);
    } catch (pl::PlausiException* e) {
      delete e;  // the descriptions keep what they had
    } catch (const std::bad_alloc&) {
      throw;  // ends the whole check (see runCheckProcedure)
    } catch (...) {
    }
  }

  pl::FieldDescriptor* current = ctx->getCurrentField();
  problem->setReferenceField(current);
  char id_text[kIdBuffer];
  TextBuffer final_id(id_text, sizeof id_text);
  // The reference field keeps its hierarchy text: the id starts with it.
  if (current != nullptr) final_id.append(problem->getReferenceFieldHierarchy());
  final_id.append("#").append(id);
  problem->setId(final_id.c_str());
  problem->setException(exception_text);

  ctx->getLogger().trace() << texts::kProblemWritten << problem->getId();
  ctx->setSectionInfosToProblem(problem);
}

}  // namespace vexal::machinery
