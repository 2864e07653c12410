#include "core/checker.h"

#include <exception>
#include <new>

#include "core/finding_text.h"
#include "core/record_type.h"
#include "pl/plausi_exception.h"

namespace vexal::core {

Checker::Checker(RuleSetProvider& rule_sets) : rule_sets_(rule_sets) {}

Checker::~Checker() {
  ctx_.setDataRecord(nullptr);
  ctx_.reset();
}

void Checker::configure(const CheckOptions& options) {
  configureContext(ctx_, options);
  forceRecordType(options.record_type);
}

const LineResult& Checker::fail(std::string message) {
  result_.kind = LineResult::Kind::kError;
  result_.error = std::move(message);
  return result_;
}

const LoadedRecordType* Checker::typeOf(std::string_view line) {
  if (forced_ != nullptr) return forced_;
  RecordTypeKey key;
  const bool keyed = forced_type_.empty() && recordTypeKey(line, key);
  if (keyed && last_ != nullptr && key == last_key_) return last_;
  std::string_view name = forced_type_;
  if (name.empty()) {
    Detection detection = detectRecordType(line);
    if (detection.record_type == nullptr) {
      fail("record type cannot be told: " + detection.reason);
      return nullptr;
    }
    name = detection.record_type;
  }
  const LoadedRecordType* type = rule_sets_.find(name);
  if (type == nullptr) {
    fail("unknown record type " + std::string(name));
  } else if (!type->loaded()) {
    fail("record type " + type->record_type + " cannot be loaded: " + type->error);
  } else if (!type->built()) {
    fail("record type " + type->record_type +
         " has an empty layout in this library: its lines cannot be checked");
  } else {
    if (!forced_type_.empty()) {
      forced_ = type;
    } else if (keyed) {
      last_ = type;
      last_key_ = key;
    }
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
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    cutter.input.reset();
    cutter.error = e.what();
  }
  cutters_.push_back(std::move(cutter));
  return cutters_.back();
}

const LineResult& Checker::check(const InputLine& line) {
  if (!line.overlong()) return check(line.bytes, line.number);
  result_ = LineResult();
  result_.line = line.number;
  return fail("line of " + std::to_string(line.overlong_length) +
              " characters is longer than any record may be (" +
              std::to_string(line.max_line_length) + "): not checked");
}

void Checker::releaseLongLine() {
  if (long_line_input_ == nullptr) return;
  ctx_.reset();
  ctx_.setDataRecord(nullptr);
  long_line_input_->release();
  long_line_input_ = nullptr;
}

const LineResult& Checker::check(std::string_view line, long line_number) {
  releaseLongLine();
  result_.kind = LineResult::Kind::kEmpty;
  result_.line = line_number;
  result_.record_type = nullptr;
  result_.expected_length = 0;
  result_.actual_length = 0;
  result_.error.clear();
  result_.findings = {};
  if (line.empty()) return result_;

  const LoadedRecordType* type = typeOf(line);
  if (type == nullptr) return result_;
  Cutter& cutter = cutterFor(*type);
  if (cutter.input == nullptr) {
    return fail("the layout of " + type->record_type + " cannot be used: " + cutter.error);
  }

  const RecordCut& cut = cutter.input->load(line);
  result_.record_type = type->record_type.c_str();
  result_.expected_length = cut.expected_length;
  result_.actual_length = cut.actual_length;
  std::string failure;
  ctx_.reset();
  ctx_.setDataRecord(&cutter.input->record());
  try {
    cutter.checker->check(&ctx_);
  } catch (const std::bad_alloc&) {
    throw;
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
  // The record keeps a copy of its line for the next one; not of a line
  // far longer than any record, which would hold its room for good.
  if (line.size() > kLongestKeptLine) long_line_input_ = cutter.input.get();
  if (!failure.empty()) return fail(std::move(failure));

  const std::size_t count = ctx_.getProblemCount();
  findings_.clear();
  for (std::size_t i = 0; i < count; ++i) findings_.push_back(findingOf(*ctx_.getProblem(i)));
  result_.kind = LineResult::Kind::kRecord;
  result_.findings = findings_;
  return result_;
}

}  // namespace vexal::core
