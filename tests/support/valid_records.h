// Valid records of a record type built from that type's data: its root
// fields, its tariff position and its contact person, each field given as
// "<name>=<text>". A type that differs from another states only its
// differences (derive()). ValidRecords offers the records and the harness
// that checks them; support/record_types.h names it for each record type
// (dsas01, dsln02, ...).

#ifndef VEXAL_TESTS_SUPPORT_VALID_RECORDS_H_
#define VEXAL_TESTS_SUPPORT_VALID_RECORDS_H_

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/record_definition.h"
#include "support/harness.h"
#include "support/record_builder.h"

namespace vexal::testing {

// Fields as "<name>=<text>"; the text may be empty (a blank field).
using FieldTexts = std::vector<std::string>;

struct RecordData {
  FieldTexts fields;    // the root fields
  FieldTexts position;  // one tariff position (group "UV"); empty: the type has none
  FieldTexts contact;   // the contact person (group "AN"); empty: the type has none
  // The day after which the next reporting year opens ("MMDD", init
  // parameter ipMjahrSchalttag); empty: not set.
  std::string switch_day;
};

inline std::string_view nameOf(std::string_view field) { return field.substr(0, field.find('=')); }

// `base` with the fields `set` set (added or replaced) and the fields
// named in `drop` left out.
inline FieldTexts derive(FieldTexts base, const FieldTexts& set,
                         const std::vector<std::string_view>& drop = {}) {
  auto named = [](std::string_view name) {
    return [name](const std::string& field) { return nameOf(field) == name; };
  };
  for (std::string_view name : drop) {
    auto gone = std::remove_if(base.begin(), base.end(), named(name));
    if (gone == base.end()) throw std::invalid_argument("no field " + std::string(name));
    base.erase(gone, base.end());
  }
  for (const std::string& field : set) {
    auto it = std::find_if(base.begin(), base.end(), named(nameOf(field)));
    if (it == base.end()) {
      base.push_back(field);
    } else {
      *it = field;
    }
  }
  return base;
}

// Sets every field of `fields` in `record`, each name prefixed by `prefix`.
inline RecordBuilder& setAll(RecordBuilder& record, const FieldTexts& fields,
                             const std::string& prefix = "") {
  for (const std::string& field : fields) {
    const std::size_t eq = field.find('=');
    if (eq == std::string::npos) throw std::invalid_argument("no text for " + field);
    record.set(prefix + field.substr(0, eq), std::string_view(field).substr(eq + 1));
  }
  return record;
}

// The name of field `field` of the n-th occurrence (1-based) of `group`, as
// RecordBuilder names it.
inline std::string occurrence(const char* group, int n, std::string_view field) {
  std::string name = group;
  if (n > 1) name += "[" + std::to_string(n) + "]";
  return name + "." + std::string(field);
}

// A contact person with every field filled, and with its mandatory fields
// only.
inline const FieldTexts& fullContact() {
  static const FieldTexts contact = {"KE=DBAP",
                                     "ANRAP=W",
                                     "NAMEAP=Erika Muster",
                                     "TELAP=030 1234567",
                                     "EMAILAP=erika@muster.de",
                                     "NAME1=Muster GmbH",
                                     "PLZ=12345",
                                     "ORT=Musterstadt",
                                     "STR=Hauptstra\xDF"
                                     "e",
                                     "NR=1a"};
  return contact;
}
inline const FieldTexts& mandatoryContact() {
  static const FieldTexts contact = derive(fullContact(), {}, {"ANRAP", "EMAILAP", "STR", "NR"});
  return contact;
}

// `base` with the root fields `set` set and those named in `drop` left
// out.
inline RecordData derive(RecordData base, const FieldTexts& set,
                         const std::vector<std::string_view>& drop = {}) {
  base.fields = derive(std::move(base.fields), set, drop);
  return base;
}

// The records of the type with layout Definition, rule set Plausi and the
// data Data returns.
template <class Definition, class Plausi, RecordData (*Data)()>
struct ValidRecords {
  static std::shared_ptr<Definition> layout() {
    static const auto definition = std::make_shared<Definition>();
    return definition;
  }

  static const RecordData& data() {
    static const RecordData data = Data();
    return data;
  }

  // Processing date 8 December 2026, and the type's switch day.
  static std::unique_ptr<Harness> makeHarness() {
    auto harness = std::make_unique<Harness>(std::make_shared<Plausi>(), layout());
    harness->ctx().setProcessingDate(2026, 12, 8);
    if (!data().switch_day.empty()) {
      harness->ctx().setInitParam("ipMjahrSchalttag", data().switch_day.c_str());
    }
    return harness;
  }

  // With `positions` tariff positions (0 to 99) and their count in ANUV,
  // for a type that has them.
  static RecordBuilder validRecordWithPositions(int positions) {
    RecordBuilder record(*layout());
    setAll(record, data().fields);
    if (data().position.empty()) return record;
    record.set("ANUV", std::string(1, static_cast<char>('0' + positions / 10)) +
                           static_cast<char>('0' + positions % 10));
    for (int n = 1; n <= positions; ++n) addPosition(record, n);
    return record;
  }

  // With one tariff position for a type that has them.
  static RecordBuilder validRecord() { return validRecordWithPositions(1); }

  static RecordBuilder validRecordWithContact() {
    RecordBuilder record = validRecord();
    return addContact(record.set("MMDBAP", "J"));
  }

  // Appends the n-th tariff position to `record`.
  static RecordBuilder& addPosition(RecordBuilder& record, int n) {
    record.addGroup("UV");
    return setAll(record, data().position, occurrence("UV", n, ""));
  }

  // Appends the contact person to `record` (whose MMDBAP must say "J").
  static RecordBuilder& addContact(RecordBuilder& record) {
    record.addGroup("AN");
    return setAll(record, data().contact, "AN.");
  }
};

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_VALID_RECORDS_H_
