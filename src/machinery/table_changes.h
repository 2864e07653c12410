// A record type that differs from another by a few fields and checks
// states its differences and takes the rest of the other's tables:
//
//   constexpr auto kFields = withChanges(
//       DSAS_01::catalogue::kFields,
//       replace(FieldRow{"RESERVE3", "RESERVE3", kText, 85, kMandatory}),
//       insertAfter("RESERVE3", FieldRow{"UNRS", "UNTERNEHMENSNUMMER", kText, 15, kMandatory}));
//
// Field rows are named by their short name, check rows by their procedure.
// A change that names no row of the table does not compile.

#ifndef VEXAL_MACHINERY_TABLE_CHANGES_H_
#define VEXAL_MACHINERY_TABLE_CHANGES_H_

#include <array>
#include <cstddef>
#include <iterator>
#include <tuple>
#include <type_traits>

#include "machinery/catalogue.h"
#include "machinery/check_rows.h"

namespace vexal::machinery {

// Replaces the row of the same name.
template <class Row>
struct Replace {
  Row row;
};

// Puts a new row right after the named one.
template <class Row>
struct InsertAfter {
  const char* after;
  Row row;
};

template <class Row>
consteval Replace<Row> replace(Row row) {
  return {row};
}

template <class Row>
consteval InsertAfter<Row> insertAfter(const char* after, Row row) {
  return {after, row};
}

namespace table_changes_internal {

constexpr const char* nameOf(const FieldRow& field) { return field.name; }
constexpr const char* nameOf(const CheckRow& row) { return row.procedure; }

constexpr bool sameName(const char* a, const char* b) {
  for (; *a != '\0' && *a == *b; ++a, ++b) {
  }
  return *a == *b;
}

template <class Change>
struct Inserts {
  static constexpr std::size_t value = 0;
};
template <class Row>
struct Inserts<InsertAfter<Row>> {
  static constexpr std::size_t value = 1;
};

template <class Table>
struct RowCount {
  static constexpr std::size_t value = std::tuple_size_v<Table>;
};
template <class Row, std::size_t N>
struct RowCount<Row[N]> {
  static constexpr std::size_t value = N;
};

template <class Row, std::size_t N>
constexpr std::size_t indexOf(const std::array<Row, N>& rows, std::size_t count, const char* name) {
  for (std::size_t i = 0; i < count; ++i) {
    if (sameName(nameOf(rows[i]), name)) return i;
  }
  throw "a change names no row of the table";
}

}  // namespace table_changes_internal

template <class Table, class... Changes>
consteval auto withChanges(const Table& table, const Changes&... changes) {
  using namespace table_changes_internal;
  using Row = std::remove_cvref_t<decltype(*std::begin(table))>;
  std::array<Row, RowCount<Table>::value + (Inserts<Changes>::value + ... + 0)> rows{};
  std::size_t count = 0;
  for (const Row& row : table) rows[count++] = row;
  auto apply = [&](const auto& change) {
    if constexpr (std::is_same_v<std::remove_cvref_t<decltype(change)>, Replace<Row>>) {
      rows[indexOf(rows, count, nameOf(change.row))] = change.row;
    } else {
      static_assert(std::is_same_v<std::remove_cvref_t<decltype(change)>, InsertAfter<Row>>,
                    "a change of another kind of row");
      std::size_t at = indexOf(rows, count, change.after) + 1;
      for (std::size_t i = count; i > at; --i) rows[i] = rows[i - 1];
      rows[at] = change.row;
      ++count;
    }
  };
  (apply(changes), ...);
  return rows;
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_TABLE_CHANGES_H_
