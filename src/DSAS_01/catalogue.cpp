// The catalogue of record type DSAS_01.

#include "DSAS_01/DSAS_01.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSAS_01 {
namespace {

using namespace vexal::machinery;

constexpr VariableMember kRootParameters[] = {variable<&TB_DSAS_01::ipMjahrSchalttag>};

constexpr TopicSpec kRoot{
    .name = "DSAS_01",
    .fields = {},
    .groups = {},
    .parameters = {kRootParameters},
    .procedures = {},
    .run_blocks = nullptr,
    .make = &makeTopic<TB_DSAS_01>,
};

constexpr RecordSpec kRecord{
    .record_type = "DSAS_01",
    .build_stamp = "20221017_130443",
    .root = &kRoot,
    .functions = {},
    .procedure_parameter = "ipMjahrSchalttag",
};

constexpr FieldCheckTable kChecks = makeFieldCheckTable<kRecord>();

}  // namespace

Plausi_DSAS_01::Plausi_DSAS_01() : RuleSet(kRecord, kChecks) {}

}  // namespace DSAS_01

RecordDefinition_DSAS_01::RecordDefinition_DSAS_01() {
  vexal::machinery::buildRecordLayout(*this, DSAS_01::kRecord);
}
