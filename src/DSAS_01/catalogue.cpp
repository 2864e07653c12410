#include "DSAS_01/catalogue.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSAS_01 {
namespace {

using namespace catalogue;

constexpr TopicSpec kRoot{
    .name = "DSAS_01",
    .fields = kFields,
    .groups = kGroups,
    .parameters = kParameters,
    .checks = kRootChecks,
    .run_blocks = blockRunner<&TB::runContactPerson>,
    .make = &makeTopic<TB>,
};

constexpr auto kFunctions = byNameTable<kRootChecks, kHeaderFunctions>();

constexpr RecordSpec kRecord{
    .record_type = "DSAS_01",
    .build_stamp = "20221017_130443",
    .root = &kRoot,
    .functions = kFunctions,
    .procedure_parameter = "ipMjahrSchalttag",
};

}  // namespace

Plausi_DSAS_01::Plausi_DSAS_01() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

}  // namespace DSAS_01

RecordDefinition_DSAS_01::RecordDefinition_DSAS_01() {
  vexal::machinery::buildRecordLayout(*this, DSAS_01::kRecord);
}
