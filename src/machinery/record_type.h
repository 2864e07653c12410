// The two classes a record type R hands out, made from its catalogue
// R::catalogue::kRecord: the rule set R::Plausi_R and the record layout
// RecordDefinition_R. A record type declares both classes in its header
// and defines their constructors with VEXAL_DEFINE_RECORD_TYPE(R) in one
// source file.

#ifndef VEXAL_MACHINERY_RECORD_TYPE_H_
#define VEXAL_MACHINERY_RECORD_TYPE_H_

#include "machinery/field_check.h"
#include "machinery/record_layout.h"
#include "machinery/rule_set.h"

#define VEXAL_DEFINE_RECORD_TYPE(R)                                                                \
  R::Plausi_##R::Plausi_##R()                                                                      \
      : ::vexal::machinery::RuleSet(                                                               \
            R::catalogue::kRecord, ::vexal::machinery::kFieldCheckTable<R::catalogue::kRecord>) {} \
  RecordDefinition_##R::RecordDefinition_##R() {                                                   \
    ::vexal::machinery::buildRecordLayout(*this, R::catalogue::kRecord);                           \
  }

#endif  // VEXAL_MACHINERY_RECORD_TYPE_H_
