// The context of a check run.

#ifndef VEXAL_RUNTIME_PL_RUNTIME_CONTEXT_H_
#define VEXAL_RUNTIME_PL_RUNTIME_CONTEXT_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "pl/arena.h"
#include "pl/logger.h"
#include "pl/plausi_problem.h"
#include "pl/types.h"
#include "pl/value.h"

namespace pl {

class DataRecord;
class FieldDescriptor;

// Told about every section a check opens and leaves (tests, debugging).
class SectionObserver {
 public:
  virtual ~SectionObserver() = default;
  virtual void onStart(const char* title, bool flag, std::size_t depth) = 0;
  virtual void onLeave(const char* title, std::size_t depth) = 0;
};

// Everything one check run needs and produces: the host's configuration
// (problem-weight level, init parameters, processing date, the record under
// check, log sinks), the values made while checking, the open sections, the
// current field and the findings. Owns its values and findings and releases
// them all at once in reset(), which the host calls between records. Not
// thread-safe: one context per thread, each used by one check at a time.
class RuntimeContext {
 public:
  RuntimeContext();
  RuntimeContext(const RuntimeContext&) = delete;
  RuntimeContext& operator=(const RuntimeContext&) = delete;
  ~RuntimeContext();

  // --- Host configuration; survives reset().
  void setProblemWeightLevel(int level) { weight_level_ = level; }
  int getProblemWeightLevel() const { return weight_level_; }
  void setInitParam(std::string_view name, std::string_view value);
  void removeInitParam(std::string_view name);
  void clearInitParams() { init_params_.clear(); }
  // The parameter's text as a string value, or the invalid value when the
  // host did not set it.
  Value* getInitParam(const char* name);
  // The date HEUTE answers. Throws PlausiException for an impossible date.
  // Default: the local date when the context was made.
  void setProcessingDate(int year, int month, int day);
  const DateValue& processingDate() const { return today_; }
  // Not owned; null when there is none.
  void setDataRecord(const DataRecord* record) { record_ = record; }
  const DataRecord* getDataRecord() const { return record_; }
  Logger& getLogger() { return logger_; }
  void setSectionObserver(SectionObserver* observer) { observer_ = observer; }
  bool hasSectionObserver() const { return observer_ != nullptr; }

  // Releases every value and finding made since the last reset, closes any
  // sections left open, clears the current field and the kept error lines.
  void reset();
  // Names the span between two resets: changes at every reset() and starts
  // at a random number, so that another context at the same address does
  // not take it up. A value made here lives while the epoch it was made in
  // lasts.
  std::uint64_t epoch() const { return epoch_; }

  // --- Values. Each lives until reset().
  Value* createStringValue(const char* text);
  Value* createStringValue(const char* data, std::size_t size);
  Value* createStringValue(std::string_view text) {
    return createStringValue(text.data(), text.size());
  }
  // A text of bytes that stay where they are until reset(): another
  // value's, or the record's. Views them instead of copying.
  Value* createStringView(std::string_view bytes) {
    return arena_.make<StringValue>(bytes.data(), bytes.size(), &arena_);
  }
  Value* createNumberValue(long double number);
  Value* createBoolValue(bool value) { return value ? &true_ : &false_; }
  Value* createInvalidValue() { return &invalid_; }
  // Reads a date from text in the given format; "JJJJMMTT" is the one
  // format known. Throws PlausiException naming the text when it is no
  // valid date (or the value is no text).
  Value* createDateValue(const char* text, const char* format);
  // The same for a text of known length (which may hold NUL bytes).
  Value* createDateValue(std::string_view text, const char* format);
  Value* createDateValue(const Value* text, const char* format);
  Value* createIntervalRange(const Value* low, const Value* high, IntervalType type);
  Value* createSequenceRange(const Value* first, const Value* second, const Value* last);
  // Copies the array of count values.
  Value* createRangeSeries(int count, const Value* const* values);

  // --- Sections. The title must stay valid until the section is left.
  void startNewSection(const char* title, bool flag);
  // Does nothing when no section is open.
  void leaveCurrentSection();
  std::size_t getSectionDepth() const { return sections_.size(); }
  // A section that no finding is ever written in, such as a rule
  // function's: only a SectionObserver can tell it is open, so it opens
  // only while one listens, and costs a test otherwise. Returns whether it
  // opened; leaveQuietSection() takes that answer.
  bool startQuietSection(const char* title, bool flag) {
    if (observer_ == nullptr) return false;
    startNewSection(title, flag);
    return true;
  }
  void leaveQuietSection(bool opened) {
    if (opened) leaveCurrentSection();
  }

  // --- Current field (not owned).
  void setCurrentField(FieldDescriptor* field) { current_field_ = field; }
  FieldDescriptor* getCurrentField() const { return current_field_; }

  // --- Findings, in creation order.
  PlausiProblem* createProblem(ProblemType type, int weight);
  // Records the open sections on the finding.
  void setSectionInfosToProblem(PlausiProblem* problem);
  std::size_t getProblemCount() const { return problems_.size(); }
  PlausiProblem* getProblem(std::size_t i) const { return problems_[i]; }

  Arena& arena() { return arena_; }

 private:
  Arena arena_;
  InvalidValue invalid_;
  BoolValue true_{true};
  BoolValue false_{false};
  NumberValue zero_{0};
  NumberValue one_{1};
  DateValue today_;
  int weight_level_ = 1;
  std::map<std::string, std::string, std::less<>> init_params_;
  const DataRecord* record_ = nullptr;
  Logger logger_;
  SectionObserver* observer_ = nullptr;
  std::vector<SectionInfo> sections_;
  FieldDescriptor* current_field_ = nullptr;
  std::vector<PlausiProblem*> problems_;
  std::uint64_t epoch_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_RUNTIME_CONTEXT_H_
