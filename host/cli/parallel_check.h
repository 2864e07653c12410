// vexal check -j N: the lines of a run checked by several workers, the
// output in input order.

#ifndef VEXAL_HOST_CLI_PARALLEL_CHECK_H_
#define VEXAL_HOST_CLI_PARALLEL_CHECK_H_

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/check_summary.h"
#include "cli/line_reader.h"
#include "cli/output.h"
#include "cli/progress.h"
#include "cli/report.h"
#include "cli/rule_sets.h"
#include "cli/threads.h"
#include "core/check_options.h"

namespace vexal::cli {

// Checks the files of a run with worker threads and writes byte for byte
// what one Checker writes. The calling thread reads each file's lines
// into chunks of a few hundred lines and queues them, and does nothing
// else per line, so that it does not hold the workers up; each worker has
// rule sets, a core::Checker and a runtime context of its own, and checks
// one chunk at a time into a report made by Report::forChunk(), and looks
// for the first line showing that the file is not Latin-1; the calling
// thread writes the finished chunks in input order to the run's output and
// standard error, reports that warning where the first chunk of a file
// found it, adds up the counts and moves the progress meter. At most 2 * jobs + 2 chunks are under
// way, so memory stays bounded whatever the size of the input. Borrows report, outputs and progress
// meter; owns the workers, which it stops and joins when destroyed. Use from one thread.
class ParallelCheck {
 public:
  struct Settings {
    int jobs = 2;
    // Each worker's rule sets; called once per worker.
    std::function<std::unique_ptr<RuleSetProvider>()> make_rule_sets;
    core::CheckOptions options;
    bool log = false;  // the runtime's trace and error lines to err
    // A chunk holds at most this many non-empty lines and bytes (but at
    // least one line).
    std::size_t chunk_lines = 2048;
    std::size_t chunk_bytes = std::size_t{1} << 20;
  };

  // report writes to out; err receives what goes to standard error.
  ParallelCheck(Settings settings, Report& report, Output& out, Output& err,
                ProgressMeter* progress);
  ParallelCheck(const ParallelCheck&) = delete;
  ParallelCheck& operator=(const ParallelCheck&) = delete;
  ~ParallelCheck();

  // What Checker::checkStream and Checker::fileError do, in the same
  // order, though written once the lines before are. The file (UTF-8)
  // that checkStream reads next shows in the progress line as the one
  // startFile() names.
  void startFile(std::string_view name, std::int64_t size, int index, int count);
  bool checkStream(ByteSource& source, std::string_view file);
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
  // Writes the chunk's output and standard error texts from the starts
  // (or from 0) up to the ends.
  void writeTexts(const Chunk& chunk, std::size_t out_end, std::size_t err_end);
  void writeTexts(const Chunk& chunk, std::size_t out_begin, std::size_t err_begin,
                  std::size_t out_end, std::size_t err_end);
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
  std::string_view warned_file_;   // the file whose encoding warning went out
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

#endif  // VEXAL_HOST_CLI_PARALLEL_CHECK_H_
