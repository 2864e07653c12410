#include "cli/explain.h"

#include <algorithm>
#include <cstring>

#include "cli/printers.h"
#include "core/encoding.h"
#include "core/finding_text.h"
#include "pl/topic.h"
#include "pl/type_descriptor.h"

namespace vexal::cli {
namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return upper(x) == upper(y); });
}

// The type descriptor of the field at path, searched in the topic tree
// (groups are arrays of topics; their prototype carries the descriptors).
const pl::TypeDescriptor* findType(const pl::Topic& topic, std::string_view path, int depth) {
  if (depth > 16) return nullptr;
  for (std::size_t i = 0; i < topic.getMemberCount(); ++i) {
    pl::FieldDescriptor* member = topic.getMember(i);
    if (member == nullptr) continue;
    const pl::Topic* inner = nullptr;
    if (auto* array = dynamic_cast<pl::TopicArrayBase*>(member)) {
      inner = array->getPrototypeTopic();
    } else {
      inner = dynamic_cast<pl::Topic*>(member);
    }
    if (inner != nullptr) {
      if (const pl::TypeDescriptor* found = findType(*inner, path, depth + 1)) return found;
    } else if (const pl::TypeDescriptor* type = member->getTypeDescriptor()) {
      if (type->getPath() == path) return type;
    }
  }
  return nullptr;
}

std::string groupOf(const std::string& path) {
  std::size_t dot = path.rfind('.');
  return dot == std::string::npos ? std::string() : path.substr(0, dot);
}

// Levenshtein distance, ignoring case; identifiers are short.
std::size_t distance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t above = row[j];
      std::size_t change = diagonal + (upper(a[i - 1]) == upper(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, change});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string range(std::size_t from, std::size_t length) {
  return std::to_string(from) + "-" + std::to_string(from + length - 1);
}

// Where the field stands, in words (Latin-1).
std::string placeText(const ExplainedCheck& c) {
  const core::LayoutEntry& field = *c.field;
  if (c.group == nullptr) {
    if (c.from) return "characters " + range(*c.from, field.length);
    return "characters " + field.after + "+" + std::to_string(field.position) + " to " +
           field.after + "+" + std::to_string(field.position + field.length - 1) +
           ", counted from the end of group " + field.after;
  }
  const core::LayoutEntry& group = *c.group;
  std::string text = "characters " + range(field.position, field.length) +
                     " of each occurrence of group " + group.path + "\n            (";
  if (group.after.empty()) text += "from character " + std::to_string(group.position) + ", ";
  text += core::occurrenceText(group);
  if (group.occurrence_length) {
    text += ", " + std::to_string(*group.occurrence_length) + " characters each";
  }
  text += ")";
  const std::string name = group.path;
  if (c.from) {
    text += ":\n            " + name + "[1] characters " + range(*c.from, field.length);
    if (group.occurrence_length && group.counter_field != nullptr) {
      const std::size_t stride = *group.occurrence_length;
      text += ", " + name + "[2] " + range(*c.from + stride, field.length) + ", " + name + "[n] " +
              std::to_string(*c.from) + "+" + std::to_string(stride) + "\xB7(n-1)";
    }
  } else {
    text +=
        ";\n            it follows group " + group.after + ", so where it starts depends on the record";
  }
  return text;
}

void appendOptionalNumber(std::string& out, const std::optional<std::size_t>& number) {
  out += number ? std::to_string(*number) : "null";
}

void appendOptional1252(std::string& out, const char* text) {
  if (text == nullptr) {
    out += "null";
  } else {
    appendJsonString1252(out, text);
  }
}

}  // namespace

CheckCatalogue::CheckCatalogue(const core::LoadedRecordType& type)
    : type_(type),
      names_(core::DisplayNames::of(type.plausi)),
      view_(core::describeLayout(*type.definition, names_)) {}

const core::LayoutEntry* CheckCatalogue::entry(std::string_view path) const {
  for (const core::LayoutEntry& entry : view_.entries) {
    if (entry.path == path) return &entry;
  }
  return nullptr;
}

const char* CheckCatalogue::mask(std::string_view path) const {
  if (type_.plausi->rootTopic() == nullptr) return nullptr;
  const pl::TypeDescriptor* type = findType(*type_.plausi->rootTopic(), path, 0);
  return type == nullptr ? nullptr : type->getMask();
}

std::vector<ExplainedCheck> explainChecks(const CheckCatalogue& catalogue, std::string_view what) {
  std::vector<ExplainedCheck> found;
  for (const pl::CheckDescription& check : catalogue.checks()) {
    ExplainedCheck c;
    c.catalogue = &catalogue;
    c.check = &check;
    const bool is_check = sameIgnoringCase(check.procedure, what) ||
                          (check.function != nullptr && sameIgnoringCase(check.function, what));
    if (!is_check) {
      for (const char* text : check.texts) {
        if (sameIgnoringCase(core::errorCode(text), what)) c.asked_texts.push_back(text);
      }
      if (c.asked_texts.empty()) continue;
    }
    c.field = catalogue.entry(check.field_path);
    if (c.field != nullptr) {
      c.mask = catalogue.mask(check.field_path);
      const std::string group_path = groupOf(check.field_path);
      if (!group_path.empty()) c.group = catalogue.entry(group_path);
      // Absolute places are known where nothing of variable size comes
      // before: a group starting after another has `after` set.
      const core::LayoutEntry& base = c.group != nullptr ? *c.group : *c.field;
      if (base.after.empty() && (c.group == nullptr || c.field->after.empty())) {
        std::size_t from =
            c.group != nullptr ? c.group->position + c.field->position - 1 : c.field->position;
        c.from = from;
        c.to = from + c.field->length - 1;
      }
    }
    found.push_back(c);
  }
  return found;
}

