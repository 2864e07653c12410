// The C API's results: core results and layouts as the plain structs of
// vexal/check.h, with every text in UTF-8.

#ifndef VEXAL_HOST_CAPI_C_RESULTS_H_
#define VEXAL_HOST_CAPI_C_RESULTS_H_

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/layout_view.h"
#include "core/line_result.h"
#include "vexal/check.h"

namespace vexal::capi {

// Turns one result at a time into a vx_result. A Latin-1 text that is
// plain ASCII is handed out as it is (it is UTF-8 already and lives as
// long as the core result); any other text, and every text made here, is
// written as UTF-8 into a buffer that keeps its capacity from line to
// line. Owns that buffer and the vx_result; both stay valid until the
// next call. Not thread-safe.
class CResults {
 public:
  const vx_result& line(const core::LineResult& result);
  const vx_result& fileWarning(long line, std::string_view message);

 private:
  void start();
  // A finding's attribute in its vx_finding slot: texts as text() hands
  // them out, the error identifier null when there is none, enums as their
  // numbers, an absent optional as -1.
  void put(const char*& slot, const char* latin1);
  void put(const char*& slot, std::string_view code);
  static void put(int& slot, int number) { slot = number; }
  template <class Enum>
  requires std::is_enum_v<Enum>
  static void put(int& slot, Enum value) { slot = static_cast<int>(value); }
  template <class T>
  static void put(int& slot, const std::optional<T>& value) {
    slot = value ? static_cast<int>(*value) : -1;
  }
  // Hands out a Latin-1 text (null stays null) through slot.
  void text(const char*& slot, const char* latin1);
  // Writes a Latin-1 text as UTF-8 into the buffer for slot.
  void copy(const char*& slot, std::string_view latin1);
  // Points the slots at their texts once the buffer holds them all.
  const vx_result& finish();

  std::string buffer_;
  std::string scratch_;  // a Latin-1 text being made, before it is copied
  std::vector<std::pair<const char**, std::size_t>> fixups_;  // slot, offset in buffer_
  std::vector<vx_finding> findings_;
  vx_result result_{};
};

// A record layout as vx_layout, its texts in UTF-8. Owns everything it
// points to, the display names of the rule set included; immutable once
// made.
class CLayout {
 public:
  CLayout(const char* record_type, const RecordDefinition& definition, pl::Plausi* plausi);
  CLayout(const CLayout&) = delete;
  CLayout& operator=(const CLayout&) = delete;

  const vx_layout& layout() const { return layout_; }

 private:
  const char* keep(std::string_view latin1);

  core::DisplayNames names_;
  std::deque<std::string> texts_;
  std::vector<vx_layout_entry> entries_;
  vx_layout layout_{};
};

}  // namespace vexal::capi

#endif  // VEXAL_HOST_CAPI_C_RESULTS_H_
