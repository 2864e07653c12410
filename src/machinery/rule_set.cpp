#include "machinery/rule_set.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "machinery/internal/check_procedure.h"
#include "machinery/rule_topic.h"
#include "machinery/texts.h"
#include "pl/mapping.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/type_descriptor.h"

namespace vexal::machinery {
namespace {

bool sameCheck(const FieldRow& a, const FieldRow& b) {
  return std::strcmp(a.name, b.name) == 0 && a.length == b.length && a.model_type == b.model_type &&
         a.presence == b.presence;
}

// The check procedures of a topic for pl::CheckDescription; path_prefix is
// "" for the root topic, "UV." for a group's.
void describeTopicChecks(const TopicTable& topic, const std::string& path_prefix,
                         std::vector<pl::CheckDescription>& out) {
  for (const ProcedureRow& procedure : topic.checks.procedures) {
    pl::CheckDescription check;
    check.procedure = procedure.name.name.c_str();
    if (procedure.hasRuleFunction()) check.function = procedure.function.name.c_str();
    check.field_path = path_prefix + topic.fields[static_cast<std::size_t>(procedure.field)].name;
    auto add = [&check](const char* text) {
      if (text != nullptr &&
          std::none_of(check.texts.begin(), check.texts.end(),
                       [text](const char* known) { return std::strcmp(known, text) == 0; })) {
        check.texts.push_back(text);
      }
    };
    add(procedure.fixed_message);
    for (std::size_t s = 0; s < procedure.step_count; ++s) {
      for (const char* text : topic.checks.steps[procedure.first_step + s].texts) add(text);
    }
    out.push_back(std::move(check));
  }
}

}  // namespace

RuleSet::RuleSet(const RecordCatalogue& catalogue, const FieldCheckTable& checks)
    : catalogue_(catalogue) {
  fillMapping();
  registerChecks(checks);
  buildRootTopic();
  describeChecks();
  for (const CallableRow& function : catalogue_.functions) {
    addCallableFunction(pl::CallableFunction{
        function.name,
        std::vector<const char*>(
            function.parameters.begin(),
            function.parameters.begin() + static_cast<std::ptrdiff_t>(function.parameter_count))});
  }
}

void RuleSet::fillMapping() {
  auto mapping = std::make_unique<pl::Mapping>();
  mapping->put("", "");
  const TopicTable& root = catalogue_.root;
  for (const FieldRow& field : root.fields) mapping->put(field.name, field.name);
  for (const GroupRow& group : root.groups) {
    for (const FieldRow& field : group.element->fields) {
      std::string key = std::string(group.name) + "." + field.name;
      mapping->put(key.c_str(), field.name);
    }
    mapping->put(group.name, group.name);
  }
  setMapping(mapping.release());
}

void RuleSet::registerChecks(const FieldCheckTable& checks) {
  struct Entry {
    std::string key;
    pl::FieldCheckProc check;
    pl::FieldCheckPass pass;
  };
  const TopicTable& root = catalogue_.root;
  std::vector<Entry> entries;
  for (std::size_t i = 0; i < root.fields.size(); ++i) {
    entries.push_back({root.fields[i].name, checks.root[i], fieldCheckPass(root.fields[i])});
  }
  for (std::size_t g = 0; g < root.groups.size(); ++g) {
    const GroupRow& group = root.groups[g];
    for (std::size_t i = 0; i < group.element->fields.size(); ++i) {
      const FieldRow& field = group.element->fields[i];
      pl::FieldCheckProc check = checks.groups[g][i];
      for (std::size_t r = 0; r < root.fields.size(); ++r) {
        if (sameCheck(root.fields[r], field)) check = checks.root[r];
      }
      entries.push_back({std::string(group.name) + "." + field.name, check, fieldCheckPass(field)});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.key < b.key; });
  for (const Entry& entry : entries) setFieldCheckProc(entry.key.c_str(), entry.check, entry.pass);
}

void RuleSet::describeChecks() {
  std::vector<pl::CheckDescription> checks;
  describeTopicChecks(catalogue_.root, "", checks);
  for (const GroupRow& group : catalogue_.root.groups) {
    describeTopicChecks(*group.element, std::string(group.name) + ".", checks);
  }
  for (pl::CheckDescription& check : checks) addCheckDescription(std::move(check));
}

void RuleSet::buildRootTopic() {
  auto* type = new pl::TypeDescriptor(nullptr, getMapping(), "__root_tb__", nullptr,
                                      pl::FieldType::kTopic, nullptr, 0, nullptr);
  RuleTopic* root = catalogue_.root.make(catalogue_.root, type, nullptr, this);
  rootTopic = root;
  setRootTopic(root);
}

pl::Value* RuleSet::callFunction(pl::RuntimeContext* ctx, const char* name) {
  if (name == nullptr)
    throw pl::PlausiException(pl::ExceptionType::kNameMissing, texts::kNoFunctionName);
  // The table is in ascending byte order; strcmp compares as unsigned bytes.
  std::span<const CallableRow> functions = catalogue_.functions;
  auto found = std::lower_bound(
      functions.begin(), functions.end(), name,
      [](const CallableRow& f, const char* key) { return std::strcmp(f.name, key) < 0; });
  if (found == functions.end() || std::strcmp(found->name, name) != 0) {
    throw pl::PlausiException(pl::ExceptionType::kNameNotFound, name);
  }
  const CallableRow& function = *found;
  if (function.check != nullptr) return runRuleFunction(ctx, rootTopic, *function.check);
  pl::Value* args[CallableRow::kMaxParameters] = {};
  for (std::size_t i = 0; i < function.parameter_count; ++i) {
    args[i] = ctx->getInitParam(function.parameters[i]);
  }
  return function.invoke(rootTopic, ctx, args);
}

void RuleSet::callProcedure(pl::RuntimeContext* ctx, const char* name) {
  if (name != nullptr && std::strcmp(name, texts::kStandardAblauf) != 0) {
    throw pl::PlausiException(pl::ExceptionType::kNameNotFound, name);
  }
  const TopicTable& root = catalogue_.root;
  if (catalogue_.procedure_parameter != nullptr && !root.parameters.empty()) {
    (rootTopic->*root.parameters[0])->set(ctx->getInitParam(catalogue_.procedure_parameter));
  }
  StandardAblauf(ctx, rootTopic);
}

}  // namespace vexal::machinery
