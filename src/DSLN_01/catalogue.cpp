#include "DSLN_01/catalogue.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSLN_01 {
namespace {

using namespace catalogue;

constexpr TopicSpec kRoot{
    .name = "DSLN_01",
    .fields = kFields,
    .groups = kGroups,
    .parameters = kParameters,
    .checks = kRootChecks,
    .run_blocks = blockRunner<&TB::runBlocks>,
    .make = &makeTopic<TB>,
};

constexpr auto kFunctions = byNameTable<kRootChecks, kOtherFunctions>();

constexpr RecordSpec kRecord{
    .record_type = "DSLN_01",
    .build_stamp = "20221017_130442",
    .root = &kRoot,
    .functions = kFunctions,
    .procedure_parameter = "ipMjahrSchalttag",
};

}  // namespace

Plausi_DSLN_01::Plausi_DSLN_01() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

}  // namespace DSLN_01

RecordDefinition_DSLN_01::RecordDefinition_DSLN_01() {
  vexal::machinery::buildRecordLayout(*this, DSLN_01::kRecord);
}
