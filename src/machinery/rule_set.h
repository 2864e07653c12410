// The rule-set object every record type's Plausi_<R> is.

#ifndef VEXAL_MACHINERY_RULE_SET_H_
#define VEXAL_MACHINERY_RULE_SET_H_

#include "machinery/catalogue.h"
#include "machinery/field_check.h"
#include "pl/plausi.h"

namespace vexal::machinery {

class RuleTopic;

// A rule set built from its record type's catalogue. The constructor fills
// the mapping (the empty pair, the root fields in record order, then per
// group its fields as "<group>.<field>" and the group itself), registers
// the type-conformance checks in ascending byte order of their keys (a
// group field shares the root field's check when name and attributes
// agree), and builds the root topic "__root_tb__". Mapping and root topic
// belong to the pl::Plausi base. Serves one check at a time.
class RuleSet : public pl::Plausi {
 public:
  RuleSet(const RecordCatalogue& catalogue, const FieldCheckTable& checks);

  const char* getRecordType() override { return catalogue_.record_type; }
  double getVersion() override { return 1.0; }
  const char* getBuildStamp() override { return catalogue_.build_stamp; }
  // Looks the name up in the by-name table (exact bytes); throws
  // PlausiException type 9 for a null name and type 4 with the name for an
  // unknown one. Arguments are the init parameters named in the table.
  pl::Value* callFunction(pl::RuntimeContext* ctx, const char* name) override;
  // Only "StandardAblauf" (or null) runs; any other name throws type 4.
  void callProcedure(pl::RuntimeContext* ctx, const char* name) override;

  const RecordCatalogue& catalogue() const { return catalogue_; }

 protected:
  // Not owned: the base owns the root topic.
  RuleTopic* rootTopic = nullptr;

 private:
  void fillMapping();
  void registerChecks(const FieldCheckTable& checks);
  void describeChecks();
  void buildRootTopic();

  const RecordCatalogue& catalogue_;
};

}  // namespace vexal::machinery

#endif  // VEXAL_MACHINERY_RULE_SET_H_
