// Checking record lines, one at a time.

#ifndef VEXAL_HOST_CORE_CHECKER_H_
#define VEXAL_HOST_CORE_CHECKER_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/check_options.h"
#include "core/line_result.h"
#include "core/record_type.h"
#include "core/result_stream.h"
#include "core/rule_sets.h"
#include "pl/check_record.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace vexal::core {

// Checks record lines with the rule sets of a provider: tells each line's
// record type (or takes the forced one), cuts the line by the type's
// layout, runs the rule set and gathers the findings. One RuntimeContext
// for all lines, reset before each; each record type's cutter and record
// checker are made on first use. Borrows the provider, which must outlive
// it; owns context, cutters and the last result. Not thread-safe: a
// checker serves one thread at a time, and separate checkers with
// separate providers check in parallel.
class Checker {
 public:
  explicit Checker(RuleSetProvider& rule_sets);
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;
  ~Checker();

  // Configure the context (processing date, init parameters, level, log
  // sinks) before checking.
  pl::RuntimeContext& context() { return ctx_; }
  // Checks every line as this record type instead of telling it from the
  // line; empty switches back.
  void forceRecordType(std::string record_type) {
    forced_type_ = std::move(record_type);
    forced_ = nullptr;
    last_ = nullptr;
  }
  // Processing date, init parameters, level and forced record type.
  void configure(const CheckOptions& options);

  // A line longer than this is not kept once its result is done with (the
  // longest record, 99 wage-report positions, has 6,656 characters).
  static constexpr std::size_t kLongestKeptLine = std::size_t{1} << 20;

  // Checks one line (Latin-1, without line end) numbered line_number. The
  // result, and the texts it points to, are valid until the next call.
  // Throws std::bad_alloc only; every other failure is the line's error.
  const LineResult& check(std::string_view line, long line_number);
  // The same for a line of a ResultStream: an overlong line gives an error.
  const LineResult& check(const InputLine& line);
  // Gives back the room the last line took when it was longer than
  // kLongestKeptLine; its result is gone then. The next check does it
  // anyway; a caller that may not check again soon calls it itself.
  void releaseLongLine();

 private:
  struct Cutter {
    const LoadedRecordType* type;
    std::unique_ptr<host::RecordInput> input;  // null when the layout cannot be cut
    std::unique_ptr<pl::RecordChecker> checker;
    std::string error;
  };

  // The loaded record type for a line, or null after making the result an
  // error saying why the line cannot be checked.
  const LoadedRecordType* typeOf(std::string_view line);
  Cutter& cutterFor(const LoadedRecordType& type);
  const LineResult& fail(std::string message);

  RuleSetProvider& rule_sets_;
  pl::RuntimeContext ctx_;
  std::string forced_type_;
  // The record type typeOf() found last, for the next line that has the
  // same key (or any line, when forced): the lines of a transmission are
  // mostly of one type, and telling it anew costs more than comparing.
  const LoadedRecordType* forced_ = nullptr;
  const LoadedRecordType* last_ = nullptr;
  RecordTypeKey last_key_{};
  std::vector<Cutter> cutters_;
  std::vector<Finding> findings_;
  LineResult result_;
  host::RecordInput* long_line_input_ = nullptr;  // holds a long line's copy
};

}  // namespace vexal::core

#endif  // VEXAL_HOST_CORE_CHECKER_H_
