// Driving vexal check: the items of each file's result stream into a
// report, in one thread or with worker threads, and the runtime's log
// lines beside them.

#ifndef VEXAL_HOST_CLI_CHECK_RUN_H_
#define VEXAL_HOST_CLI_CHECK_RUN_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output.h"
#include "cli/report.h"
#include "cli/terminal.h"
#include "cli/threads.h"
#include "core/check_options.h"
#include "core/checker.h"
#include "core/line_reader.h"
#include "core/rule_sets.h"
#include "pl/logger.h"

namespace vexal::cli {

// Hands a line's result to the report of the file (UTF-8) in the order a
// Report expects, and counts it in the summary. Empty lines give nothing.
// bytes are the line's, for Location::bytes.
void reportResult(const core::LineResult& result, std::string_view file, Report& report,
                  CheckSummary& summary, std::string_view bytes = {});

// Reports a warning about a whole file (see Report::fileWarning) and
// counts it.
void reportFileWarning(std::string_view file, long line, std::string_view message, Report& report,
                       CheckSummary& summary);

// Reports a file that could not be read, or whose reading failed, and
// counts it.
void reportFileError(std::string_view file, std::string_view message, Report& report,
                     CheckSummary& summary);

// Writes each trace and error line as "FILE:LINE: trace: TEXT" (or
// "error:"), UTF-8, buffered; the location comes from where, which the
// owner keeps current (null: no location). Borrows where, and the output
// when given one; else owns a buffer of its own. Install it on a context's
// logger; not thread-safe.
class StderrLog final : public pl::LogSink {
 public:
  StderrLog(std::FILE* err, const Location* where)
      : own_(std::make_unique<Output>(err)), out_(*own_), where_(where) {}
  // Writes into out, e.g. what a worker of a parallel check collects.
  StderrLog(Output& out, const Location* where) : out_(out), where_(where) {}

  void write(pl::LogLevel level, std::string_view line) override;
  void flush() { out_.flush(); }

 private:
  std::unique_ptr<Output> own_;
  Output& out_;
  const Location* where_;
};

// Checks the files of a run in the calling thread: each file's result
// stream, checked by one core::Checker, into the report. Borrows rule
// sets, report and progress meter; owns the core checker. Not
// thread-safe.
class SequentialCheck {
 public:
  SequentialCheck(core::RuleSetProvider& rule_sets, Report& report,
                  ProgressMeter* progress = nullptr);
  SequentialCheck(const SequentialCheck&) = delete;
  SequentialCheck& operator=(const SequentialCheck&) = delete;

  // Configure it (or use configure()) before checking.
  pl::RuntimeContext& context() { return checker_.context(); }
  void configure(const core::CheckOptions& options) { checker_.configure(options); }
  // Checks every line as this record type; empty tells each line's type.
  void forceRecordType(std::string record_type) {
    checker_.forceRecordType(std::move(record_type));
  }

  // The file (UTF-8) that checkStream reads next, for the progress line.
  void startFile(std::string_view name, std::int64_t size, int index, int count);
  // Checks every line of the source, reporting under the file name
  // (UTF-8). False when reading failed; that is reported as an error of
  // the file. A source without records gives a file warning.
  bool checkStream(core::ByteSource& source, std::string_view file);
  // Reports a file that could not be opened.
  void fileError(std::string_view file, std::string_view message);
  void finish() {}

  const CheckSummary& summary() const { return summary_; }
  // The line being checked, for log lines.
  const Location& current() const { return current_; }

 private:
  core::Checker checker_;
  Report& report_;
  ProgressMeter* progress_;
  CheckSummary summary_;
  Location current_;
};

// Checks the files of a run with worker threads and writes byte for byte
// what a SequentialCheck writes. The calling thread reads each file's
// result stream without checking it and packs its lines into chunks of up
// to Settings::chunk_lines lines and chunk_bytes bytes; a warning or error
// about the file closes the chunk and is written after its lines. Each
// worker has rule sets, a core::Checker and a runtime context of its own,
// and checks one chunk at a time into a report made by
// Report::forChunk(). The calling thread writes the finished chunks in
// input order to the run's output and standard error, adds up the counts
// and moves the progress meter. At most 2 * jobs + 2 chunks are under way,
// so memory stays bounded whatever the size of the input. Borrows report,
// outputs and progress meter; owns the workers, which it stops and joins
// when destroyed. Use from one thread.
class ParallelCheck {
 public:
  struct Settings {
    int jobs = 2;
    // Each worker's rule sets; called once per worker.
    std::function<std::unique_ptr<core::RuleSetProvider>()> make_rule_sets;
    core::CheckOptions options;
    bool log = false;  // the runtime's trace and error lines to err
    // A chunk holds at most this many non-empty lines and bytes (but at
    // least one line).
    std::size_t chunk_lines = 2048;
    std::size_t chunk_bytes = std::size_t{1} << 20;
    // The lines of the chunks under way take at most this many bytes, or
    // one chunk's more: the reader waits for the oldest chunk rather than
    // hold more, whatever the number of workers and the length of lines.
    std::size_t bytes_under_way = std::size_t{64} << 20;
  };

  // report writes to out; err receives what goes to standard error.
  ParallelCheck(Settings settings, Report& report, Output& out, Output& err,
                ProgressMeter* progress);
  ParallelCheck(const ParallelCheck&) = delete;
  ParallelCheck& operator=(const ParallelCheck&) = delete;
  ~ParallelCheck();

  // What SequentialCheck's do, in the same order, though written once
  // the lines before are.
  void startFile(std::string_view name, std::int64_t size, int index, int count);
  bool checkStream(core::ByteSource& source, std::string_view file);
  void fileError(std::string_view file, std::string_view message);
  // Writes everything under way; the summary is complete afterwards.
  void finish();

  const CheckSummary& summary() const { return summary_; }

 private:
  struct Chunk;
  struct Worker;

  // A chunk for the file, taking the pending start of a file.
  Chunk& begin(std::string_view file);
  // Queues the chunk for a worker (or, without lines, as done) and writes
  // what is finished.
  void submit();
  // Writes the oldest chunk once it is done.
  void writeOldest();
  void write(Chunk& chunk);
  void work(Worker& worker);
  void check(Worker& worker, Chunk& chunk);
  void stop();

  Settings settings_;
  Report& report_;
  Output& out_;
  Output& err_;
  ProgressMeter* progress_;
  CheckSummary summary_;

  std::deque<std::string> files_;  // the names chunks point to
  struct FileStart {
    std::string name;
    std::int64_t size = -1;
    int index = 0;
    int count = 0;
  };
  std::unique_ptr<FileStart> pending_start_;

  // Under way, oldest first; the calling thread's own. A chunk's results
  // and done flag are the worker's until done, guarded by mutex_.
  std::deque<std::unique_ptr<Chunk>> under_way_;
  std::size_t bytes_under_way_ = 0;            // of the chunks in under_way_
  std::vector<std::unique_ptr<Chunk>> spare_;  // written, to be reused
  std::unique_ptr<Chunk> filling_;

  Mutex mutex_;
  ConditionVariable work_ready_;  // a chunk is queued, or stopping
  ConditionVariable chunk_done_;
  std::deque<Chunk*> queue_;  // for the workers, oldest first
  bool stopping_ = false;

  std::vector<std::unique_ptr<Worker>> workers_;
  std::vector<std::unique_ptr<Thread>> threads_;
};

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_CHECK_RUN_H_
