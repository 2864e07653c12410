#include "cli/parallel_check.h"

#include <exception>
#include <utility>

#include "cli/checker.h"
#include "cli/stderr_log.h"
#include "core/checker.h"
#include "core/line_source.h"

namespace vexal::cli {
namespace {

// One non-empty line of a chunk.
struct ChunkLine {
  std::size_t offset = 0;  // in Chunk::bytes
  std::size_t size = 0;
  long number = 0;
  std::size_t overlong_length = 0;
};

// The first line of a chunk that shows that its file is not Latin-1, as a
// worker finds it: a warning of the file, if no chunk before found one,
// reported where the line's results begin in the chunk's texts.
struct EncodingFinding {
  long line = 0;  // 0: none
  std::string message;
  std::size_t out_offset = 0;
  std::size_t err_offset = 0;
};

// Something about a whole file, written after the chunk's lines.
struct FileMessage {
  bool error = false;
  long line = 0;
  std::string text;  // Latin-1
};

}  // namespace

struct ParallelCheck::Chunk {
  // Read by the calling thread.
  std::string_view file;
  std::unique_ptr<FileStart> start;  // the file begins with this chunk
  std::string bytes;
  std::vector<ChunkLine> lines;
  std::size_t max_line_length = 0;
  long lines_read = 0;  // empty lines included, for the progress line
  std::uint64_t end_offset = 0;
  std::vector<FileMessage> after;

  // Made by a worker.
  std::string out;
  std::string err;
  CheckSummary summary;
  std::unique_ptr<Report> report;
  EncodingFinding encoding;
  std::exception_ptr failure;
  bool done = false;

  void clear() {
    file = {};
    start.reset();
    bytes.clear();
    lines.clear();
    lines_read = 0;
    end_offset = 0;
    after.clear();
    out.clear();
    err.clear();
    summary = CheckSummary();
    report.reset();
    encoding.line = 0;
    failure = nullptr;
    done = false;
  }
};

// A worker's own rule sets, checker and outputs.
struct ParallelCheck::Worker {
  explicit Worker(const Settings& settings)
      : rule_sets(settings.make_rule_sets()), checker(*rule_sets), out(nullptr), err(nullptr) {
    checker.configure(settings.options);
    if (settings.log) {
      log = std::make_unique<StderrLog>(err, &current);
      checker.context().getLogger().setTraceSink(log.get());
      checker.context().getLogger().setErrorSink(log.get());
    }
  }
  ~Worker() {
    checker.context().getLogger().setTraceSink(nullptr);
    checker.context().getLogger().setErrorSink(nullptr);
  }

