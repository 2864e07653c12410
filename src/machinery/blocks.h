// Running the blocks of a record from its root topic's StandardAblauf.

#ifndef VEXAL_MACHINERY_BLOCKS_H_
#define VEXAL_MACHINERY_BLOCKS_H_

#include "machinery/rule_topic.h"
#include "pl/runtime_context.h"
#include "pl/topic.h"

namespace vexal::machinery {

// Runs StandardAblauf of one element. While it runs, the element is the
// context's current field, so the findings of its procedures name the
// occurrence they belong to ("UV[2]#P_GTST").
void runElement(pl::RuntimeContext* ctx, RuleTopic* element);

// The single element of a block that the record holds exactly once: runs
// the element at index 0 when getSize of the block is 1.
void runSingleElement(pl::RuntimeContext* ctx, pl::TopicArrayBase* block);

// Every element of a block, from index 0 to getSize - 1; prepare(element)
// runs before each element's StandardAblauf (to set its parameters).
template <class Element, class Prepare>
void runEveryElement(pl::RuntimeContext* ctx, pl::TopicArray<Element>* block, Prepare&& prepare) {
  // The record, and so the block's size, stays the same while it runs.
  const long size = block->getSize(ctx, 0, nullptr);
  for (long counter = 1; counter <= size; ++counter) {
    long index = counter - 1;
    Element* element = block->getElement(ctx, 1, &index);
    prepare(element);
    runElement(ctx, element);
  }
}

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_BLOCKS_H_
