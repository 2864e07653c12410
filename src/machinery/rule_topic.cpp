#include "machinery/rule_topic.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "machinery/rule_set.h"
#include "pl/type_descriptor.h"

namespace vexal::machinery {
namespace {

struct Member {
  const char* name;
  std::size_t field;      // catalogue index, when the member is a field
  const GroupRow* group;  // the group, when it is one
};

}  // namespace

RuleTopic::RuleTopic(const TopicTable& catalogue, pl::TypeDescriptor* type,
                     pl::FieldDescriptor* parent, pl::Plausi* plausi)
    : pl::Topic(type, parent), plausi(plausi), catalogue_(catalogue) {}

void RuleTopic::build() {
  const TopicTable& catalogue = catalogue_;
  fields_.assign(catalogue.fields.size(), nullptr);
  std::vector<Member> members;
  members.reserve(catalogue.fields.size() + catalogue.groups.size());
  for (std::size_t i = 0; i < catalogue.fields.size(); ++i) {
    members.push_back({catalogue.fields[i].name, i, nullptr});
  }
  for (const GroupRow& group : catalogue.groups) members.push_back({group.name, 0, &group});
  std::sort(members.begin(), members.end(),
            [](const Member& a, const Member& b) { return std::strcmp(a.name, b.name) < 0; });
  for (const Member& member : members) {
    if (member.group == nullptr) {
      addField(member.field);
    } else {
      addGroup(*member.group);
    }
  }
  hf_fehlertext = addVariable();
  for (VariableMember parameter : catalogue.parameters) this->*parameter = addVariable();
  bindFields();
}

RuleTopic::~RuleTopic() = default;

pl::Field* RuleTopic::findField(std::string_view name) const {
  for (std::size_t i = 0; i < catalogue_.fields.size(); ++i) {
    if (catalogue_.fields[i].name == name) return fields_[i];
  }
  return nullptr;
}

pl::Field* RuleTopic::field(std::string_view name) const {
  if (pl::Field* found = findField(name)) return found;
  throw std::logic_error("topic " + std::string(catalogue_.name) + " has no field " +
                         std::string(name));
}

pl::Topic* RuleTopic::newInstance() {
  return catalogue_.make(catalogue_, getTypeDescriptor(), getParent(), plausi);
}

const RecordCatalogue& RuleTopic::record() const {
  return static_cast<const RuleSet*>(plausi)->catalogue();
}

void RuleTopic::addField(std::size_t index) {
  const FieldRow& field = catalogue_.fields[index];
  pl::TypeDescriptor* type = getTypeDescriptor();
  // Fields of a sub-topic (a topic with dimensions) hang below it; fields of
  // the root topic stand alone.
  bool in_sub_topic = type != nullptr && type->getDimensionCount() > 0;
  auto* descriptor = new pl::TypeDescriptor(
      in_sub_topic ? type : nullptr, type ? type->getMapping() : nullptr, field.name,
      field.display_name, field.runtimeType(), maskOf(field), 0, nullptr);
  auto* member = new pl::Field(descriptor, in_sub_topic ? this : nullptr);
  setField(field.name, member);
  fields_[index] = member;
}

void RuleTopic::addGroup(const GroupRow& group) {
  pl::TypeDescriptor* type = getTypeDescriptor();
  static constexpr long kExtents[] = {0};
  auto* descriptor =
      new pl::TypeDescriptor(nullptr, type ? type->getMapping() : nullptr, group.name, group.name,
                             pl::FieldType::kTopic, nullptr, 1, kExtents);
  std::unique_ptr<RuleTopic> prototype(
      group.element->make(*group.element, descriptor, nullptr, plausi));
  // The array takes the prototype; setField takes the array.
  pl::TopicArrayBase* array = group.bind(this, prototype.get());
  prototype.release();
  setField(group.name, array);
}

pl::LocalVariable* RuleTopic::addVariable() {
  variables_.reserve(variables_.size() + 1);
  variables_.push_back(std::make_unique<pl::LocalVariable>());
  return variables_.back().get();
}

}  // namespace vexal::machinery
