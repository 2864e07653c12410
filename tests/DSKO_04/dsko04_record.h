// A valid DSKO_04 record and the harness that checks it, processing date
// 8 December 2026.

#ifndef VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_
#define VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_

#include <memory>

#include "DSKO_04/DSKO_04.h"
#include "support/harness.h"
#include "support/record_builder.h"

namespace dsko04 {

inline std::shared_ptr<RecordDefinition_DSKO_04> layout() {
  static const auto definition = std::make_shared<RecordDefinition_DSKO_04>();
  return definition;
}

inline vexal::testing::RecordBuilder validRecord() {
  vexal::testing::RecordBuilder record(*layout());
  record.set("KE", "DSKO")
      .set("VF", "UVSDD")
      .set("ABSN", "12345678")
      .set("EPNR", "87654321")
      .set("VERNR", "04")
      .set("ED", "20261201120000123456")
      .set("FEKZ", "0")
      .set("FEAN", "0")
      .set("ABSNER", "12345678")
      .set("PRODID", "PRD0001")
      .set("MODID", "MOD00001")
      .set("NAME1", "Muster GmbH")
      .set("PLZ", "12345")
      .set("ORT", "Musterstadt")
      .set("STR",
           "Hauptstra\xDF"
           "e")
      .set("NR", "1a")
      .set("ANRAP", "W")
      .set("NAMEAP", "Erika Muster")
      .set("TELAP", "030 1234567")
      .set("EMAILAP", "info@muster.de");
  return record;
}

inline std::unique_ptr<vexal::testing::Harness> makeHarness() {
  auto harness = std::make_unique<vexal::testing::Harness>(
      std::make_shared<DSKO_04::Plausi_DSKO_04>(), layout());
  harness->ctx().setProcessingDate(2026, 12, 8);
  return harness;
}

}  // namespace dsko04

#endif  // VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_
