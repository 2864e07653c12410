#include "pl/runtime_context.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <new>
#include <random>
#include <string>

#include "pl/plausi_exception.h"
#include "random_start.h"

namespace pl {
namespace {

DateValue localDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  return DateValue(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool readDigits(const char* text, int count, int* out) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  *out = value;
  return true;
}

[[noreturn]] void throwBadDate(std::string_view text) {
  std::string message = "Ung\xFCltiges Datum \"";
  message.append(text);
  message += "\" (erwartet JJJJMMTT).";
  throw PlausiException(ExceptionType::kBadFormat, std::move(message));
}

}  // namespace

namespace internal {

std::uint64_t randomStart(const void* owner) {
  std::uint64_t seed =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  try {
    std::random_device device;
    seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
  } catch (...) {
    // No random source: the clock and the address must do.
  }
  return seed ^ (reinterpret_cast<std::uintptr_t>(owner) * 0x9E3779B97F4A7C15u);
}

}  // namespace internal

RuntimeContext::RuntimeContext() : today_(localDate()), epoch_(internal::randomStart(this)) {
  sections_.reserve(32);
  problems_.reserve(64);
}

RuntimeContext::~RuntimeContext() = default;

void RuntimeContext::setInitParam(std::string_view name, std::string_view value) {
  auto it = init_params_.find(name);
  if (it == init_params_.end()) {
    init_params_.emplace(std::string(name), std::string(value));
  } else {
    it->second.assign(value);
  }
}

void RuntimeContext::removeInitParam(std::string_view name) {
  auto it = init_params_.find(name);
  if (it != init_params_.end()) init_params_.erase(it);
}

Value* RuntimeContext::getInitParam(const char* name) {
  if (name == nullptr) return &invalid_;
  auto it = init_params_.find(std::string_view(name));
  if (it == init_params_.end()) return &invalid_;
  return createStringValue(it->second.data(), it->second.size());
}

void RuntimeContext::setProcessingDate(int year, int month, int day) {
  if (!DateValue::isValidDate(year, month, day)) {
    throw PlausiException(ExceptionType::kBadFormat, "Ung\xFCltiges Verarbeitungsdatum.");
  }
  today_.~DateValue();
  new (&today_) DateValue(year, month, day);
}

void RuntimeContext::startNewSection(const char* title, bool flag) {
  sections_.push_back(SectionInfo{title ? title : "", flag});
  if (observer_ != nullptr) observer_->onStart(sections_.back().title, flag, sections_.size());
}

void RuntimeContext::leaveCurrentSection() {
  if (sections_.empty()) return;
  const char* title = sections_.back().title;
  sections_.pop_back();
  if (observer_ != nullptr) observer_->onLeave(title, sections_.size());
}

void RuntimeContext::reset() {
  ++epoch_;
  arena_.reset();
  problems_.clear();
  sections_.clear();
  current_field_ = nullptr;
  logger_.clearKeptErrors();
}

Value* RuntimeContext::createStringValue(const char* text) {
  if (text == nullptr) text = "";
  return createStringValue(text, std::strlen(text));
}

Value* RuntimeContext::createStringValue(const char* data, std::size_t size) {
  const char* copy = arena_.copyText(data, size);
  return arena_.make<StringValue>(copy, size);
}

Value* RuntimeContext::createNumberValue(long double number) {
  // The result numbers of rule functions: shared like the booleans.
  if (number == 0 && !std::signbit(number)) return &zero_;
  if (number == 1) return &one_;
  return arena_.make<NumberValue>(number);
}

Value* RuntimeContext::createDateValue(const char* text, const char* format) {
  return createDateValue(text == nullptr ? std::string_view() : std::string_view(text), format);
}

Value* RuntimeContext::createDateValue(std::string_view text, const char* format) {
  if (format == nullptr || std::strcmp(format, "JJJJMMTT") != 0) {
    std::string message = "Unbekanntes Datumsformat \"";
    message += format ? format : "";
    message += "\".";
    throw PlausiException(ExceptionType::kBadFormat, std::move(message));
  }
  int year, month, day;
  if (text.size() != 8 || !readDigits(text.data(), 4, &year) ||
      !readDigits(text.data() + 4, 2, &month) || !readDigits(text.data() + 6, 2, &day) ||
      !DateValue::isValidDate(year, month, day)) {
    throwBadDate(text);
  }
  return arena_.make<DateValue>(year, month, day);
}

Value* RuntimeContext::createDateValue(const Value* text, const char* format) {
  if (text == nullptr || text->isInvalid()) {
    throw PlausiException(ExceptionType::kBadFormat,
                          "Ung\xFCltiges Datum: kein Wert (erwartet JJJJMMTT).");
  }
  if (text->getKind() == Value::Kind::kDate) return const_cast<Value*>(text);
  return createDateValue(text->getString(), format);
}

Value* RuntimeContext::createIntervalRange(const Value* low, const Value* high, IntervalType type) {
  return arena_.make<IntervalRangeValue>(low, high, type);
}

Value* RuntimeContext::createSequenceRange(const Value* first, const Value* second,
                                           const Value* last) {
  return arena_.make<SequenceRangeValue>(first, second, last);
}

Value* RuntimeContext::createRangeSeries(int count, const Value* const* values) {
  std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
  auto** members = static_cast<const Value**>(
      arena_.allocate(sizeof(const Value*) * (n ? n : 1), alignof(Value*)));
  for (std::size_t i = 0; i < n; ++i) members[i] = values[i] ? values[i] : &invalid_;
  return arena_.make<RangeSeriesValue>(members, n);
}

PlausiProblem* RuntimeContext::createProblem(ProblemType type, int weight) {
  void* memory = arena_.allocate(sizeof(PlausiProblem), alignof(PlausiProblem));
  auto* problem = new (memory) PlausiProblem(&arena_, type, weight);
  problems_.push_back(problem);
  return problem;
}

void RuntimeContext::setSectionInfosToProblem(PlausiProblem* problem) {
  if (problem == nullptr) return;
  const std::size_t n = sections_.size();
  // The infos and their titles in one piece of the arena: the titles'
  // lengths are measured once, for the size and for the copy.
  constexpr std::size_t kMeasured = 16;
  std::size_t lengths[kMeasured];
  std::size_t text_size = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t length = std::strlen(sections_[i].title);
    if (i < kMeasured) lengths[i] = length;
    text_size += length + 1;
  }
  const std::size_t info_size = sizeof(SectionInfo) * (n ? n : 1);
  auto* copies =
      static_cast<SectionInfo*>(arena_.allocate(info_size + text_size, alignof(SectionInfo)));
  char* text = reinterpret_cast<char*>(copies) + info_size;
  for (std::size_t i = 0; i < n; ++i) {
    const char* title = sections_[i].title;
    const std::size_t length = i < kMeasured ? lengths[i] : std::strlen(title);
    std::memcpy(text, title, length);
    text[length] = '\0';
    copies[i] = SectionInfo{text, sections_[i].flag};
    text += length + 1;
  }
  problem->sections_ = copies;
  problem->section_count_ = n;
}

}  // namespace pl
