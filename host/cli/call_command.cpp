// vexal call: one rule function by name.

#include <exception>
#include <memory>

#include "cli/commands.h"
#include "cli/encoding.h"
#include "cli/json.h"
#include "cli/stderr_log.h"
#include "cli/value_text.h"
#include "pl/plausi_exception.h"

namespace vexal::cli {
namespace {

struct Failure {
  int type = -1;  // the ExceptionType, -1 for a foreign exception
  std::string message;
};

std::string jsonStart(const CommandLine& line) {
  std::string out = "{\"record_type\":";
  appendJsonString1252(out, line.record_type);
  out += ",\"function\":";
  appendJsonString1252(out, line.function);
  return out;
}

}  // namespace

int runCall(const CommandLine& line, RuleSetProvider& rule_sets, Output& out, std::FILE* err) {
  const LoadedRecordType* type = rule_sets.find(line.record_type);
  if (type == nullptr || !type->loaded()) {
    std::fprintf(err, "vexal: cannot load record type %s: %s\n", line.record_type.c_str(),
                 type ? toUtf8(type->error).c_str() : "unknown");
    return kExitUsage;
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
    std::string message = "vexal: " + toUtf8(line.function) + " raised an exception";
    if (failure->type >= 0) message += " (type " + std::to_string(failure->type) + ")";
    message += ": " + toUtf8(failure->message) + "\n";
    std::fputs(message.c_str(), err);
    if (line.format == Format::kJson) {
      std::string json = jsonStart(line) + ",\"kind\":\"exception\",\"exception_type\":";
      json += failure->type >= 0 ? std::to_string(failure->type) : "null";
      json += ",\"message\":";
      appendJsonString1252(json, failure->message);
      out.append(json + "}\n");
    }
  } else if (result == nullptr) {
    status = kExitFindings;
    std::fputs("vexal: the function returned no value\n", err);
  } else if (line.format == Format::kJson) {
    std::string json = jsonStart(line) + ",\"kind\":\"" + valueKindName(*result) + "\",\"value\":";
    if (result->isInvalid()) {
      json += "null";
    } else {
      appendJsonString1252(json, valueText(*result));
    }
    out.append(json + "}\n");
  } else {
    appendUtf8(out.text(), valueText(*result));
    out.text().push_back('\n');
  }
  ctx.reset();
  out.flush();
  return out.failed() ? kExitUsage : status;
}

}  // namespace vexal::cli
