// The catalogue of record type DSLN_01.

#include "DSLN_01/DSLN_01.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSLN_01 {
namespace {

using namespace vexal::machinery;

constexpr VariableMember kRootParameters[] = {variable<&TB_DSLN_01::ipMjahrSchalttag>};

constexpr TopicSpec kRoot{
    .name = "DSLN_01",
    .fields = {},
    .groups = {},
    .parameters = {kRootParameters},
    .checks = {},
    .run_blocks = nullptr,
    .make = &makeTopic<TB_DSLN_01>,
};

constexpr RecordSpec kRecord{
    .record_type = "DSLN_01",
    .build_stamp = "20221017_130442",
    .root = &kRoot,
    .functions = {},
    .procedure_parameter = "ipMjahrSchalttag",
};


}  // namespace

Plausi_DSLN_01::Plausi_DSLN_01() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

}  // namespace DSLN_01

RecordDefinition_DSLN_01::RecordDefinition_DSLN_01() {
  vexal::machinery::buildRecordLayout(*this, DSLN_01::kRecord);
}
