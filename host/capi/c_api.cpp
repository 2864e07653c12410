// The C API of libvexalcheck (vexal/check.h) over the checking core.
// Every entry point catches everything: a C++ exception never leaves
// the library, std::bad_alloc becomes VX_OUT_OF_MEMORY.

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iterator>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "capi/c_results.h"
#include "core/check_options.h"
#include "core/checker.h"
#include "core/encoding.h"
#include "core/library.h"
#include "core/open_file.h"
#include "core/record_type.h"
#include "core/result_stream.h"
#include "core/rule_sets.h"
#include "core/shared_library.h"
#include "vexal/check.h"

#ifndef VEXAL_VERSION
#define VEXAL_VERSION "0"
#endif

namespace {

using namespace vexal;

// A failure with its status; the message is UTF-8.
struct Failure {
  vx_status status;
  std::string message;
};

// A stream read through the caller's callback.
class CallbackSource final : public core::ByteSource {
 public:
  CallbackSource(vx_read_callback read, void* context) : read_(read), context_(context) {}
  std::size_t read(char* buffer, std::size_t size) override {
    if (failed_) return 0;
    const long long got = read_(context_, buffer, size);
    if (got < 0 || static_cast<unsigned long long>(got) > size) {
      failed_ = true;
      return 0;
    }
    return static_cast<std::size_t>(got);
  }
  bool failed() const override { return failed_; }
  std::string failure() const override { return "the read callback failed"; }

 private:
  vx_read_callback read_;
  void* context_;
  bool failed_ = false;
};

// The file or stream a checker reads, one result at a time.
struct Input {
  ~Input() {
    if (file != nullptr) std::fclose(file);
  }

  std::FILE* file = nullptr;  // opened by path, owned
  std::unique_ptr<core::ByteSource> source;
  std::unique_ptr<core::ResultStream> stream;
  core::StreamItem item;
};

// The text of a message for a buffer of size bytes: cut at a character
// boundary when too long.
void copyMessage(std::string_view text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) return;
  const std::string message = core::escapeInvalidUtf8(text);
  std::size_t n = message.size() < size ? message.size() : size - 1;
  while (n > 0 && n < message.size() && (static_cast<unsigned char>(message[n]) & 0xC0) == 0x80) {
    --n;
  }
  std::memcpy(buffer, message.data(), n);
  buffer[n] = '\0';
}

// Whether options, of the size the caller knows, holds field.
#define VX_HAS(options, field) \
  ((options)->size >= offsetof(vx_options, field) + sizeof((options)->field))

// The core options from the caller's, or why they are wrong.
bool readOptions(const vx_options* given, core::CheckOptions& options, std::string& library_path,
                 Failure& failure) {
  vx_options defaults;
  vx_options_init(&defaults);
  if (given == nullptr) given = &defaults;
  auto invalid = [&](std::string message) {
    failure = {VX_INVALID_ARGUMENT, std::move(message)};
    return false;
  };
  if (given->size < offsetof(vx_options, library_path) + sizeof(given->library_path)) {
    return invalid("options.size is too small: start from vx_options_init()");
  }
  if (VX_HAS(given, library_path) && given->library_path != nullptr) {
    library_path = given->library_path;
  }
  if (VX_HAS(given, today) && given->today != nullptr) {
    options.today = core::parseDate(given->today);
    if (!options.today) {
      return invalid(std::string("today wants a date JJJJMMTT, e.g. 20261208, not '") +
                     given->today + "'");
    }
  }
  if (VX_HAS(given, param_count) && given->param_count > 0) {
    if (given->params == nullptr) return invalid("params is NULL but param_count is not 0");
    for (std::size_t i = 0; i < given->param_count; ++i) {
      const vx_param& param = given->params[i];
      if (param.name == nullptr || *param.name == '\0' || param.value == nullptr) {
        return invalid("params[" + std::to_string(i) + "] wants a name and a value");
      }
      options.params.emplace_back(core::argumentTo1252(param.name),
                                  core::argumentTo1252(param.value));
    }
  }
  if (std::string error = core::initParameterError(options.params); !error.empty()) {
    return invalid(core::toUtf8(error));
  }
  if (VX_HAS(given, level)) {
    if (given->level < 0) {
      return invalid("level wants a number 0 or greater, not " + std::to_string(given->level));
    }
    options.level = given->level;
  }
  if (VX_HAS(given, record_type) && given->record_type != nullptr) {
    if (!core::isRecordType(given->record_type)) {
      return invalid(std::string("unknown record type '") + given->record_type + "' (use " +
                     core::recordTypeChoices() + ")");
    }
    options.record_type = given->record_type;
  }
  return true;
}

}  // namespace

