// The root topic of the query (DSAS) and wage-report (DSLN) record types.
// Their records begin with the same header (sender, versions, creation
// date, ids, carrier, membership number, reporting year, company numbers)
// and carry the same contact-person block; the fields that the shared rules
// of header_rules.h read across fields are members here.

#ifndef VEXAL_SHARED_HEADER_TOPIC_H_
#define VEXAL_SHARED_HEADER_TOPIC_H_

#if defined(VEXAL_LAYER_MACHINERY)
#error "the check machinery does not depend on shared rules"
#endif

#include <array>
#include <span>

#include "machinery/by_name.h"
#include "machinery/rule_topic.h"
#include "pl/field_descriptor.h"
#include "pl/topic.h"
#include "shared/carrier_numbers.h"
#include "shared/company_numbers.h"
#include "shared/contact_person.h"
#include "shared/text_functions.h"

namespace vexal::shared {

// Base of the root topics TB_DSAS_01, TB_DSLN_01, ... Owned by its rule
// set; serves one check at a time.
class HeaderTopic : public machinery::RuleTopic {
 public:
  using RuleTopic::RuleTopic;

  // Annex 7 with the record's reporting year ("paramBbnr").
  pl::Value* F_IstBbnrAnlage7(pl::RuntimeContext* ctx, pl::Value* paramBbnr);
  // The id characters ("wert"), leaving a refused one in this topic's
  // hf_fehlertext.
  pl::Value* F_IstDsIdVoIdKonform(pl::RuntimeContext* ctx, pl::Value* wert);

  // The contact-person block: its StandardAblauf once, when MMDBAP holds
  // "J" and the record holds the group exactly once.
  void runContactPerson(pl::RuntimeContext* ctx);
  // The blocks after the root procedures: the contact person. A record
  // type with more blocks hides it with its own.
  void runBlocks(pl::RuntimeContext* ctx) { runContactPerson(ctx); }

  pl::TopicArray<TB_AN>* AN = nullptr;
  pl::Field* BBNRUV = nullptr;
  pl::Field* FEKZ = nullptr;
  pl::Field* KENNZST = nullptr;
  pl::Field* MJAHR = nullptr;
  pl::Field* MMDBAP = nullptr;
  // The enterprise number of the second versions; null in the first.
  pl::Field* UNRS = nullptr;

  // Set from the init parameter "ipMjahrSchalttag" before each run: the
  // switch day ("MMTT") after which the next reporting year is released.
  pl::LocalVariable* ipMjahrSchalttag = nullptr;

 protected:
  void bindFields() override;
};

// The catalogue of a header record type of topic class Topic: its root
// topic with the parameter variable set from "ipMjahrSchalttag" and the
// blocks of Topic::runBlocks.
inline constexpr machinery::VariableMember kHeaderParameters[] = {
    machinery::variable<&HeaderTopic::ipMjahrSchalttag>};

template <class Topic>
consteval machinery::RecordCatalogue headerRecord(
    const char* record_type, const char* build_stamp, std::span<const machinery::FieldRow> fields,
    std::span<const machinery::GroupRow> groups, machinery::CheckSpans checks,
    std::span<const machinery::CallableRow> functions) {
  return machinery::recordCatalogue(
      record_type, build_stamp,
      machinery::rootTopic<Topic>(fields, checks, groups, kHeaderParameters,
                                  machinery::blockRunner<&Topic::runBlocks>),
      functions, "ipMjahrSchalttag");
}

// What a header record type offers by name besides its checks' rule
// functions.
inline constexpr auto kHeaderFunctions = machinery::join(
    kTextFunctions,
    std::array{
        machinery::byName<&F_GibBbnrPruefziffer>("F_GibBbnrPruefziffer", "wert"),
        machinery::byName<&F_GibZulaessigeMNRLaenge>("F_GibZulaessigeMNRLaenge", "uvtraeger",
                                                     "mnrLaenge"),
        machinery::byName<&F_IstBbnrAnlage20>("F_IstBbnrAnlage20", "wert"),
        machinery::byName<&HeaderTopic::F_IstBbnrAnlage7>("F_IstBbnrAnlage7", "paramBbnr"),
        machinery::byName<&HeaderTopic::F_IstDsIdVoIdKonform>("F_IstDsIdVoIdKonform", "wert"),
        machinery::byName<&F_IstMNRZeichenZulaessig>("F_IstMNRZeichenZulaessig", "uvtraeger",
                                                     "mnr"),
        machinery::byName<&F_IstMjahrFreigeschaltet>("F_IstMjahrFreigeschaltet", "paramMeldejahr",
                                                     "paramSchalttag"),
        machinery::byName<&F_PruefeBetriebsnummer>("F_PruefeBetriebsnummer", "bbnr"),
        machinery::byName<&F_PruefeGesonderteBetriebsnummer>("F_PruefeGesonderteBetriebsnummer",
                                                             "bbnr"),
    });

}  // namespace vexal::shared

#endif  // VEXAL_SHARED_HEADER_TOPIC_H_
