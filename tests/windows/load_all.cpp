// Loads vexal.dll the way a Windows host does (LoadLibrary and
// GetProcAddress only), takes every record type's rule set and layout in
// and out, and checks that the runtime's exceptions travel between
// vexal.dll, pl_runtime.dll and this program. Prints one line per check,
// then "N passed, M failed"; exits non-zero on any failure.

#include <malloc.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "model/record_definition.h"
#include "pl/check_record.h"
#include "pl/plausi.h"
#include "pl/plausi_exception.h"
#include "pl/plausi_problem.h"
#include "pl/runtime_context.h"
#include "record_input.h"

namespace {

using LoadPlausi = pl::Plausi* (*)();
using UnloadPlausi = void (*)(pl::Plausi*);
using LoadDefinition = RecordDefinition* (*)();
using UnloadDefinition = void (*)(RecordDefinition*);

struct RecordType {
  const char* code;
  const char* build_stamp;
};

constexpr RecordType kRecordTypes[] = {
    {"DSAS_01", "20221017_130443"}, {"DSAS_02", "20221017_130444"}, {"DSKO_04", "20221017_130443"},
    {"DSLN_01", "20221017_130442"}, {"DSLN_02", "20221017_130443"},
};
constexpr int kTypeCount = sizeof(kRecordTypes) / sizeof(kRecordTypes[0]);

struct Exports {
  LoadPlausi load_plausi = nullptr;
  UnloadPlausi unload_plausi = nullptr;
  LoadDefinition load_definition = nullptr;
  UnloadDefinition unload_definition = nullptr;
};

class Report {
 public:
  bool check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    (ok ? passed_ : failed_)++;
    return ok;
  }
  void skip(const std::string& what) {
    std::printf("skip %s\n", what.c_str());
    std::fflush(stdout);
    ++skipped_;
  }
  int finish() const {
    if (skipped_ > 0) {
      std::printf("%d passed, %d failed, %d skipped\n", passed_, failed_, skipped_);
    } else {
      std::printf("%d passed, %d failed\n", passed_, failed_);
    }
    return failed_ == 0 && passed_ > 0 ? 0 : 1;
  }

 private:
  int passed_ = 0;
  int failed_ = 0;
  int skipped_ = 0;
};

bool sameText(const char* actual, const char* expected) {
  return actual != nullptr && std::strcmp(actual, expected) == 0;
}

std::string shown(const char* text) {
  if (text == nullptr) return "(null)";
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

// The folder of this program, with a trailing backslash: vexal.dll is
// loaded from there by full path, not from wherever the search order
// finds one.
std::string programFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  std::size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Whether the C runtime's heap, which operator new and delete of every
// module use, is consistent: a wrong or doubled delete in an unload
// function leaves it broken.
bool crtHeapIntact() {
  HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
  return heap != nullptr && HeapValidate(heap, 0, nullptr) != 0;
}

template <class F>
F resolve(Report& report, HMODULE module, const std::string& name) {
  auto address = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())));
  report.check(address != nullptr, "GetProcAddress(" + name + ")");
  return address;
}

// Runs call and checks that it throws pl::PlausiException of the type.
template <class Call>
void expectPlausiException(Report& report, const std::string& what, pl::ExceptionType type,
                           Call call) {
  try {
    call();
    report.check(false, what + ": no exception");
  } catch (const pl::PlausiException& e) {
    report.check(e.getType() == type, what + ": PlausiException of type " +
                                          std::to_string(static_cast<int>(e.getType())) +
                                          " (want " + std::to_string(static_cast<int>(type)) + ")");
  } catch (const std::exception& e) {
    report.check(false, what + ": other exception: " + e.what());
  } catch (...) {
    report.check(false, what + ": unknown exception");
  }
}

// Checks a record line of blanks as long as the layout asks for. The
// check must come back normally (errors in rules become findings) and every
// finding must name its rule or field check.
void checkBlankRecord(Report& report, const std::string& code, pl::Plausi* plausi,
                      const RecordDefinition& definition, pl::RuntimeContext& ctx) {
  const std::string what = code + ": checkRecord of a blank record";
  if (definition.getFieldDefinitionCount() == 0) {
    report.skip(what + ": the layout has no fields");
    return;
  }
  try {
    vexal::host::RecordInput input(definition);
    std::size_t length = input.load("").expected_length;
    std::string line(length, ' ');
    const RecordCut& cut = input.load(line);
    report.check(length > 0 && cut.actual_length == length,
                 code + ": layout length " + std::to_string(length));
    ctx.reset();
    ctx.setDataRecord(&input.record());
    pl::checkRecord(plausi, &ctx);
    std::size_t count = ctx.getProblemCount();
    bool all_named = true;
    for (std::size_t i = 0; i < count; ++i) {
      const char* id = ctx.getProblem(i)->getId();
      if (id == nullptr || *id == '\0') all_named = false;
    }
    report.check(all_named,
                 what + ": " + std::to_string(count) + " findings, each with an identifier");
  } catch (const pl::PlausiException& e) {
    report.check(false, what + ": PlausiException " +
                            std::to_string(static_cast<int>(e.getType())) + ": " + e.getMessage());
  } catch (const std::exception& e) {
    report.check(false, what + ": exception: " + e.what());
  } catch (...) {
    report.check(false, what + ": unknown exception");
  }
  ctx.setDataRecord(nullptr);
  ctx.reset();
}

}  // namespace

