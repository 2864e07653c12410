// The base of every topic class of a rule set.

#ifndef VEXAL_MACHINERY_RULE_TOPIC_H_
#define VEXAL_MACHINERY_RULE_TOPIC_H_

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "machinery/catalogue.h"
#include "pl/field_descriptor.h"
#include "pl/topic.h"

namespace vexal::machinery {

// A topic built from its TopicTable: one pl::Field per field and one topic
// array per group, created in ascending byte order of their names and kept
// by catalogue index; then the error-text variable hf_fehlertext and the
// parameter variables. A derived class binds the fields its rule code reads
// by name to members of its own (bindFields()). Fields and arrays belong to
// the pl::Topic base; this class owns the variables. A topic serves one
// check at a time.
//
// Topics are made by makeTopic<T>(), which builds the members once the
// derived class is complete (its member initializers would otherwise
// overwrite them).
class RuleTopic : public pl::Topic {
 public:
  RuleTopic(const TopicTable& catalogue, pl::TypeDescriptor* type, pl::FieldDescriptor* parent,
            pl::Plausi* plausi);
  ~RuleTopic() override;

  pl::Topic* newInstance() override;

  // Creates fields, arrays and variables; called once by makeTopic().
  void build();

  const TopicTable& catalogue() const { return catalogue_; }
  // The field of the catalogue's field table at index i.
  pl::Field* field(std::size_t i) const { return fields_[i]; }
  // The field of that short name; throws std::logic_error when the topic
  // has none (a catalogue that does not fit its topic class).
  pl::Field* field(std::string_view name) const;
  // The field of that short name, or null when the topic has none.
  pl::Field* findField(std::string_view name) const;
  // The catalogue of the rule set this topic belongs to, which must be a
  // RuleSet.
  const RecordCatalogue& record() const;

  // The text a failed rule function leaves for its check procedure.
  pl::LocalVariable* hf_fehlertext = nullptr;
  // The rule set this topic belongs to (not owned).
  pl::Plausi* plausi;

 protected:
  // Stores the fields the derived class's rule code reads in members of its
  // own; called once, when the topic is built.
  virtual void bindFields() {}

 private:
  void addField(std::size_t index);
  void addGroup(const GroupRow& group);
  pl::LocalVariable* addVariable();

  const TopicTable& catalogue_;
  std::vector<pl::Field*> fields_;
  std::vector<std::unique_ptr<pl::LocalVariable>> variables_;
};

// The TopicFactory of a topic class T: `&makeTopic<T>` in its TopicTable.
// T's constructor takes (const TopicTable&, pl::TypeDescriptor*,
// pl::FieldDescriptor*, pl::Plausi*).
template <class T>
RuleTopic* makeTopic(const TopicTable& catalogue, pl::TypeDescriptor* type,
                     pl::FieldDescriptor* parent, pl::Plausi* plausi) {
  std::unique_ptr<T> topic(new T(catalogue, type, parent, plausi));
  topic->build();
  return topic.release();
}

// The root topic of a record type, of topic class Topic, for recordCatalogue().
template <class Topic>
consteval TopicTable rootTopic(std::span<const FieldRow> fields, CheckSpans checks,
                               std::span<const GroupRow> groups = {},
                               std::span<const VariableMember> parameters = {},
                               BlockRunnerMember run_blocks = nullptr) {
  return {nullptr, fields, groups, parameters, checks, run_blocks, &makeTopic<Topic>};
}

template <class Owner, class Element>
pl::TopicArrayBase* bindArrayImpl(pl::TopicArray<Element>* Owner::*member, RuleTopic* owner,
                                  RuleTopic* prototype) {
  auto* array = new pl::TopicArray<Element>(static_cast<Element*>(prototype));
  static_cast<Owner*>(owner)->*member = array;
  return array;
}

// The ArrayBinder of a group kept in member `Member` (a
// pl::TopicArray<Element>* of the owning class): `&bindArray<&TB_X::UV>`.
template <auto Member>
pl::TopicArrayBase* bindArray(RuleTopic* owner, RuleTopic* prototype) {
  return bindArrayImpl(Member, owner, prototype);
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_RULE_TOPIC_H_
