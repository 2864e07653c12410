// The catalogue of record type DSLN_02.

#include "DSLN_02/DSLN_02.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSLN_02 {
namespace {

using namespace vexal::machinery;

constexpr VariableMember kRootParameters[] = {variable<&TB_DSLN_02::ipMjahrSchalttag>};

constexpr TopicSpec kRoot{
    .name = "DSLN_02",
    .fields = {},
    .groups = {},
    .parameters = {kRootParameters},
    .checks = {},
    .run_blocks = nullptr,
    .make = &makeTopic<TB_DSLN_02>,
};

constexpr RecordSpec kRecord{
    .record_type = "DSLN_02",
    .build_stamp = "20221017_130443",
    .root = &kRoot,
    .functions = {},
    .procedure_parameter = "ipMjahrSchalttag",
};


}  // namespace

Plausi_DSLN_02::Plausi_DSLN_02() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

}  // namespace DSLN_02

RecordDefinition_DSLN_02::RecordDefinition_DSLN_02() {
  vexal::machinery::buildRecordLayout(*this, DSLN_02::kRecord);
}
