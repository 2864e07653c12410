#include "cli/checker.h"

#include <exception>

#include "cli/input_encoding.h"
#include "cli/record_type.h"
#include "pl/check_record.h"
#include "pl/plausi_exception.h"

namespace vexal::cli {

Checker::Checker(RuleSetProvider& rule_sets, Report& report)
    : rule_sets_(rule_sets), report_(report) {}

Checker::~Checker() {
  ctx_.setDataRecord(nullptr);
  ctx_.reset();
}

bool Checker::checkStream(ByteSource& source, std::string_view file) {
  LineReader reader(source);
  EncodingWatch encoding;
  bool holds_records = false;
  std::string_view line;
  while (reader.next(line)) {
    if (reader.overlong()) {
      holds_records = true;
      current_ = Location{file, reader.lineNumber(), nullptr};
      lineError("line of " + std::to_string(reader.overlongLength()) +
                " characters is longer than any record may be (" +
                std::to_string(reader.maxLineLength()) + "): not checked");
    } else if (!line.empty()) {
      holds_records = true;
      std::string warning = encoding.inspect(line, reader.lineNumber());
      if (!warning.empty()) fileWarning(file, reader.lineNumber(), warning);
      checkLine(line, file, reader.lineNumber());
    }
    if (progress_ != nullptr) progress_->lineDone(reader.offset());
  }
  if (source.failed()) {
    std::string reason = source.failure();
    fileError(file, "read error after line " + std::to_string(reader.lineNumber()) +
                        (reason.empty() ? "" : ": " + reason));
    return false;
  }
  if (!holds_records) {
    fileWarning(file, 0,
                reader.lineNumber() == 0 ? "file is empty" : "file holds only empty lines");
  }
  return true;
}

void Checker::fileError(std::string_view file, std::string_view message) {
  ++summary_.file_errors;
  report_.error(Location{file, 0, nullptr}, message);
}

void Checker::fileWarning(std::string_view file, long line, std::string_view message) {
  ++summary_.file_warnings;
  report_.fileWarning(Location{file, line, nullptr}, message);
}

void Checker::lineError(std::string_view message) {
  ++summary_.errors;
  report_.error(current_, message);
}

const LoadedRecordType* Checker::typeOf(std::string_view line) {
  std::string_view name = forced_type_;
  Detection detection;
  if (name.empty()) {
    detection = detectRecordType(line);
    if (detection.record_type == nullptr) {
      lineError("record type cannot be told: " + detection.reason);
      return nullptr;
    }
    name = detection.record_type;
  }
  const LoadedRecordType* type = rule_sets_.find(name);
  if (type == nullptr) {
    lineError("unknown record type " + std::string(name));
  } else if (!type->loaded()) {
    lineError("record type " + type->record_type + " cannot be loaded: " + type->error);
  } else if (!type->built()) {
    lineError("record type " + type->record_type +
              " has an empty layout in this library: its lines cannot be checked");
  } else {
    return type;
  }
  return nullptr;
}

Checker::Cutter& Checker::cutterFor(const LoadedRecordType& type) {
  for (Cutter& cutter : cutters_) {
    if (cutter.type == &type) return cutter;
  }
  Cutter cutter{&type, nullptr, nullptr, {}};
  try {
    cutter.input = std::make_unique<host::RecordInput>(*type.definition);
    cutter.checker = std::make_unique<pl::RecordChecker>(type.plausi);
  } catch (const std::exception& e) {
    cutter.error = e.what();
  }
  cutters_.push_back(std::move(cutter));
  return cutters_.back();
}

void Checker::checkLine(std::string_view line, std::string_view file, long line_number) {
  if (line.empty()) return;
  current_ = Location{file, line_number, nullptr};
  const LoadedRecordType* type = typeOf(line);
  if (type == nullptr) return;
  Cutter& cutter = cutterFor(*type);
  if (cutter.input == nullptr) {
    lineError("the layout of " + type->record_type + " cannot be used: " + cutter.error);
    return;
  }
  current_.record_type = type->record_type.c_str();

  const RecordCut& cut = cutter.input->load(line);
  if (cut.expected_length != cut.actual_length) {
    ++summary_.warnings;
    report_.warning(current_, cut.expected_length, cut.actual_length);
  }

  std::string failure;
  ctx_.reset();
  ctx_.setDataRecord(&cutter.input->record());
  try {
    cutter.checker->check(&ctx_);
  } catch (const pl::PlausiException& e) {
    failure = "check failed (exception type " + std::to_string(static_cast<int>(e.getType())) +
              "): " + e.getMessage();
  } catch (pl::PlausiException* e) {
    failure = std::string("check failed: ") + e->getMessage();
    delete e;
  } catch (const std::exception& e) {
    failure = std::string("check failed: ") + e.what();
  } catch (...) {
    failure = "check failed with an unknown exception";
  }
  if (!failure.empty()) {
    lineError(failure);
    return;
  }

  const std::size_t count = ctx_.getProblemCount();
  for (std::size_t i = 0; i < count; ++i) report_.finding(current_, *ctx_.getProblem(i));
  report_.record(current_, count);
  ++summary_.records;
  if (count > 0) {
    ++summary_.records_with_findings;
    summary_.findings += static_cast<long>(count);
    summary_.findings_by_type[type->record_type] += static_cast<long>(count);
  }
}

}  // namespace vexal::cli
