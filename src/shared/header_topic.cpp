#include "shared/header_topic.h"

#include "machinery/blocks.h"
#include "shared/id_characters.h"
#include "shared/rule_terms.h"

namespace vexal::shared {

void HeaderTopic::bindFields() {
  BBNRUV = field("BBNRUV");
  FEKZ = field("FEKZ");
  KENNZST = field("KENNZST");
  MJAHR = field("MJAHR");
  MMDBAP = field("MMDBAP");
  UNRS = findField("UNRS");
}

pl::Value* HeaderTopic::F_IstBbnrAnlage7(pl::RuntimeContext* ctx, pl::Value* paramBbnr) {
  return shared::F_IstBbnrAnlage7(ctx, paramBbnr, MJAHR->get(ctx));
}

pl::Value* HeaderTopic::F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert) {
  return shared::F_IstDsIdVoIdKonform(ctx, wert, hf_fehlertext);
}

void HeaderTopic::runContactPerson(pl::RuntimeContext* ctx) {
  if (equalsText(MMDBAP->get(ctx), "J")) machinery::runSingleElement(ctx, AN);
}

}  // namespace vexal::shared
