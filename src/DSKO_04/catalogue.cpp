// The catalogue of record type DSKO_04.

#include "DSKO_04/DSKO_04.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSKO_04 {
namespace {

using namespace vexal::machinery;

constexpr TopicSpec kRoot{
    .name = "DSKO_04",
    .fields = {},
    .groups = {},
    .parameters = {},
    .procedures = {},
    .run_blocks = nullptr,
    .make = &makeTopic<TB_DSKO_04>,
};

constexpr RecordSpec kRecord{
    .record_type = "DSKO_04",
    .build_stamp = "20221017_130443",
    .root = &kRoot,
    .functions = {},
    .procedure_parameter = nullptr,
};

constexpr FieldCheckTable kChecks = makeFieldCheckTable<kRecord>();

}  // namespace

Plausi_DSKO_04::Plausi_DSKO_04() : RuleSet(kRecord, kChecks) {}

}  // namespace DSKO_04

RecordDefinition_DSKO_04::RecordDefinition_DSKO_04() {
  vexal::machinery::buildRecordLayout(*this, DSKO_04::kRecord);
}
