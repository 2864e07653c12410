// `vexal explain`: from an error identifier or a check to the field it
// tests and the characters of the record that hold it, read from the rule
// sets' own check descriptions and record layouts.

#ifndef VEXAL_HOST_CLI_EXPLAIN_H_
#define VEXAL_HOST_CLI_EXPLAIN_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/display_names.h"
#include "core/layout_view.h"
#include "core/rule_sets.h"
#include "pl/plausi.h"

namespace vexal::cli {

// A record type's checks and layout, read once. Borrows the loaded record
// type, which must outlive it; the view points into the names it owns, so
// it is neither copied nor moved.
class CheckCatalogue {
 public:
  explicit CheckCatalogue(const core::LoadedRecordType& type);
  CheckCatalogue(const CheckCatalogue&) = delete;
  CheckCatalogue& operator=(const CheckCatalogue&) = delete;

  const char* recordType() const { return type_.record_type.c_str(); }
  const std::vector<pl::CheckDescription>& checks() const {
    return type_.plausi->checkDescriptions();
  }
  const core::LayoutView& view() const { return view_; }
  // The layout entry of a field or group path; null when the layout has none.
  const core::LayoutEntry* entry(std::string_view path) const;
  // The mask of the field's runtime type ("0##"), or null.
  const char* mask(std::string_view path) const;

 private:
  const core::LoadedRecordType& type_;
  core::DisplayNames names_;
  core::LayoutView view_;
};

// One check of one record type as explain shows it; points into its
// catalogue.
struct ExplainedCheck {
  const CheckCatalogue* catalogue = nullptr;
  const pl::CheckDescription* check = nullptr;
  // The texts with the identifier asked for (one identifier may word
  // several faults); empty when a check was asked for.
  std::vector<const char*> asked_texts;
  const core::LayoutEntry* field = nullptr;  // null when the layout lacks it
  const core::LayoutEntry* group = nullptr;  // null for a top-level field
  const char* mask = nullptr;
  // The first and last character of the field (of its first occurrence, in
  // a group), counted from the start of the record; empty where a group of
  // variable size comes before, so that the place depends on the record.
  std::optional<std::size_t> from;
  std::optional<std::size_t> to;
};

// The checks whose texts carry the identifier `what` (DSLN280), or whose
// procedure or rule function is `what` (P_GTST, F_PruefeGTST); case does
// not matter.
std::vector<ExplainedCheck> explainChecks(const CheckCatalogue& catalogue, std::string_view what);

// The known identifiers and checks nearest to `what`, at most `count`, for
// the message about an unknown one.
std::vector<std::string> nearestKnown(
    const std::vector<std::unique_ptr<CheckCatalogue>>& catalogues, std::string_view what,
    std::size_t count);

// explain's output: text lines (UTF-8) for a person, or one JSON object
// per check.
std::string explainText(const std::vector<ExplainedCheck>& found);
std::string explainJsonl(const std::vector<ExplainedCheck>& found);

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_EXPLAIN_H_
