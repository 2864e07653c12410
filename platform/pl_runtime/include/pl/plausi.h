// The rule-set base class.

#ifndef VEXAL_RUNTIME_PL_PLAUSI_H_
#define VEXAL_RUNTIME_PL_PLAUSI_H_

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "pl/value.h"

namespace pl {

class Field;
class Mapping;
class RuntimeContext;
class Topic;

// A type-conformance check: writes at most one field finding for the field
// and returns a boolean value, true when it wrote one.
using FieldCheckProc = Value* (*)(RuntimeContext* ctx, Field* field);

// When a type-conformance check is known to pass without any effect but
// clearing the current field: for a supplied text of at most max_length
// bytes that, when digits is not 0, holds one to `digits` of the digits 0-9
// and nothing else. While no section observer listens, the runtime then
// leaves the check uncalled. A check registered without one always runs.
struct FieldCheckPass {
  bool known = false;
  std::size_t max_length = 0;
  std::size_t digits = 0;  // 0: any bytes
};

// A rule function a host may call by name (Plausi::callFunction), and the
// init parameters it takes its arguments from, in their order. The texts
// are the rule set's and live as long as it.
struct CallableFunction {
  const char* name = nullptr;
  std::vector<const char*> parameters;
};

// A check procedure as a host may describe it to a user: its name, its
// rule function (null for a procedure with a condition of its own), the
// layout path of the field it tests ("UV.GTST"), and the texts its findings
// can carry, each once, in the order its tests run. The texts are the rule
// set's and live as long as it.
struct CheckDescription {
  const char* procedure = nullptr;
  const char* function = nullptr;
  std::string field_path;
  std::vector<const char*> texts;
};

class ClassificationRessource {
 public:
  virtual Value* getClassificationByCode(const char* code) = 0;
  virtual Value* getClassificationByValue(const char* value) = 0;
  virtual ~ClassificationRessource() = default;
};

// Base of every rule set. Owns the mapping and the root topic it is given
// and keeps the table of type-conformance checks. A rule set serves one
// check at a time: its topic variables hold per-run state. Separate rule
// sets share nothing.
class Plausi : public ClassificationRessource {
 public:
  Plausi();
  ~Plausi() override;

  // This procedure has no classification tables: both answer the invalid
  // value.
  Value* getClassificationByCode(const char* code) override;
  Value* getClassificationByValue(const char* value) override;

  virtual const char* getRecordType() = 0;
  virtual double getVersion() = 0;
  virtual const char* getBuildStamp() = 0;
  // Calls a rule function by name; its parameters come from the context's
  // init parameters under their names.
  virtual Value* callFunction(RuntimeContext* ctx, const char* name) = 0;
  // Runs a procedure by name; null means "StandardAblauf".
  virtual void callProcedure(RuntimeContext* ctx, const char* name) = 0;

  // Read access for hosts and the runtime.
  const Mapping* mapping() const { return mapping_; }
  Topic* rootTopic() const { return root_topic_; }
  // Null when no check is registered under the key.
  FieldCheckProc findFieldCheckProc(std::string_view key) const;
  // What the check under the key is known to pass; unknown when none is
  // registered.
  FieldCheckPass findFieldCheckPass(std::string_view key) const;
  // In registration order.
  const std::vector<std::pair<std::string, FieldCheckProc>>& fieldCheckProcs() const {
    return checks_;
  }
  // What callFunction() takes, in ascending byte order of the names, for a
  // host that lists or checks them; empty when the rule set tells none.
  const std::vector<CallableFunction>& callableFunctions() const { return callables_; }
  // Every check procedure, root checks first, in the order StandardAblauf
  // runs them; empty when the rule set describes none.
  const std::vector<CheckDescription>& checkDescriptions() const { return checks_described_; }

 protected:
  // Each takes ownership; a second call replaces (and deletes) the first.
  void setMapping(Mapping* mapping);
  Mapping* getMapping() { return mapping_; }
  void setFieldCheckProc(const char* key, FieldCheckProc check, FieldCheckPass pass = {});
  void setRootTopic(Topic* topic);
  void addCallableFunction(CallableFunction function);
  void addCheckDescription(CheckDescription check);

 private:
  Mapping* mapping_ = nullptr;
  Topic* root_topic_ = nullptr;
  std::vector<std::pair<std::string, FieldCheckProc>> checks_;
  std::vector<FieldCheckPass> check_passes_;  // by the index of checks_
  std::map<std::string, std::size_t, std::less<>> check_index_;
  std::vector<CallableFunction> callables_;
  std::vector<CheckDescription> checks_described_;
  InvalidValue invalid_;
};

}  // namespace pl

#endif  // VEXAL_RUNTIME_PL_PLAUSI_H_
