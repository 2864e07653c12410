#include "frame/exports.h"

#include <new>

#include "frame/record_type_headers.h"
#include "model/record_definition.h"
#include "pl/plausi.h"

namespace {

// One implementation for all five record types: neither looks at the type.
void destroyPlausi(pl::Plausi* plausi) { delete plausi; }

void destroyRecordDefinition(RecordDefinition* definition) {
  if (definition == nullptr) return;
    // Record-type layouts add neither data nor a destructor: the base
    // destructor is the whole destruction.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wdelete-non-abstract-non-virtual-dtor"
#endif
  definition->~RecordDefinition();
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
  ::operator delete(definition);
}

}  // namespace

#define VEXAL_DEFINE_RECORD_TYPE_EXPORTS(R)                                                       \
  VEXAL_EXPORT pl::Plausi* loadPlausi##R() { return new R::Plausi_##R(); }                        \
  VEXAL_EXPORT void unloadPlausi##R(pl::Plausi* plausi) { destroyPlausi(plausi); }                \
  VEXAL_EXPORT RecordDefinition* loadRecordDefinition##R() { return new RecordDefinition_##R(); } \
  VEXAL_EXPORT void unloadRecordDefinition##R(RecordDefinition* definition) {                     \
    destroyRecordDefinition(definition);                                                          \
  }

VEXAL_RECORD_TYPES(VEXAL_DEFINE_RECORD_TYPE_EXPORTS)
