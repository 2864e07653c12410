// The twenty entry points of libvexal: for each record type one function
// that hands out a new rule set, one that hands out a new record layout,
// and the two that take them back. Objects belong to the caller until
// handed back; null is ignored by the unload functions.

#ifndef VEXAL_FRAME_EXPORTS_H_
#define VEXAL_FRAME_EXPORTS_H_

#include "frame/export.h"

namespace pl {
class Plausi;
}
class RecordDefinition;

#define VEXAL_DECLARE_RECORD_TYPE_EXPORTS(R)                \
  VEXAL_EXPORT pl::Plausi* loadPlausi##R();                 \
  VEXAL_EXPORT void unloadPlausi##R(pl::Plausi* plausi);    \
  VEXAL_EXPORT RecordDefinition* loadRecordDefinition##R(); \
  VEXAL_EXPORT void unloadRecordDefinition##R(RecordDefinition* definition);

VEXAL_DECLARE_RECORD_TYPE_EXPORTS(DSAS_01)
VEXAL_DECLARE_RECORD_TYPE_EXPORTS(DSAS_02)
VEXAL_DECLARE_RECORD_TYPE_EXPORTS(DSKO_04)
VEXAL_DECLARE_RECORD_TYPE_EXPORTS(DSLN_01)
VEXAL_DECLARE_RECORD_TYPE_EXPORTS(DSLN_02)

#undef VEXAL_DECLARE_RECORD_TYPE_EXPORTS

#endif  // VEXAL_FRAME_EXPORTS_H_