int main() {
  Report report;
  const std::string path = programFolder() + "vexal.dll";
  HMODULE module = LoadLibraryA(path.c_str());
  if (!report.check(module != nullptr, "LoadLibraryA(" + path + ")")) {
    std::printf("error %lu\n", static_cast<unsigned long>(GetLastError()));
    return report.finish();
  }

  Exports exports[kTypeCount];
  for (int t = 0; t < kTypeCount; ++t) {
    const std::string code = kRecordTypes[t].code;
    exports[t].load_plausi = resolve<LoadPlausi>(report, module, "loadPlausi" + code);
    exports[t].unload_plausi = resolve<UnloadPlausi>(report, module, "unloadPlausi" + code);
    exports[t].load_definition =
        resolve<LoadDefinition>(report, module, "loadRecordDefinition" + code);
    exports[t].unload_definition =
        resolve<UnloadDefinition>(report, module, "unloadRecordDefinition" + code);
  }
  // Names that are no exports stay hidden.
  for (const char* name : {"loadPlausi", "loadPlausiDSKO_05", "loadPlausi_DSKO_04", "DllMain"}) {
    report.check(GetProcAddress(module, name) == nullptr,
                 std::string("GetProcAddress(") + name + ") finds nothing");
  }

  pl::RuntimeContext ctx;
  for (int t = 0; t < kTypeCount; ++t) {
    const RecordType& type = kRecordTypes[t];
    const std::string code = type.code;
    const Exports& own = exports[t];
    // Objects go back through the next record type's unload functions:
    // all of them share one implementation.
    const Exports& other = exports[(t + 1) % kTypeCount];
    if (!own.load_plausi || !own.load_definition || !other.unload_plausi ||
        !other.unload_definition) {
      report.check(false, code + ": exports missing, record type skipped");
      continue;
    }

    pl::Plausi* plausi = own.load_plausi();
    if (report.check(plausi != nullptr, code + ": loadPlausi returns a rule set")) {
      report.check(sameText(plausi->getRecordType(), type.code),
                   code + ": rule set getRecordType() = " + shown(plausi->getRecordType()));
      report.check(plausi->getVersion() == 1.0,
                   code + ": getVersion() = " + std::to_string(plausi->getVersion()));
      report.check(sameText(plausi->getBuildStamp(), type.build_stamp),
                   code + ": getBuildStamp() = " + shown(plausi->getBuildStamp()) + " (want " +
                       type.build_stamp + ")");
      // Thrown in vexal.dll, caught here.
      expectPlausiException(report, code + ": callFunction(ctx, nullptr)",
                            pl::ExceptionType::kNameMissing,
                            [&] { plausi->callFunction(&ctx, nullptr); });
      expectPlausiException(report, code + ": callFunction of an unknown name",
                            pl::ExceptionType::kNameNotFound,
                            [&] { plausi->callFunction(&ctx, "keineSolcheFunktion"); });
    }

    RecordDefinition* definition = own.load_definition();
    if (report.check(definition != nullptr, code + ": loadRecordDefinition returns a layout")) {
      report.check(sameText(definition->getRecordType(), type.code),
                   code + ": layout getRecordType() = " + shown(definition->getRecordType()));
    }

    // pl_runtime.dll drives the rule set of vexal.dll on a layout of
    // vexal.dll cut here.
    if (plausi != nullptr && definition != nullptr) {
      // Thrown in pl_runtime.dll, caught here.
      expectPlausiException(report, code + ": pl::checkRecord without a record",
                            pl::ExceptionType::kUnspecified, [&] {
                              ctx.setDataRecord(nullptr);
                              pl::checkRecord(plausi, &ctx);
                            });
      checkBlankRecord(report, code, plausi, *definition, ctx);
    }

    const std::string other_code = kRecordTypes[(t + 1) % kTypeCount].code;
    other.unload_plausi(plausi);
    report.check(crtHeapIntact(), code + ": rule set handed back through unloadPlausi" +
                                      other_code + ", heap intact");
    other.unload_definition(definition);
    report.check(crtHeapIntact(), code + ": layout handed back through unloadRecordDefinition" +
                                      other_code + ", heap intact");
  }

  for (int t = 0; t < kTypeCount; ++t) {
    const std::string code = kRecordTypes[t].code;
    if (exports[t].unload_plausi) {
      exports[t].unload_plausi(nullptr);
      report.check(crtHeapIntact(), "unloadPlausi" + code + "(nullptr) returns, heap intact");
    }
    if (exports[t].unload_definition) {
      exports[t].unload_definition(nullptr);
      report.check(crtHeapIntact(),
                   "unloadRecordDefinition" + code + "(nullptr) returns, heap intact");
    }
  }

  // Thrown in pl_runtime.dll, caught here.
  expectPlausiException(report, "RuntimeContext::setProcessingDate(2023, 2, 30)",
                        pl::ExceptionType::kBadFormat, [&] { ctx.setProcessingDate(2023, 2, 30); });

  report.check(FreeLibrary(module) != 0, "FreeLibrary(vexal.dll)");
  return report.finish();
}
