// What the tests of the query and wage-report record types share: the
// contact-person block of a valid record and the harness with the
// processing date and switch day all their valid records are made for.

#ifndef VEXAL_TESTS_SUPPORT_HEADER_RECORDS_H_
#define VEXAL_TESTS_SUPPORT_HEADER_RECORDS_H_

#include <memory>

#include "support/harness.h"
#include "support/record_builder.h"

namespace vexal::testing {

// Appends a valid contact person with every field filled to `record`
// (whose MMDBAP must say "J").
inline RecordBuilder& addContactPerson(RecordBuilder& record) {
  record.addGroup("AN")
      .set("AN.KE", "DBAP")
      .set("AN.ANRAP", "W")
      .set("AN.NAMEAP", "Erika Muster")
      .set("AN.TELAP", "030 1234567")
      .set("AN.EMAILAP", "erika@muster.de")
      .set("AN.NAME1", "Muster GmbH")
      .set("AN.PLZ", "12345")
      .set("AN.ORT", "Musterstadt")
      .set("AN.STR",
           "Hauptstra\xDF"
           "e")
      .set("AN.NR", "1a");
  return record;
}

// A harness for rule set Plausi on `layout`: processing date 8 December
// 2026, switch day 1 December.
template <class Plausi>
std::unique_ptr<Harness> makeHeaderHarness(std::shared_ptr<RecordDefinition> layout) {
  auto harness = std::make_unique<Harness>(std::make_shared<Plausi>(), std::move(layout));
  harness->ctx().setProcessingDate(2026, 12, 8);
  harness->ctx().setInitParam("ipMjahrSchalttag", "1201");
  return harness;
}

}  // namespace vexal::testing

#endif  // VEXAL_TESTS_SUPPORT_HEADER_RECORDS_H_