// The checker behind the handle. Members are destroyed in reverse: the
// input and the results before the checker, the rule sets before the
// library they came from.
struct vx_checker {
  std::unique_ptr<core::Library> library;
  std::unique_ptr<core::LibraryRuleSets> rule_sets;
  std::unique_ptr<core::Checker> checker;
  capi::CResults results;
  std::map<std::string, std::unique_ptr<capi::CLayout>, std::less<>> layouts;
  std::unique_ptr<Input> input;
  std::string message;
  // Set while a call runs on the checker: a call from one of its own
  // callbacks, or from another thread, finds it set and is refused.
  std::atomic<bool> busy{false};

  vx_status succeed() {
    message.clear();
    return VX_OK;
  }
  vx_status fail(vx_status status, std::string_view text) {
    try {
      message = core::escapeInvalidUtf8(text);
    } catch (...) {
      message.clear();  // keeps no allocation; "" says nothing, the status does
    }
    return status;
  }
};

namespace {

// Holds a checker's busy flag for one call; taken() is false when another
// call holds it.
class BusyFlag {
 public:
  explicit BusyFlag(vx_checker* checker)
      : checker_(checker), taken_(!checker->busy.exchange(true, std::memory_order_acquire)) {}
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;
  ~BusyFlag() {
    if (taken_) checker_->busy.store(false, std::memory_order_release);
  }
  bool taken() const { return taken_; }

 private:
  vx_checker* checker_;
  bool taken_;
};

// Runs body while it holds the checker, turning every exception into a
// status and message. A checker in use is not touched: VX_BUSY.
template <class Body>
vx_status guarded(vx_checker* checker, Body&& body) {
  if (checker == nullptr) return VX_INVALID_ARGUMENT;
  BusyFlag flag(checker);
  if (!flag.taken()) return VX_BUSY;
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return checker->fail(VX_OUT_OF_MEMORY, "out of memory");
  } catch (const std::exception& e) {
    return checker->fail(VX_INTERNAL_ERROR, core::toUtf8(e.what()));
  } catch (...) {
    return checker->fail(VX_INTERNAL_ERROR, "unknown exception");
  }
}

vx_status openInput(vx_checker* checker, std::unique_ptr<Input> input) {
  input->stream = std::make_unique<core::ResultStream>(*input->source, checker->checker.get());
  checker->input = std::move(input);
  return checker->succeed();
}

vx_status openFile(vx_checker* checker, const char* path) {
  checker->input.reset();
  if (path == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "path is NULL");
  auto input = std::make_unique<Input>();
  std::string reason;
  std::int64_t size = 0;
  input->file = core::openForReading(path, reason, size);
  if (input->file == nullptr) {
    return checker->fail(VX_IO_ERROR, std::string("cannot open ") + path + ": " + reason);
  }
  input->source = std::make_unique<core::FileSource>(input->file);
  return openInput(checker, std::move(input));
}

vx_status openStream(vx_checker* checker, vx_read_callback read, void* read_context) {
  checker->input.reset();
  if (read == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "read is NULL");
  auto input = std::make_unique<Input>();
  input->source = std::make_unique<CallbackSource>(read, read_context);
  return openInput(checker, std::move(input));
}

