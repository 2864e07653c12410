// The two classes every record type R hands out: the record layout
// RecordDefinition_R (global namespace) and the rule set R::Plausi_R, both
// made from the catalogue R::catalogue::kRecord. A record type's header
// declares them with VEXAL_DECLARE_RECORD_TYPE(R); one of its source files
// defines them with VEXAL_DEFINE_RECORD_TYPE(R) (machinery/record_type.h).
//
// Only record types include this header, so it also keeps the lower
// layers from depending on one.

#ifndef VEXAL_MACHINERY_RECORD_TYPE_CLASSES_H_
#define VEXAL_MACHINERY_RECORD_TYPE_CLASSES_H_

#if defined(VEXAL_LAYER_MACHINERY) || defined(VEXAL_LAYER_SHARED)
#error "the machinery and the shared rules do not depend on a record type"
#endif

#include "machinery/rule_function.h"
#include "machinery/rule_set.h"
#include "machinery/rule_topic.h"
#include "model/record_definition.h"

// The layout owns nothing beyond its base; the rule set owns its mapping
// and topic tree and serves one check at a time, separate objects run in
// parallel.
#define VEXAL_DECLARE_RECORD_TYPE(R)                            \
  class RecordDefinition_##R final : public RecordDefinition {  \
   public:                                                      \
    RecordDefinition_##R();                                     \
    const char* getRecordType() const override { return #R; }   \
  };                                                            \
  namespace R {                                                 \
  class Plausi_##R final : public ::vexal::machinery::RuleSet { \
   public:                                                      \
    Plausi_##R();                                               \
  };                                                            \
  }

#endif  // VEXAL_MACHINERY_RECORD_TYPE_CLASSES_H_
