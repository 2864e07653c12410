#include "pl/plausi.h"

#include <utility>

#include "pl/mapping.h"
#include "pl/topic.h"

namespace pl {

Plausi::Plausi() = default;

void Plausi::addCallableFunction(CallableFunction function) {
  callables_.push_back(std::move(function));
}

void Plausi::addCheckDescription(CheckDescription check) {
  checks_described_.push_back(std::move(check));
}

Plausi::~Plausi() {
  // The topic tree refers to descriptors that the mapping owns.
  delete root_topic_;
  delete mapping_;
}

Value* Plausi::getClassificationByCode(const char*) { return &invalid_; }

Value* Plausi::getClassificationByValue(const char*) { return &invalid_; }

void Plausi::setMapping(Mapping* mapping) {
  if (mapping == mapping_) return;
  delete mapping_;
  mapping_ = mapping;
}

void Plausi::setRootTopic(Topic* topic) {
  if (topic == root_topic_) return;
  delete root_topic_;
  root_topic_ = topic;
}

void Plausi::setFieldCheckProc(const char* key, FieldCheckProc check, FieldCheckPass pass) {
  std::string name = key ? key : "";
  auto it = check_index_.find(name);
  if (it != check_index_.end()) {
    checks_[it->second].second = check;
    check_passes_[it->second] = pass;
  } else {
    checks_.reserve(checks_.size() + 1);
    check_passes_.reserve(checks_.size() + 1);
    check_index_.emplace(name, checks_.size());
    checks_.emplace_back(std::move(name), check);
    check_passes_.push_back(pass);
  }
}

FieldCheckProc Plausi::findFieldCheckProc(std::string_view key) const {
  auto it = check_index_.find(key);
  return it == check_index_.end() ? nullptr : checks_[it->second].second;
}

FieldCheckPass Plausi::findFieldCheckPass(std::string_view key) const {
  auto it = check_index_.find(key);
  return it == check_index_.end() ? FieldCheckPass{} : check_passes_[it->second];
}

}  // namespace pl