  std::unique_ptr<RuleSetProvider> rule_sets;
  core::Checker checker;
  Output out;
  Output err;
  Location current;  // for log lines
  std::unique_ptr<StderrLog> log;
  core::InputLine input;
};

ParallelCheck::ParallelCheck(Settings settings, Report& report, Output& out, Output& err,
                             ProgressMeter* progress)
    : settings_(std::move(settings)), report_(report), out_(out), err_(err), progress_(progress) {
  if (settings_.jobs < 1) settings_.jobs = 1;
  if (settings_.chunk_lines < 1) settings_.chunk_lines = 1;
  try {
    for (int i = 0; i < settings_.jobs; ++i) {
      workers_.push_back(std::make_unique<Worker>(settings_));
    }
    for (auto& worker : workers_) {
      threads_.push_back(std::make_unique<Thread>([this, w = worker.get()] { work(*w); }));
    }
  } catch (...) {
    stop();
    throw;
  }
}

ParallelCheck::~ParallelCheck() { stop(); }

void ParallelCheck::stop() {
  {
    MutexLock lock(mutex_);
    stopping_ = true;
  }
  work_ready_.notifyAll();
  threads_.clear();  // joins
}

void ParallelCheck::startFile(std::string_view name, std::int64_t size, int index, int count) {
  pending_start_ = std::make_unique<FileStart>(FileStart{std::string(name), size, index, count});
}

ParallelCheck::Chunk& ParallelCheck::begin(std::string_view file) {
  if (!spare_.empty()) {
    filling_ = std::move(spare_.back());
    spare_.pop_back();
  } else {
    filling_ = std::make_unique<Chunk>();
  }
  filling_->file = file;
  filling_->start = std::move(pending_start_);
  return *filling_;
}

bool ParallelCheck::checkStream(ByteSource& source, std::string_view name) {
  const std::string_view file = files_.emplace_back(name);
  // The workers watch the encoding: this thread only splits and copies.
  core::LineSource lines(source, core::LineSource::Encoding::kLeaveToCaller);
  core::InputLine line;
  Chunk* chunk = &begin(file);
  while (lines.next(line)) {
    ++chunk->lines_read;
    chunk->end_offset = line.end_offset;
    if (line.bytes.empty() && !line.overlong()) continue;
    ChunkLine& entry = chunk->lines.emplace_back();
    entry.offset = chunk->bytes.size();
    entry.size = line.bytes.size();
    entry.number = line.number;
    entry.overlong_length = line.overlong_length;
    chunk->max_line_length = line.max_line_length;
    chunk->bytes.append(line.bytes);
    if (chunk->lines.size() >= settings_.chunk_lines ||
        chunk->bytes.size() >= settings_.chunk_bytes) {
      submit();
      chunk = &begin(file);
    }
  }
  const std::string failure = lines.failure();
  if (!failure.empty()) {
    chunk->after.push_back({true, 0, failure});
  } else if (std::string warning = lines.endWarning(); !warning.empty()) {
    chunk->after.push_back({false, 0, std::move(warning)});
  }
  submit();
  return failure.empty();
}

void ParallelCheck::fileError(std::string_view file, std::string_view message) {
  Chunk& chunk = begin(files_.emplace_back(file));
  chunk.after.push_back({true, 0, std::string(message)});
  submit();
}

void ParallelCheck::submit() {
  Chunk* chunk = filling_.get();
  const bool has_lines = !chunk->lines.empty();
  if (!has_lines) chunk->done = true;  // nothing for a worker: written as it is
  under_way_.push_back(std::move(filling_));
  if (has_lines) {
    {
      MutexLock lock(mutex_);
      queue_.push_back(chunk);
    }
    work_ready_.notifyOne();
  }
  // Bounded: wait for the oldest when too many are under way.
  const std::size_t most = 2 * static_cast<std::size_t>(settings_.jobs) + 2;
  while (under_way_.size() > most) writeOldest();
  // Write whatever is finished at the front.
  for (;;) {
    if (under_way_.empty()) break;
    {
      MutexLock lock(mutex_);
      if (!under_way_.front()->done) break;
    }
    writeOldest();
  }
}

void ParallelCheck::writeOldest() {
  std::unique_ptr<Chunk> chunk = std::move(under_way_.front());
  under_way_.pop_front();
  {
    MutexLock lock(mutex_);
    while (!chunk->done) chunk_done_.wait(lock);
  }
  write(*chunk);
  chunk->clear();
  spare_.push_back(std::move(chunk));
}

void ParallelCheck::write(Chunk& chunk) {
  if (chunk.failure) std::rethrow_exception(chunk.failure);
  if (chunk.start && progress_ != nullptr) {
    progress_->startFile(chunk.start->name, chunk.start->size, chunk.start->index,
                         chunk.start->count);
  }
  // The file's warning about its encoding goes where its line's results
  // begin, once per file.
  std::size_t out_from = 0;
  std::size_t err_from = 0;
  if (chunk.encoding.line > 0 && warned_file_.data() != chunk.file.data()) {
    writeTexts(chunk, chunk.encoding.out_offset, chunk.encoding.err_offset);
    out_from = chunk.encoding.out_offset;
    err_from = chunk.encoding.err_offset;
    reportFileWarning(chunk.file, chunk.encoding.line, chunk.encoding.message, report_, summary_);
    warned_file_ = chunk.file;
  }
  writeTexts(chunk, out_from, err_from, chunk.out.size(), chunk.err.size());
  summary_.add(chunk.summary);
  if (chunk.report) report_.absorb(*chunk.report);
  if (progress_ != nullptr) {
    for (long i = 0; i < chunk.lines_read; ++i) progress_->lineDone(chunk.end_offset);
  }
  for (const FileMessage& message : chunk.after) {
    if (message.error) {
      ++summary_.file_errors;
      report_.error(Location{chunk.file, 0, nullptr}, message.text);
    } else {
      reportFileWarning(chunk.file, message.line, message.text, report_, summary_);
    }
  }
}

void ParallelCheck::writeTexts(const Chunk& chunk, std::size_t out_end, std::size_t err_end) {
  writeTexts(chunk, 0, 0, out_end, err_end);
}

void ParallelCheck::writeTexts(const Chunk& chunk, std::size_t out_begin, std::size_t err_begin,
                               std::size_t out_end, std::size_t err_end) {
  if (out_end > out_begin) {
    out_.write(std::string_view(chunk.out).substr(out_begin, out_end - out_begin));
  }
  if (err_end > err_begin) {
    err_.append(std::string_view(chunk.err).substr(err_begin, err_end - err_begin));
    err_.flush();
  }
}

void ParallelCheck::finish() {
  if (filling_) submit();
  while (!under_way_.empty()) writeOldest();
  out_.flush();
  err_.flush();
}

void ParallelCheck::work(Worker& worker) {
  for (;;) {
    Chunk* chunk = nullptr;
    {
      MutexLock lock(mutex_);
      while (queue_.empty() && !stopping_) work_ready_.wait(lock);
      if (stopping_) return;
      chunk = queue_.front();
      queue_.pop_front();
    }
    try {
      check(worker, *chunk);
    } catch (...) {
      chunk->failure = std::current_exception();
    }
    {
      MutexLock lock(mutex_);
      chunk->done = true;
    }
    chunk_done_.notifyAll();
  }
}

void ParallelCheck::check(Worker& worker, Chunk& chunk) {
  // The worker's outputs are empty between chunks; what a failed chunk
  // left in them goes with it.
  struct Collect {
    Worker& worker;
    Chunk& chunk;
    ~Collect() {
      chunk.out.swap(worker.out.text());
      chunk.err.swap(worker.err.text());
      worker.out.text().clear();
      worker.err.text().clear();
    }
  } collect{worker, chunk};
  chunk.report = report_.forChunk(worker.out, worker.err);
  Report& report = *chunk.report;
  core::InputLine& input = worker.input;
  input.max_line_length = chunk.max_line_length;
  core::EncodingWatch encoding;  // the chunk's first warning; the writer keeps a file's first
  for (const ChunkLine& line : chunk.lines) {
    worker.current = Location{chunk.file, line.number, nullptr};
    input.bytes = std::string_view(chunk.bytes).substr(line.offset, line.size);
    if (chunk.encoding.line == 0 && line.overlong_length == 0) {
      std::string warning = encoding.inspect(input.bytes, line.number);
      if (!warning.empty()) {
        chunk.encoding.line = line.number;
        chunk.encoding.message = std::move(warning);
        chunk.encoding.out_offset = worker.out.text().size();
        chunk.encoding.err_offset = worker.err.text().size();
      }
    }
    input.number = line.number;
    input.overlong_length = line.overlong_length;
    reportResult(worker.checker.check(input), chunk.file, report, chunk.summary);
  }
}

}  // namespace vexal::cli
