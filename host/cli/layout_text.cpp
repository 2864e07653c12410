// The text and JSON forms of a record layout, for `vexal layout`.

#include <cstdio>

#include "cli/encoding.h"
#include "cli/json.h"
#include "cli/layout_view.h"

namespace vexal::cli {
namespace {

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string rightAligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string positionText(const LayoutEntry& entry) {
  std::string position = std::to_string(entry.position);
  return entry.after.empty() ? position : entry.after + "+" + position;
}

void appendKey(std::string& out, const char* key, bool& first) {
  if (!first) out.push_back(',');
  first = false;
  out.push_back('"');
  out.append(key);
  out.append("\":");
}

void appendOptionalText(std::string& out, const char* text) {
  if (text == nullptr) {
    out.append("null");
  } else {
    appendJsonString1252(out, text);
  }
}

}  // namespace

std::string layoutText(const char* record_type, const LayoutView& view) {
  std::string text(record_type);
  if (view.field_count == 0) return text + ": empty layout in this library\n";
  text += ": " + std::to_string(view.field_count) + " fields, ";
  text += view.record_length ? std::to_string(*view.record_length) + " characters\n"
                             : "at least " + std::to_string(view.minimum_length) +
                                   " characters (groups vary in size)\n";
  text += "display names from the rule set's topic tree\n\n";
  text += "POSITION  LENGTH  TYPE          NAME              DISPLAY NAME\n";
  std::string lines;
  for (const LayoutEntry& entry : view.entries) {
    std::string indent(static_cast<std::size_t>(entry.depth) * 2, ' ');
    if (entry.is_group) {
      lines += indent + "group " + entry.path + " at " + positionText(entry) + ", occurs " +
               occurrenceText(entry);
      if (entry.occurrence_length) {
        lines += ", " + std::to_string(*entry.occurrence_length) + " characters each";
      }
      lines += "\n";
      continue;
    }
    lines += rightAligned(positionText(entry), 8) + "  " +
             rightAligned(std::to_string(entry.length), 6) + "  " +
             padded(modelTypeName(entry.type), 12) + "  " + padded(indent + entry.path, 16) + "  " +
             (entry.display_name ? entry.display_name : "-") + "\n";
  }
  appendUtf8(text, lines);
  return text;
}

std::string layoutJson(const char* record_type, const LayoutView& view) {
  std::string out = "{\"record_type\":";
  appendJsonString1252(out, record_type);
  out += ",\"built\":";
  out += view.field_count > 0 ? "true" : "false";
  out += ",\"field_count\":" + std::to_string(view.field_count);
  out += ",\"record_length\":";
  out += view.record_length ? std::to_string(*view.record_length) : "null";
  out += ",\"minimum_length\":" + std::to_string(view.minimum_length);
  out += ",\"entries\":[";
  for (std::size_t i = 0; i < view.entries.size(); ++i) {
    const LayoutEntry& entry = view.entries[i];
    if (i > 0) out.push_back(',');
    bool first = true;
    out.push_back('{');
    appendKey(out, "kind", first);
    out += entry.is_group ? "\"group\"" : "\"field\"";
    appendKey(out, "path", first);
    appendJsonString1252(out, entry.path);
    appendKey(out, "name", first);
    appendJsonString1252(out, entry.name);
    appendKey(out, "depth", first);
    out += std::to_string(entry.depth);
    appendKey(out, "position", first);
    out += std::to_string(entry.position);
    appendKey(out, "position_after", first);
    appendOptionalText(out, entry.after.empty() ? nullptr : entry.after.c_str());
    if (entry.is_group) {
      appendKey(out, "occurrence_length", first);
      out += entry.occurrence_length ? std::to_string(*entry.occurrence_length) : "null";
      appendKey(out, "counter_field", first);
      appendOptionalText(out, entry.counter_field);
      appendKey(out, "condition", first);
      if (entry.condition == nullptr) {
        out += "null";
      } else {
        out += "{\"field\":";
        appendJsonString1252(out, entry.condition->getFieldName());
        out += ",\"operator\":";
        out += entry.condition->getOperator() == CompareOperator::kEqual ? "\"=\"" : "\"!=\"";
        out += ",\"value\":";
        appendJsonString1252(out, entry.condition->getValue());
        out += "}";
      }
    } else {
      appendKey(out, "length", first);
      out += std::to_string(entry.length);
      appendKey(out, "type", first);
      out += std::string("\"") + modelTypeName(entry.type) + "\"";
      appendKey(out, "display_name", first);
      appendOptionalText(out, entry.display_name);
    }
    out.push_back('}');
  }
  out += "]}\n";
  return out;
}

}  // namespace vexal::cli