// The next result of the checker's input, or null at its end. Empty
// lines give none.
const vx_result* nextResult(vx_checker* checker, vx_status& status) {
  Input& input = *checker->input;
  status = VX_OK;
  core::StreamItem& item = input.item;
  while (input.stream->next(item)) {
    switch (item.kind) {
      case core::StreamItem::Kind::kLine:
        if (item.line.empty()) continue;
        return &checker->results.line(input.stream->result(item));
      case core::StreamItem::Kind::kFileWarning:
        return &checker->results.fileWarning(item.warning_line, item.message);
      case core::StreamItem::Kind::kReadFailure:
        status = checker->fail(VX_IO_ERROR, core::toUtf8(item.message));
        return nullptr;
    }
  }
  return nullptr;
}

vx_status runInput(vx_checker* checker, vx_result_callback on_result, void* context) {
  vx_status status = VX_OK;
  while (const vx_result* result = nextResult(checker, status)) {
    if (on_result(context, result) != 0) {
      status = checker->fail(VX_STOPPED, "the result callback stopped the check");
      break;
    }
  }
  checker->input.reset();
  return status == VX_OK ? checker->succeed() : status;
}

}  // namespace

extern "C" {

VX_API const char* vx_status_name(vx_status status) {
  // Read as the int the caller passed: any value has a name, and none is
  // taken for an enumerator it is not.
  int value;
  static_assert(sizeof value == sizeof status);
  std::memcpy(&value, &status, sizeof value);
  static constexpr const char* kNames[] = {
      "VX_OK",      "VX_INVALID_ARGUMENT", "VX_LIBRARY_ERROR", "VX_IO_ERROR", "VX_OUT_OF_MEMORY",
      "VX_STOPPED", "VX_INTERNAL_ERROR",   "VX_BUSY",
  };
  if (value < 0 || value >= static_cast<int>(std::size(kNames))) return "VX_UNKNOWN_STATUS";
  return kNames[value];
}

VX_API const char* vx_version(void) { return VEXAL_VERSION; }

VX_API void vx_options_init(vx_options* options) {
  if (options == nullptr) return;
  *options = vx_options{};
  options->size = sizeof(vx_options);
  options->level = 1;
}

VX_API vx_status vx_checker_new(const vx_options* options, vx_checker** checker, char* message,
                                std::size_t message_size) {
  copyMessage("", message, message_size);
  if (checker == nullptr) {
    copyMessage("checker is NULL", message, message_size);
    return VX_INVALID_ARGUMENT;
  }
  *checker = nullptr;
  try {
    core::CheckOptions settings;
    std::string path;
    Failure failure;
    if (!readOptions(options, settings, path, failure)) {
      copyMessage(failure.message, message, message_size);
      return failure.status;
    }
    if (path.empty()) {
      path = core::moduleFolder(reinterpret_cast<const void*>(&vx_checker_new)) +
             core::defaultLibraryName();
    }
    auto made = std::make_unique<vx_checker>();
    std::string error;
    made->library = core::Library::open(path, error);
    if (made->library == nullptr) {
      copyMessage("cannot load the library " + path + ": " + error, message, message_size);
      return VX_LIBRARY_ERROR;
    }
    made->rule_sets = std::make_unique<core::LibraryRuleSets>(*made->library);
    made->checker = std::make_unique<core::Checker>(*made->rule_sets);
    made->checker->configure(settings);
    *checker = made.release();
    return VX_OK;
  } catch (const std::bad_alloc&) {
    copyMessage("out of memory", message, message_size);
    return VX_OUT_OF_MEMORY;
  } catch (const std::exception& e) {
    copyMessage(e.what(), message, message_size);
    return VX_INTERNAL_ERROR;
  } catch (...) {
    copyMessage("unknown exception", message, message_size);
    return VX_INTERNAL_ERROR;
  }
}

VX_API void vx_checker_free(vx_checker* checker) { delete checker; }

VX_API const char* vx_checker_message(const vx_checker* checker) {
  return checker != nullptr ? checker->message.c_str() : "checker is NULL";
}

VX_API vx_status vx_check_line(vx_checker* checker, const char* line, std::size_t size,
                               long long line_number, const vx_result** result) {
  return guarded(checker, [&] {
    if (result == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "result is NULL");
    *result = nullptr;
    if (line == nullptr && size > 0) return checker->fail(VX_INVALID_ARGUMENT, "line is NULL");
    // The same limit as a file's lines: a longer line is not checked.
    core::InputLine input;
    input.number = static_cast<long>(line_number);
    input.max_line_length = core::LineReader::kDefaultMaxLineLength;
    if (size > input.max_line_length) {
      input.overlong_length = size;
    } else if (size > 0) {
      input.bytes = std::string_view(line, size);
    }
    *result = &checker->results.line(checker->checker->check(input));
    return checker->succeed();
  });
}

VX_API vx_status vx_input_open_file(vx_checker* checker, const char* path) {
  return guarded(checker, [&] { return openFile(checker, path); });
}

VX_API vx_status vx_input_open_stream(vx_checker* checker, vx_read_callback read,
                                      void* read_context) {
  return guarded(checker, [&] { return openStream(checker, read, read_context); });
}

VX_API vx_status vx_input_next(vx_checker* checker, const vx_result** result) {
  return guarded(checker, [&] {
    if (result == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "result is NULL");
    *result = nullptr;
    if (checker->input == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "no input is open");
    vx_status status = VX_OK;
    *result = nextResult(checker, status);
    return status == VX_OK ? checker->succeed() : status;
  });
}

VX_API void vx_input_close(vx_checker* checker) {
  if (checker == nullptr) return;
  BusyFlag flag(checker);
  if (flag.taken()) checker->input.reset();
}

VX_API vx_status vx_check_file(vx_checker* checker, const char* path, vx_result_callback on_result,
                               void* context) {
  return guarded(checker, [&] {
    if (on_result == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "on_result is NULL");
    const vx_status opened = openFile(checker, path);
    return opened == VX_OK ? runInput(checker, on_result, context) : opened;
  });
}

VX_API vx_status vx_check_stream(vx_checker* checker, vx_read_callback read, void* read_context,
                                 vx_result_callback on_result, void* context) {
  return guarded(checker, [&] {
    if (on_result == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "on_result is NULL");
    const vx_status opened = openStream(checker, read, read_context);
    return opened == VX_OK ? runInput(checker, on_result, context) : opened;
  });
}

VX_API vx_status vx_checker_layout(vx_checker* checker, const char* record_type,
                                   const vx_layout** layout) {
  return guarded(checker, [&] {
    if (layout == nullptr) return checker->fail(VX_INVALID_ARGUMENT, "layout is NULL");
    *layout = nullptr;
    if (record_type == nullptr || !core::isRecordType(record_type)) {
      return checker->fail(VX_INVALID_ARGUMENT,
                           std::string("unknown record type '") +
                               (record_type != nullptr ? record_type : "(NULL)") + "'");
    }
    auto found = checker->layouts.find(std::string_view(record_type));
    if (found == checker->layouts.end()) {
      const core::LoadedRecordType* type = checker->rule_sets->find(record_type);
      if (type == nullptr || !type->loaded()) {
        return checker->fail(VX_LIBRARY_ERROR,
                             std::string("cannot load record type ") + record_type + ": " +
                                 core::toUtf8(type != nullptr ? type->error : "unknown"));
      }
      auto made = std::make_unique<capi::CLayout>(record_type, *type->definition, type->plausi);
      found = checker->layouts.emplace(record_type, std::move(made)).first;
    }
    *layout = &found->second->layout();
    return checker->succeed();
  });
}

}  // extern "C"
