// vexal layout, call and types: what the library holds, shown as text or
// JSON.

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

#include "cli/check_run.h"
#include "cli/commands.h"
#include "cli/explain.h"
#include "cli/output.h"
#include "cli/printers.h"
#include "core/encoding.h"
#include "core/record_type.h"
#include "pl/plausi_exception.h"

namespace vexal::cli {

namespace {

// The record type's rule set and layout; null, with the reason on err,
// when they cannot be loaded.
const core::LoadedRecordType* loadedType(core::RuleSetProvider& rule_sets,
                                         const std::string& record_type, std::FILE* err) {
  const core::LoadedRecordType* type = rule_sets.find(record_type);
  if (type != nullptr && type->loaded()) return type;
  writeText(err, "vexal: cannot load record type " + record_type + ": " +
                     (type ? core::toUtf8(type->error) : "unknown") + "\n");
  return nullptr;
}

// Writes the JSON document or the text (Windows-1252, made UTF-8 here) that
// --format asks for; `status` unless the output fails.
int writeJsonOrText(const CommandLine& line, Output& out, const std::string& json,
                    const std::string& text1252, int status) {
  if (line.format == Format::kJson) {
    out.append(json);
  } else {
    core::appendUtf8(out.text(), text1252);
  }
  out.flush();
  return out.failed() ? kExitUsage : status;
}

}  // namespace

int runLayout(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
              std::FILE* err) {
  const core::LoadedRecordType* type = loadedType(rule_sets, line.record_type, err);
  if (type == nullptr) return kExitUsage;
  // The view points into the names.
  const core::DisplayNames names = core::DisplayNames::of(type->plausi);
  core::LayoutView view = core::describeLayout(*type->definition, names);
  out.append(line.format == Format::kJson ? layoutJson(type->record_type.c_str(), view)
                                          : layoutText(type->record_type.c_str(), view));
  out.flush();
  return out.failed() ? kExitUsage : kExitClean;
}

namespace {

// A usage error of a subcommand: its one line, exit status 2.
int usageError(std::FILE* err, const std::string& message1252) {
  writeText(err, "vexal: " + core::toUtf8(message1252) + "\nTry 'vexal call --help'.\n");
  return kExitUsage;
}

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string rightAligned(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string positionText(const core::LayoutEntry& entry) {
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

std::string layoutText(const char* record_type, const core::LayoutView& view) {
  std::string text(record_type);
  if (view.field_count == 0) return text + ": empty layout in this library\n";
  text += ": " + std::to_string(view.field_count) + " fields, ";
  text += view.record_length ? std::to_string(*view.record_length) + " characters\n"
                             : "at least " + std::to_string(view.minimum_length) +
                                   " characters (groups vary in size)\n";
  text += "display names from the rule set's topic tree\n\n";
  text += "POSITION  LENGTH  TYPE          NAME              DISPLAY NAME\n";
  std::string lines;
  for (const core::LayoutEntry& entry : view.entries) {
    std::string indent(static_cast<std::size_t>(entry.depth) * 2, ' ');
    if (entry.is_group) {
      lines += indent + "group " + entry.path + " at " + positionText(entry) + ", occurs " +
               core::occurrenceText(entry);
      if (entry.occurrence_length) {
        lines += ", " + std::to_string(*entry.occurrence_length) + " characters each";
      }
      lines += "\n";
      continue;
    }
    lines += rightAligned(positionText(entry), 8) + "  " +
             rightAligned(std::to_string(entry.length), 6) + "  " +
             padded(core::modelTypeName(entry.type), 12) + "  " + padded(indent + entry.path, 16) +
             "  " + (entry.display_name ? entry.display_name : "-") + "\n";
  }
  core::appendUtf8(text, lines);
  return text;
}

std::string layoutJson(const char* record_type, const core::LayoutView& view) {
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
    const core::LayoutEntry& entry = view.entries[i];
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
      out += std::string("\"") + core::modelTypeName(entry.type) + "\"";
      appendKey(out, "display_name", first);
      appendOptionalText(out, entry.display_name);
    }
    out.push_back('}');
  }
  out += "]}\n";
  return out;
}

namespace {

struct Failure {
  int type = -1;  // the ExceptionType, -1 for a foreign exception
  std::string message;
};

// call --list: a line per function with its parameters, or one JSON
// document.
int listFunctions(const CommandLine& line, const std::vector<pl::CallableFunction>& functions,
                  Output& out) {
  std::string text;
  std::string json = "{\"record_type\":";
  appendJsonString1252(json, line.record_type);
  json += ",\"functions\":[";
  for (const pl::CallableFunction& function : functions) {
    if (json.back() != '[') json += ",";
    json += "{\"function\":";
    appendJsonString1252(json, function.name);
    json += ",\"parameters\":[";
    text += function.name;
    for (std::size_t i = 0; i < function.parameters.size(); ++i) {
      if (i > 0) json += ",";
      appendJsonString1252(json, function.parameters[i]);
      text += std::string(i == 0 ? " " : ", ") + function.parameters[i];
    }
    json += "]}";
    text += "\n";
  }
  json += "]}\n";
  return writeJsonOrText(line, out, json, text, kExitClean);
}

std::string jsonStart(const CommandLine& line) {
  std::string out = "{\"record_type\":";
  appendJsonString1252(out, line.record_type);
  out += ",\"function\":";
  appendJsonString1252(out, line.function);
  return out;
}

}  // namespace

int runCall(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
            std::FILE* err) {
  const core::LoadedRecordType* type = loadedType(rule_sets, line.record_type, err);
  if (type == nullptr) return kExitUsage;
  // The function and its parameters, as the rule set tells them.
  const std::vector<pl::CallableFunction>& functions = type->plausi->callableFunctions();
  if (line.list) return listFunctions(line, functions, out);
  auto function = std::find_if(functions.begin(), functions.end(),
                               [&](const auto& f) { return line.function == f.name; });
  if (!functions.empty() && function == functions.end()) {
    std::string names;
    for (const pl::CallableFunction& f : functions)
      names.append(names.empty() ? "" : " ").append(f.name);
    return usageError(err, "unknown function '" + line.function + "' of " + line.record_type +
                               " (callable: " + names + ")");
  }
  if (function != functions.end()) {
    const std::vector<const char*>& parameters = function->parameters;
    auto known = [&](std::string_view name) {
      return name == core::kLeapDayParameter ||
             std::find(parameters.begin(), parameters.end(), name) != parameters.end();
    };
    auto given = [&](std::string_view name) {
      return std::any_of(line.params.begin() + 1, line.params.end(),
                         [&](const auto& p) { return p.first == name; });
    };
    std::string takes;
    for (const char* parameter : parameters)
      takes.append(takes.empty() ? "" : ", ").append(parameter);
    for (auto p = line.params.begin() + 1; p != line.params.end(); ++p) {
      if (known(p->first)) continue;
      return usageError(
          err, line.function + " takes " +
                   (parameters.empty() ? std::string("no parameters") : "the parameters " + takes) +
                   ", not '" + p->first + "'");
    }
    for (const char* parameter : parameters) {
      if (given(parameter)) continue;
      writeText(err, core::toUtf8("vexal: note: " + line.function + "'s parameter " + parameter +
                                  " not given: it gets the invalid value\n"));
    }
  }

  pl::RuntimeContext ctx;
  core::configureContext(ctx, checkOptions(line));
  std::unique_ptr<StderrLog> log;
  if (line.log) {
    log = std::make_unique<StderrLog>(err, nullptr);
    ctx.getLogger().setTraceSink(log.get());
    ctx.getLogger().setErrorSink(log.get());
  }

  const pl::Value* result = nullptr;
  std::unique_ptr<Failure> failure;
  try {
    result = type->plausi->callFunction(&ctx, line.function.c_str());
  } catch (const pl::PlausiException& e) {
    failure.reset(new Failure{static_cast<int>(e.getType()), e.getMessage()});
  } catch (pl::PlausiException* e) {
    failure.reset(new Failure{static_cast<int>(e->getType()), e->getMessage()});
    delete e;
  } catch (const std::exception& e) {
    failure.reset(new Failure{-1, e.what()});
  } catch (...) {
    failure.reset(new Failure{-1, "unknown exception"});
  }
  if (log) log->flush();

  int status = kExitClean;
  if (failure) {
    status = kExitFindings;
    std::string message = "vexal: " + core::toUtf8(line.function) + " raised an exception";
    if (failure->type >= 0) message += " (type " + std::to_string(failure->type) + ")";
    message += ": " + core::toUtf8(failure->message) + "\n";
    writeText(err, message);
    if (line.format == Format::kJson) {
      std::string json = jsonStart(line) + ",\"kind\":\"exception\",\"exception_type\":";
      json += failure->type >= 0 ? std::to_string(failure->type) : "null";
      json += ",\"message\":";
      appendJsonString1252(json, failure->message);
      out.append(json + "}\n");
    }
  } else if (result == nullptr) {
    status = kExitFindings;
    writeText(err, "vexal: the function returned no value\n");
  } else if (line.format == Format::kJson) {
    std::string json = jsonStart(line) + ",\"kind\":\"" + valueKindName(*result) + "\",\"value\":";
    if (result->isInvalid()) {
      json += "null";
    } else {
      appendJsonString1252(json, valueText(*result));
    }
    out.append(json + "}\n");
  } else {
    core::appendUtf8(out.text(), valueText(*result));
    out.text().push_back('\n');
  }
  ctx.reset();
  out.flush();
  return out.failed() ? kExitUsage : status;
}

const char* valueKindName(const pl::Value& value) {
  using Kind = pl::Value::Kind;
  switch (value.getKind()) {
    case Kind::kInvalid:
      return "invalid";
    case Kind::kString:
      return "string";
    case Kind::kNumber:
      return "number";
    case Kind::kBool:
      return "bool";
    case Kind::kDate:
      return "date";
    case Kind::kIntervalRange:
      return "interval_range";
    case Kind::kSequenceRange:
      return "sequence_range";
    case Kind::kRangeSeries:
      return "range_series";
  }
  return "unknown";
}

std::string valueText(const pl::Value& value) {
  using Kind = pl::Value::Kind;
  switch (value.getKind()) {
    case Kind::kInvalid:
      return "(invalid)";
    case Kind::kString:
      return std::string(static_cast<const pl::StringValue&>(value).view());
    case Kind::kNumber:
    case Kind::kBool:
    case Kind::kDate:
      return value.getString();
    case Kind::kIntervalRange:
    case Kind::kSequenceRange:
    case Kind::kRangeSeries:
      break;
  }
  return std::string("(") + valueKindName(value) + ")";
}

namespace {

// 1.0 as "1.0", 1.25 as "1.25".
std::string shownVersion(double version) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", version);
  std::string shown = text;
  if (shown.find_first_of(".en") == std::string::npos) shown += ".0";
  return shown;
}

}  // namespace

int runTypes(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
             std::FILE* err) {
  int status = kExitClean;
  std::string json = "[";
  std::string text;
  for (const char* code : core::kRecordTypes) {
    const core::LoadedRecordType* type = loadedType(rule_sets, code, err);
    if (type == nullptr) {
      status = kExitUsage;
      continue;
    }
    const std::string version = shownVersion(type->plausi->getVersion());
    const char* stamp = type->plausi->getBuildStamp();
    const std::size_t fields = type->definition->getFieldDefinitionCount();
    if (json.size() > 1) json += ",";
    json += "{\"record_type\":";
    appendJsonString1252(json, code);
    json += ",\"version\":" + version + ",\"build_stamp\":";
    if (stamp != nullptr) {
      appendJsonString1252(json, stamp);
    } else {
      json += "null";
    }
    json += std::string(",\"built\":") + (type->built() ? "true" : "false") + "}";
    text += std::string(code) + "  version " + version + "  build " + (stamp ? stamp : "-") + "  " +
            (type->built() ? "built (" + std::to_string(fields) + " top-level fields)"
                           : std::string("empty layout"));
    text += "\n";
  }
  json += "]\n";
  return writeJsonOrText(line, out, json, text, status);
}

int runExplain(const CommandLine& line, core::RuleSetProvider& rule_sets, Output& out,
               std::FILE* err) {
  const std::string& what = line.explain.back();
  const std::string what1252 = core::argumentTo1252(what);
  std::vector<std::unique_ptr<CheckCatalogue>> catalogues;
  for (const char* code : core::kRecordTypes) {
    if (line.explain.size() == 2 && line.explain.front() != code) continue;
    const core::LoadedRecordType* type = loadedType(rule_sets, code, err);
    if (type == nullptr) return kExitUsage;
    catalogues.push_back(std::make_unique<CheckCatalogue>(*type));
  }
  std::vector<ExplainedCheck> found;
  for (const auto& catalogue : catalogues) {
    std::vector<ExplainedCheck> more = explainChecks(*catalogue, what1252);
    found.insert(found.end(), more.begin(), more.end());
  }
  if (found.empty()) {
    std::string message =
        "vexal: no check of " +
        (line.explain.size() == 2 ? line.explain.front() : std::string("any record type")) +
        " has the identifier or is the check '" + what + "'";
    std::vector<std::string> nearest = nearestKnown(catalogues, what1252, 3);
    for (std::size_t i = 0; i < nearest.size(); ++i) {
      message += (i == 0 ? " (nearest: " : ", ") + core::toUtf8(nearest[i]);
    }
    writeText(err, message + (nearest.empty() ? "\n" : ")\n"));
    return kExitUsage;
  }
  out.append(line.format == Format::kJsonl ? explainJsonl(found) : explainText(found));
  out.flush();
  return out.failed() ? kExitUsage : kExitClean;
}

int runParams(const CommandLine& line, Output& out) {
  std::string text;
  std::string json = "[";
  for (const core::InitParameter& parameter : core::kInitParameterTable) {
    text += std::string(parameter.name) + "  default " + parameter.default_value + "  format " +
            parameter.format + "\n  " + parameter.meaning + "\n";
    if (json.size() > 1) json += ",";
    json += "{\"name\":";
    appendJsonString1252(json, parameter.name);
    json += ",\"default\":";
    appendJsonString1252(json, parameter.default_value);
    json += ",\"format\":";
    appendJsonString1252(json, parameter.format);
    json += ",\"meaning\":";
    appendJsonString1252(json, parameter.meaning);
    json += "}";
  }
  json += "]\n";
  return writeJsonOrText(line, out, json, text, kExitClean);
}

}  // namespace vexal::cli
