// The type-conformance checks Merkmal_<X>: one per field short name and
// type attributes, each a plain function for the runtime's check table.

#ifndef VEXAL_MACHINERY_FIELD_CHECK_H_
#define VEXAL_MACHINERY_FIELD_CHECK_H_

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <utility>

#include "machinery/catalogue.h"
#include "machinery/fixed_text.h"
#include "pl/field_descriptor.h"
#include "pl/functions.h"
#include "pl/plausi.h"
#include "pl/plausi_problem.h"
#include "pl/runtime_context.h"

namespace vexal::machinery {

// The shape every Merkmal_<X> runs: in section "Merkmal <X>", with the field
// as current field, at most one field finding for the first test that
// fails: not supplied (mandatory fields only), too long, not type-conform.
// Catches every exception, logs it under `check_name` and reports it as a
// finding with info type 0. Returns true when it wrote a finding.
pl::Value* runFieldCheck(pl::RuntimeContext* ctx, pl::Field* field, const RecordCatalogue& record,
                         const FieldRow& catalogue, const char* section, const char* check_name);

// The most digits a numeric field's value may have.
constexpr std::size_t numericDigits(const FieldRow& catalogue) {
  return catalogue.length < DigitMasks::kMaxDigits ? catalogue.length : DigitMasks::kMaxDigits;
}

// The tests of a field check on the field's value, first failing first:
// not supplied (mandatory fields only), too long, not type-conform.
// Nullopt when all pass. Throws nothing.
inline std::optional<pl::ProblemInfoType> failedFieldTest(const pl::Value* value,
                                                          const FieldRow& catalogue) {
  // What a record supplies: a text.
  if (const auto* text = pl::as<pl::StringValue>(value)) {
    if (text->size() > catalogue.length) return pl::ProblemInfoType::kTooLong;
    if (catalogue.runtimeType() != pl::FieldType::kNumeric) return std::nullopt;
    if (!pl::Functions::conformsToDigits(text, numericDigits(catalogue))) {
      return pl::ProblemInfoType::kNotTypeConform;
    }
    return std::nullopt;
  }
  if (value->isInvalid()) {
    if (catalogue.presence == Presence::kMandatory) return pl::ProblemInfoType::kInvalid;
    return std::nullopt;  // the invalid value conforms to every type
  }
  std::optional<std::size_t> length = pl::Functions::length(value);
  if (length && *length > catalogue.length) return pl::ProblemInfoType::kTooLong;
  const bool conform = catalogue.runtimeType() == pl::FieldType::kNumeric
                           ? pl::Functions::conformsToDigits(value, numericDigits(catalogue))
                           : pl::Functions::conforms(value, catalogue.runtimeType(), nullptr);
  if (!conform) return pl::ProblemInfoType::kNotTypeConform;
  return std::nullopt;
}

// The texts a field check passes without a finding, for the runtime: the
// first branch of failedFieldTest() that finds nothing.
constexpr pl::FieldCheckPass fieldCheckPass(const FieldRow& catalogue) {
  pl::FieldCheckPass pass;
  pass.max_length = catalogue.length;
  if (catalogue.runtimeType() == pl::FieldType::kNumeric) pass.digits = numericDigits(catalogue);
  // A numeric field without room for a digit passes no text.
  pass.known = catalogue.runtimeType() != pl::FieldType::kNumeric || pass.digits != 0;
  return pass;
}

// The field of a record type's catalogue: group -1 is the root topic.
constexpr const FieldRow& catalogueField(const RecordCatalogue& record, int group, std::size_t i) {
  return group < 0 ? record.root.fields[i] : record.root.groups[group].element->fields[i];
}

constexpr std::size_t catalogueFieldCount(const RecordCatalogue& record, int group) {
  return group < 0 ? record.root.fields.size() : record.root.groups[group].element->fields.size();
}

// Merkmal_<X> for field I of group G (-1: root) of record type R.
template <const RecordCatalogue& R, int G, std::size_t I>
pl::Value* Merkmal(pl::RuntimeContext* ctx, pl::Field* field) {
  static constexpr auto kSection =
      joinText(texts::kFieldCheckSectionPrefix, catalogueField(R, G, I).name);
  static constexpr auto kName =
      joinText(texts::kFieldCheckNamePrefix, catalogueField(R, G, I).name);
  return runFieldCheck(ctx, field, R, catalogueField(R, G, I), kSection.c_str(), kName.c_str());
}

// The checks of one topic's fields, in catalogue order.
template <const RecordCatalogue& R, int G, std::size_t... I>
constexpr std::array<pl::FieldCheckProc, sizeof...(I)> makeFieldChecks(std::index_sequence<I...>) {
  return {&Merkmal<R, G, I>...};
}

template <const RecordCatalogue& R, int G>
inline constexpr auto kFieldChecks =
    makeFieldChecks<R, G>(std::make_index_sequence<catalogueFieldCount(R, G)>());

inline constexpr std::size_t kMaxGroups = 4;

// The checks of a record type: root fields, then the fields of each group.
struct FieldCheckTable {
  std::span<const pl::FieldCheckProc> root;
  std::array<std::span<const pl::FieldCheckProc>, kMaxGroups> groups;
};

template <const RecordCatalogue& R, std::size_t... G>
constexpr FieldCheckTable makeFieldCheckTableImpl(std::index_sequence<G...>) {
  static_assert(sizeof...(G) <= kMaxGroups, "too many groups");
  return {kFieldChecks<R, -1>, {std::span<const pl::FieldCheckProc>(kFieldChecks<R, G>)...}};
}

template <const RecordCatalogue& R>
constexpr FieldCheckTable makeFieldCheckTable() {
  return makeFieldCheckTableImpl<R>(std::make_index_sequence<R.root.groups.size()>());
}

// The type-conformance checks of record type R, for its RuleSet.
template <const RecordCatalogue& R>
inline constexpr FieldCheckTable kFieldCheckTable = makeFieldCheckTable<R>();

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_FIELD_CHECK_H_
