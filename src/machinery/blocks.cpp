#include "machinery/blocks.h"

#include "machinery/internal/check_procedure.h"

namespace vexal::machinery {

void runElement(pl::RuntimeContext* ctx, RuleTopic* element) {
  pl::FieldDescriptor* previous = ctx->getCurrentField();
  ctx->setCurrentField(element);
  try {
    StandardAblauf(ctx, element);
  } catch (...) {
    ctx->setCurrentField(previous);
    throw;
  }
  ctx->setCurrentField(previous);
}

void runSingleElement(pl::RuntimeContext* ctx, pl::TopicArrayBase* block) {
  if (block->getSize(ctx, 0, nullptr) != 1) return;
  long index = 0;
  runElement(ctx, static_cast<RuleTopic*>(block->getElementTopic(ctx, 1, &index)));
}

}  // namespace vexal::machinery
