// The rule functions of the contact-person block. NAMEAP, TELAP and NAME1
// must not be empty once trimmed, PLZ and ORT not blank; the other fields
// are optional and only limited in length.

#include "shared/contact_person.h"

#include "machinery/blocks.h"
#include "machinery/rule_function.h"
#include "shared/rule_shapes.h"
#include "shared/rule_terms.h"

namespace vexal::shared {

void runContactPerson(pl::RuntimeContext* ctx, pl::Field* MMDBAP, pl::TopicArray<TB_AN>* AN) {
  if (equalsText(ctx, MMDBAP->get(ctx), "J")) machinery::runSingleElement(ctx, AN);
}

pl::Value* TB_AN::F_PruefeKE(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeKE");
  return oneOf(ctx, kName, hf_fehlertext, KE, "DBAP010 KENNUNG ungleich DBAP", {"DBAP"});
}

pl::Value* TB_AN::F_PruefeANRAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeANRAP");
  return lengthOnly(ctx, kName, hf_fehlertext, ANRAP, 1);
}

pl::Value* TB_AN::F_PruefeNAMEAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAMEAP");
  return notEmptyTrimmed(ctx, kName, hf_fehlertext, NAMEAP,
                         "DBAP030 NAME-ANSPRECHPARTNER Grundstellung unzul\xE4ssig", 30);
}

pl::Value* TB_AN::F_PruefeTELAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeTELAP");
  return notEmptyTrimmed(ctx, kName, hf_fehlertext, TELAP,
                         "DBAP040 TELEFON-ANSPRECHPARTNER Grundstellung unzul\xE4ssig", 20);
}

pl::Value* TB_AN::F_PruefeFAXAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeFAXAP");
  return lengthOnly(ctx, kName, hf_fehlertext, FAXAP, 20);
}

pl::Value* TB_AN::F_PruefeEMAILAP(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeEMAILAP");
  return lengthOnly(ctx, kName, hf_fehlertext, EMAILAP, 70);
}

pl::Value* TB_AN::F_PruefeNAME1(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAME1");
  return notEmptyTrimmed(ctx, kName, hf_fehlertext, NAME1,
                         "DBAP050 NAME1 Grundstellung unzul\xE4ssig", 30);
}

pl::Value* TB_AN::F_PruefeNAME2(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAME2");
  return lengthOnly(ctx, kName, hf_fehlertext, NAME2, 30);
}

pl::Value* TB_AN::F_PruefeNAME3(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNAME3");
  return lengthOnly(ctx, kName, hf_fehlertext, NAME3, 30);
}

pl::Value* TB_AN::F_PruefePLZ(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefePLZ");
  return notBlank(ctx, kName, hf_fehlertext, PLZ, "DBAP060 PLZ Grundstellung unzul\xE4ssig", 10);
}

pl::Value* TB_AN::F_PruefeORT(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeORT");
  return notBlank(ctx, kName, hf_fehlertext, ORT, "DBAP070 ORT Grundstellung unzul\xE4ssig", 34);
}

pl::Value* TB_AN::F_PruefeSTR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeSTR");
  return lengthOnly(ctx, kName, hf_fehlertext, STR, 33);
}

pl::Value* TB_AN::F_PruefeNR(pl::RuntimeContext* ctx) {
  static constexpr FunctionName kName("F_PruefeNR");
  return lengthOnly(ctx, kName, hf_fehlertext, NR, 9);
}

}  // namespace vexal::shared
