// The catalogue of record type DSAS_02.

#include "DSAS_02/DSAS_02.h"

#include "machinery/field_check.h"
#include "machinery/record_layout.h"

namespace DSAS_02 {
namespace {

using namespace vexal::machinery;

constexpr VariableMember kRootParameters[] = {variable<&TB_DSAS_02::ipMjahrSchalttag>};

constexpr TopicSpec kRoot{
    .name = "DSAS_02",
    .fields = {},
    .groups = {},
    .parameters = {kRootParameters},
    .checks = {},
    .run_blocks = nullptr,
    .make = &makeTopic<TB_DSAS_02>,
};

constexpr RecordSpec kRecord{
    .record_type = "DSAS_02",
    .build_stamp = "20221017_130444",
    .root = &kRoot,
    .functions = {},
    .procedure_parameter = "ipMjahrSchalttag",
};


}  // namespace

Plausi_DSAS_02::Plausi_DSAS_02() : RuleSet(kRecord, kFieldCheckTable<kRecord>) {}

}  // namespace DSAS_02

RecordDefinition_DSAS_02::RecordDefinition_DSAS_02() {
  vexal::machinery::buildRecordLayout(*this, DSAS_02::kRecord);
}
