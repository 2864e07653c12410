// vexal check -j N: the lines of a run checked by several workers, the
// output in input order.

#include <exception>
#include <utility>

#include "cli/check_run.h"
#include "core/result_stream.h"

namespace vexal::cli {
namespace {

// One non-empty line of a chunk.
struct ChunkLine {
  std::size_t offset = 0;  // in Chunk::bytes
  std::size_t size = 0;
  long number = 0;
  std::size_t overlong_length = 0;
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

  std::unique_ptr<core::RuleSetProvider> rule_sets;
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

bool ParallelCheck::checkStream(core::ByteSource& source, std::string_view name) {
  const std::string_view file = files_.emplace_back(name);
  // The workers check: this thread only splits and copies.
  core::ResultStream stream(source);
  core::StreamItem item;
  bool readable = true;
  Chunk* chunk = &begin(file);
  while (stream.next(item)) {
    switch (item.kind) {
      case core::StreamItem::Kind::kLine: {
        const core::InputLine& line = item.line;
        ++chunk->lines_read;
        chunk->end_offset = line.end_offset;
        if (line.empty()) continue;
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
        break;
      }
      case core::StreamItem::Kind::kFileWarning:
        // Written after the lines before it, so the chunk ends here.
        chunk->after.push_back({false, item.warning_line, item.message});
        submit();
        chunk = &begin(file);
        break;
      case core::StreamItem::Kind::kReadFailure:
        chunk->after.push_back({true, 0, item.message});
        readable = false;
        break;
    }
  }
  submit();
  return readable;
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
  bytes_under_way_ += chunk->bytes.size();
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
  while (under_way_.size() > most ||
         (bytes_under_way_ > settings_.bytes_under_way && under_way_.size() > 1)) {
    writeOldest();
  }
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
  bytes_under_way_ -= chunk->bytes.size();
  write(*chunk);
  chunk->clear();
  // A chunk that held a long line gives its room back before it is reused.
  if (chunk->bytes.capacity() > 4 * settings_.chunk_bytes) std::string().swap(chunk->bytes);
  if (chunk->out.capacity() > 4 * settings_.chunk_bytes) std::string().swap(chunk->out);
  spare_.push_back(std::move(chunk));
}

void ParallelCheck::write(Chunk& chunk) {
  if (chunk.failure) std::rethrow_exception(chunk.failure);
  if (chunk.start && progress_ != nullptr) {
    progress_->startFile(chunk.start->name, chunk.start->size, chunk.start->index,
                         chunk.start->count);
  }
  if (!chunk.out.empty()) out_.write(chunk.out);
  if (!chunk.err.empty()) {
    err_.append(chunk.err);
    err_.flush();
  }
  summary_.add(chunk.summary);
  if (chunk.report) report_.absorb(*chunk.report);
  if (progress_ != nullptr) {
    for (long i = 0; i < chunk.lines_read; ++i) progress_->lineDone(chunk.end_offset);
  }
  for (const FileMessage& message : chunk.after) {
    if (message.error) {
      reportFileError(chunk.file, message.text, report_, summary_);
    } else {
      reportFileWarning(chunk.file, message.line, message.text, report_, summary_);
    }
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
  for (const ChunkLine& line : chunk.lines) {
    worker.current = Location{chunk.file, line.number, nullptr, {}};
    input.bytes = std::string_view(chunk.bytes).substr(line.offset, line.size);
    input.number = line.number;
    input.overlong_length = line.overlong_length;
    reportResult(worker.checker.check(input), chunk.file, report, chunk.summary, input.bytes);
    worker.checker.releaseLongLine();  // a worker may check nothing more for long
  }
}

}  // namespace vexal::cli
