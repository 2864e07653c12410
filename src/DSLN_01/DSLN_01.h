// Record type DSLN_01, the wage report: the header of the query and
// wage-report records, one UV block per hazard-tariff position (as many as
// ANUV says) and optionally one contact person. Its record layout, topics
// and rule set.

#ifndef VEXAL_DSLN_01_DSLN_01_H_
#define VEXAL_DSLN_01_DSLN_01_H_

#include <cstdint>
#include <string_view>

#include "machinery/record_type_classes.h"
#include "pl/field_descriptor.h"
#include "pl/runtime_context.h"
#include "pl/topic.h"
#include "shared/header_topic.h"

namespace DSLN_01 {

using TB_AN = vexal::shared::TB_AN;
using vexal::machinery::RuleCall;

// One hazard-tariff position: company number and tariff position, earnings,
// working hours and insured persons. Before each run it receives the
// record's BBNRUV, KENNZST and UVGRUND (setParameters). Owned by its topic
// array (the prototype) or by the runtime (the elements); serves one check
// at a time.
class TB_UV : public vexal::machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  // The record's BBNRUV as the unobserved rules compare it: the word of
  // its eight characters once trimmed, if it has eight.
  struct CarrierWord {
    bool eight = false;
    std::uint64_t word = 0;
  };

  void setParameters(pl::RuntimeContext* ctx, pl::Value* bbnruv, pl::Value* kennzst,
                     pl::Value* uvgrund, CarrierWord carrier);

  // BBNRGT: a carrier of annex 7 (or 47009510), the record's carrier
  // unless that is one of the free carriers 14066582 and 63800761.
  void F_PruefeBBNRGT(RuleCall& rule);
  // GTST empty while BBNRGT is given.
  void tariffPositionMissing(RuleCall& rule);
  // Earnings above 0 where UVGRUND is "A09".
  void earningsForReasonA09(RuleCall& rule);

  pl::Field* BBNRGT = nullptr;
  // The record's values, copied before each run where a section observer
  // listens, and otherwise when asked: read them through parameter().
  pl::LocalVariable* BBNRUV = nullptr;
  pl::LocalVariable* KENNZST = nullptr;
  pl::LocalVariable* UVGRUND = nullptr;

 protected:
  void bindFields() override { BBNRGT = field("BBNRGT"); }

 private:
  // isAnnex7Carrier(number) of an eight-byte number, given as its word
  // too. The answer for the last number is kept: a report's tariff
  // positions, record after record, mostly name the same carrier.
  bool isAnnex7Number(std::uint64_t word, std::string_view number);

  // The record's values as setParameters() was given them, when it was
  // given them in ctx's present epoch, in which they live; otherwise
  // null. The variables hand out these values or copies of them, so the
  // unobserved rules read them here without asking the variables.
  struct Given {
    const pl::RuntimeContext* ctx = nullptr;
    std::uint64_t epoch = 0;
    pl::Value* bbnruv = nullptr;
    pl::Value* kennzst = nullptr;
    pl::Value* uvgrund = nullptr;
    CarrierWord carrier;
  };
  // F_PruefeBBNRGT of a text or missing value with the values given as
  // texts or missing values, unobserved.
  void tariffCarrierOfTexts(RuleCall& rule, pl::Value* bbnrgt, const Given& values);
  const Given* given(const pl::RuntimeContext* ctx) const {
    return given_.ctx == ctx && given_.epoch == ctx->epoch() ? &given_ : nullptr;
  }
  pl::Value* givenKennzst(pl::RuntimeContext* ctx) {
    const Given* values = given(ctx);
    return values != nullptr ? values->kennzst : parameter(ctx, KENNZST);
  }
  // Copies given_ into the variables.
  void setVariables(pl::RuntimeContext* ctx);
  // The value of one of the three variables, set first if they do not
  // hold given_ yet.
  pl::Value* parameter(pl::RuntimeContext* ctx, pl::LocalVariable* variable);

  Given given_;
  bool variables_hold_given_ = false;
  bool annex7_asked_ = false;
  std::uint64_t annex7_word_ = 0;
  bool annex7_listed_ = false;
};

// The root topic: the 33 fields of the header, the UV block and the
// contact-person block. Owned by its rule set; serves one check at a time.
class TB_DSLN_01 : public vexal::shared::HeaderTopic {
 public:
  using HeaderTopic::HeaderTopic;

  // P_VF: the procedure is not "UVELN".
  bool procedureRefused(pl::RuntimeContext* ctx);
  // BBNRUV not of annex 19b for contribution scale "A09".
  void carrierRefusedForReasonA09(RuleCall& rule);
  // UVGRUND neither blank nor "A09".
  void F_PruefeUVGRUND(RuleCall& rule);
  // ANUV outside 1 to 99 for a report that is no cancellation.
  void positionCountRefused(RuleCall& rule);

  // The contact person, then every tariff position with the record's
  // BBNRUV, KENNZST and UVGRUND.
  void runBlocks(pl::RuntimeContext* ctx);

  pl::TopicArray<TB_UV>* UV = nullptr;
  pl::Field* UVGRUND = nullptr;
  pl::Field* VF = nullptr;

 protected:
  void bindFields() override;
};

}  // namespace DSLN_01

// RecordDefinition_DSLN_01 and DSLN_01::Plausi_DSLN_01.
VEXAL_DECLARE_RECORD_TYPE(DSLN_01)

#endif  // VEXAL_DSLN_01_DSLN_01_H_
