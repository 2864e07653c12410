#include "core/display_names.h"

#include "pl/topic.h"
#include "pl/type_descriptor.h"

namespace vexal::core {
namespace {

void collect(const pl::Topic& topic, std::map<std::string, std::string, std::less<>>& names,
             int depth) {
  // Topic trees are as deep as the layout's groups; this bounds a broken one.
  if (depth > 16) return;
  for (std::size_t i = 0; i < topic.getMemberCount(); ++i) {
    pl::FieldDescriptor* member = topic.getMember(i);
    if (member == nullptr) continue;
    if (auto* array = dynamic_cast<pl::TopicArrayBase*>(member)) {
      if (const pl::Topic* element = array->getPrototypeTopic()) {
        collect(*element, names, depth + 1);
      }
    } else if (auto* inner = dynamic_cast<pl::Topic*>(member)) {
      collect(*inner, names, depth + 1);
    } else if (const pl::TypeDescriptor* type = member->getTypeDescriptor()) {
      if (const char* display = type->getDisplayName()) names.emplace(type->getPath(), display);
    }
  }
}

}  // namespace

DisplayNames DisplayNames::of(pl::Plausi* plausi) {
  DisplayNames result;
  if (plausi != nullptr && plausi->rootTopic() != nullptr) {
    collect(*plausi->rootTopic(), result.names_, 0);
  }
  return result;
}

const char* DisplayNames::find(std::string_view path) const {
  auto it = names_.find(path);
  return it == names_.end() ? nullptr : it->second.c_str();
}

}  // namespace vexal::core