std::vector<std::string> nearestKnown(
    const std::vector<std::unique_ptr<CheckCatalogue>>& catalogues, std::string_view what,
    std::size_t count) {
  std::vector<std::pair<std::size_t, std::string>> known;
  auto add = [&](std::string_view name) {
    if (name.empty()) return;
    for (const auto& entry : known) {
      if (entry.second == name) return;
    }
    known.emplace_back(distance(what, name), std::string(name));
  };
  for (const auto& catalogue : catalogues) {
    for (const pl::CheckDescription& check : catalogue->checks()) {
      add(check.procedure);
      for (const char* text : check.texts) add(core::errorCode(text));
    }
  }
  std::stable_sort(known.begin(), known.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second < b.second;
  });
  std::vector<std::string> nearest;
  for (std::size_t i = 0; i < known.size() && i < count; ++i) nearest.push_back(known[i].second);
  return nearest;
}

std::string explainText(const std::vector<ExplainedCheck>& found) {
  std::string text;
  for (const ExplainedCheck& c : found) {
    if (!text.empty()) text += "\n";
    text += std::string(c.catalogue->recordType()) + " " + c.check->procedure;
    if (c.check->function != nullptr) {
      text += ", rule function " + std::string(c.check->function);
    } else {
      text += ", a check with a condition of its own";
    }
    text += "\n";
    for (const char* asked : c.asked_texts) text += "  finding   " + std::string(asked) + "\n";
    text += "  field     " + c.check->field_path;
    if (c.field != nullptr) {
      if (c.field->display_name != nullptr) text += "  " + std::string(c.field->display_name);
      text += "  " + std::string(core::modelTypeName(c.field->type)) + ", " +
              std::to_string(c.field->length) +
              (c.field->length == 1 ? " character" : " characters");
      if (c.mask != nullptr) text += ", mask " + std::string(c.mask);
      text += "\n  place     " + placeText(c) + "\n";
    } else {
      text += "  (not in this library's layout)\n";
    }
    const char* heading = "  tests     ";
    for (const char* message : c.check->texts) {
      if (core::errorCode(message).empty()) continue;
      text += heading + std::string(message) + "\n";
      heading = "            ";
    }
  }
  return core::toUtf8(text);
}

std::string explainJsonl(const std::vector<ExplainedCheck>& found) {
  std::string out;
  for (const ExplainedCheck& c : found) {
    out += "{\"record_type\":";
    appendJsonString1252(out, c.catalogue->recordType());
    out += ",\"check\":";
    appendJsonString1252(out, c.check->procedure);
    out += ",\"function\":";
    appendOptional1252(out, c.check->function);
    out += ",\"code\":";
    if (!c.asked_texts.empty()) {
      appendJsonString1252(out, core::errorCode(c.asked_texts.front()));
    } else {
      out += "null";
    }
    out += ",\"messages\":[";
    for (std::size_t i = 0; i < c.asked_texts.size(); ++i) {
      if (i > 0) out += ",";
      appendJsonString1252(out, c.asked_texts[i]);
    }
    out += "]";
    out += ",\"field\":";
    appendJsonString1252(out, c.check->field_path);
    out += ",\"display_name\":";
    appendOptional1252(out, c.field ? c.field->display_name : nullptr);
    out += ",\"type\":";
    appendOptional1252(out, c.field ? core::modelTypeName(c.field->type) : nullptr);
    out += ",\"length\":";
    appendOptionalNumber(out, c.field ? std::optional<std::size_t>(c.field->length) : std::nullopt);
    out += ",\"mask\":";
    appendOptional1252(out, c.mask);
    out += ",\"position\":";
    appendOptionalNumber(out,
                         c.field ? std::optional<std::size_t>(c.field->position) : std::nullopt);
    out += ",\"position_after\":";
    appendOptional1252(out, c.field && !c.field->after.empty() ? c.field->after.c_str() : nullptr);
    out += ",\"group\":";
    if (c.group == nullptr) {
      out += "null";
    } else {
      out += "{\"path\":";
      appendJsonString1252(out, c.group->path);
      out += ",\"position\":" + std::to_string(c.group->position) + ",\"position_after\":";
      appendOptional1252(out, c.group->after.empty() ? nullptr : c.group->after.c_str());
      out += ",\"occurrence_length\":";
      appendOptionalNumber(out, c.group->occurrence_length);
      out += "}";
    }
    out += ",\"from\":";
    appendOptionalNumber(out, c.from);
    out += ",\"to\":";
    appendOptionalNumber(out, c.to);
    out += ",\"codes\":[";
    bool first = true;
    for (const char* message : c.check->texts) {
      std::string_view code = core::errorCode(message);
      if (code.empty()) continue;
      if (!first) out += ",";
      first = false;
      out += "{\"code\":";
      appendJsonString1252(out, code);
      out += ",\"message\":";
      appendJsonString1252(out, message);
      out += "}";
    }
    out += "]}\n";
  }
  return out;
}

}  // namespace vexal::cli
