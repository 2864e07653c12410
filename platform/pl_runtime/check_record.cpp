#include "pl/check_record.h"

#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <vector>

#include "pl/data_record.h"
#include "pl/functions.h"
#include "pl/mapping.h"
#include "pl/plausi.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/topic.h"

namespace pl {

// The resolution of the paths of one DataRecord's path table, made on
// first use of each path and kept while the table stays the same.
struct RecordChecker::Plan {
  struct Item {
    bool resolved = false;
    FieldCheckProc check = nullptr;
    int levels = 0;                           // topic arrays to step through
    int array_member[DataRecord::kMaxDepth];  // member index of each array
    int field_member = -1;                    // member index of the field
    Field* root_field = nullptr;              // the field itself, when levels is 0
    // When levels is 1: the field in each element reached so far, by index.
    std::vector<Field*> element_fields;
    std::string error;  // why the path cannot be checked
    // What the check is known to pass, and whether the field it is given
    // reads the value quickValue() finds: learnt on the first supplied
    // value, so that a passing value need not reach the check at all.
    FieldCheckPass pass;
    enum class Quick : unsigned char { kUnknown, kYes, kNo } quick = Quick::kUnknown;
  };

  const DataRecord* record = nullptr;
  std::uint64_t stamp = 0;
  const Topic* root = nullptr;
  std::vector<Item> items;

  // Unobserved, the entries of the next record of the same cut whose
  // checks must still be asked: a check that asks no more than the
  // field's length passed on this cut and passes on it again. Made by a
  // full pass that learnt nothing new about its items.
  struct Work {
    // The index into the record's fields(), with kAfterSpared when entries
    // were left out just before it.
    std::uint32_t entry;
    // Where the plan knows what the check passes: the value it would be
    // given, the same object in every record of the cut, and what it must
    // meet; else null.
    const StringValue* value;
    FieldCheckPass pass;
  };
  static constexpr std::uint32_t kAfterSpared = 0x80000000u;
  std::vector<Work> work;
  std::uint64_t work_cut = 0;
  bool work_ready = false;
  bool work_ends_spared = false;  // entries were left out after the last one
};

namespace {

using Plan = RecordChecker::Plan;
using Item = Plan::Item;

// Elements of a group up to this index keep their field in the plan.
constexpr long kMaxKeptElements = 1024;

// Finds the check registered under path and the way through the topic
// tree to its field: every group prefix of the path names a topic array
// (through the mapping), the path itself the field inside its topic.
void resolve(Plausi& plausi, std::string_view path, Item& item) {
  item = Item();
  item.resolved = true;
  item.check = plausi.findFieldCheckProc(path);
  item.pass = plausi.findFieldCheckPass(path);
  if (item.check == nullptr) {
    item.error =
        "Keine Merkmalpr\xFC"
        "fung f\xFCr Feld \"" +
        std::string(path) + "\".";
    return;
  }
  const Mapping* mapping = plausi.mapping();
  Topic* topic = plausi.rootTopic();
  if (mapping == nullptr || topic == nullptr) {
    item.error = "Regelwerk ohne Zuordnung oder Wurzelthema.";
    return;
  }
  item.levels = 0;
  for (std::size_t dot = path.find('.'); dot != std::string_view::npos;
       dot = path.find('.', dot + 1)) {
    const char* name = mapping->get(path.substr(0, dot));
    int member = name ? topic->findMemberIndex(name) : -1;
    auto* array = member < 0 ? nullptr : dynamic_cast<TopicArrayBase*>(topic->getMember(member));
    if (array == nullptr || item.levels == DataRecord::kMaxDepth) {
      item.error = "Gruppe \"" + std::string(path.substr(0, dot)) + "\" fehlt im Regelwerk.";
      return;
    }
    item.array_member[item.levels++] = member;
    topic = array->getPrototypeTopic();
  }
  const char* name = mapping->get(path);
  int member = name ? topic->findMemberIndex(name) : -1;
  if (member < 0 || dynamic_cast<Field*>(topic->getMember(member)) == nullptr) {
    item.error = "Feld \"" + std::string(path) + "\" fehlt im Regelwerk.";
    return;
  }
  item.field_member = member;
  if (item.levels == 0) item.root_field = static_cast<Field*>(topic->getMember(member));
}

// Forgets the plan when the record's path table or the rule set's topic
// tree is not the one it was made for, and gives every path an item.
void preparePlan(Plan& plan, Plausi& plausi, const DataRecord& record) {
  if (plan.record != &record || plan.stamp != record.getLayoutStamp() ||
      plan.root != plausi.rootTopic()) {
    plan.items.clear();
    plan.work_ready = false;
    plan.record = &record;
    plan.stamp = record.getLayoutStamp();
    plan.root = plausi.rootTopic();
  }
  if (plan.items.size() < record.getPathCount()) plan.items.resize(record.getPathCount());
}

// The value a field outside any group, or in an element of a top-level
// group, reads for the entry, found without the field; null when the record
// offers none so directly.
const StringValue* quickValue(const DataRecord& record, const DataRecord::FieldEntry& entry) {
  if (entry.depth == 0) return record.rootValue(entry.path_id);
  if (entry.depth != 1) return nullptr;
  const DataRecord::Occurrences& occurrences = record.occurrencesOf(entry.path_id);
  const long index = entry.indices[0];
  if (!occurrences.regular || index < 0 ||
      static_cast<std::size_t>(index) >= occurrences.values.size()) {
    return nullptr;
  }
  return occurrences.values[static_cast<std::size_t>(index)];
}

bool passes(const FieldCheckPass& pass, const StringValue& value) {
  return value.size() <= pass.max_length &&
         (pass.digits == 0 || Functions::conformsToDigits(&value, pass.digits));
}

// Runs the check on the field, after learning, once per plan item, whether
// the field reads what quickValue() finds.
void runCheck(Item& item, RuntimeContext& ctx, const DataRecord& record,
              const DataRecord::FieldEntry& entry, Field* field) {
  if (item.quick == Item::Quick::kUnknown && item.pass.known) {
    if (const StringValue* value = quickValue(record, entry)) {
      item.quick = field->get(&ctx) == value ? Item::Quick::kYes : Item::Quick::kNo;
    }
  }
  item.check(&ctx, field);
}

// How checkEntry() got through an entry.
enum class Outcome { kPassedOnLength, kPassedOnValue, kChecked };

// The field check of one entry: passed on its value where the plan knows
// that the check would pass, else run on the field of the entry's place.
Outcome checkEntry(Plausi& plausi, RuntimeContext& ctx, const DataRecord& record,
                   const DataRecord::FieldEntry& entry, Item& item, bool unobserved) {
  if (!item.resolved) resolve(plausi, record.getPath(entry.path_id), item);
  if (unobserved && item.quick == Item::Quick::kYes && entry.depth == item.levels) {
    const StringValue* value = quickValue(record, entry);
    if (value != nullptr && passes(item.pass, *value)) {
      ctx.setCurrentField(nullptr);  // as the check leaves it
      return item.pass.digits == 0 ? Outcome::kPassedOnLength : Outcome::kPassedOnValue;
    }
  }
  if (item.root_field != nullptr && entry.depth == 0) {
    runCheck(item, ctx, record, entry, item.root_field);
    return Outcome::kChecked;
  }
  const long index = entry.indices[0];
  if (item.levels == 1 && entry.depth == 1 && index >= 0 &&
      static_cast<std::size_t>(index) < item.element_fields.size() &&
      item.element_fields[static_cast<std::size_t>(index)] != nullptr) {
    runCheck(item, ctx, record, entry, item.element_fields[static_cast<std::size_t>(index)]);
    return Outcome::kChecked;
  }
  if (!item.error.empty()) throw PlausiException(ExceptionType::kNameMissing, item.error);
  if (item.levels != entry.depth) {
    throw PlausiException(ExceptionType::kInvalidElementAccess,
                          "Feld \"" + std::string(record.getPath(entry.path_id)) +
                              "\" steht in einer anderen Gruppe als im Regelwerk.");
  }
  Topic* topic = plausi.rootTopic();
  for (int level = 0; level < item.levels; ++level) {
    auto* array = static_cast<TopicArrayBase*>(topic->getMember(item.array_member[level]));
    long element[2] = {entry.indices[level], -1};
    topic = array->getElementTopic(&ctx, 1, element);
  }
  auto* field = static_cast<Field*>(topic->getMember(item.field_member));
  // Elements live as long as their array: the field is kept for the next
  // record.
  if (item.levels == 1 && index < kMaxKeptElements) {
    if (item.element_fields.size() <= static_cast<std::size_t>(index)) {
      item.element_fields.resize(static_cast<std::size_t>(index) + 1);
    }
    item.element_fields[static_cast<std::size_t>(index)] = field;
  }
  runCheck(item, ctx, record, entry, field);
  return Outcome::kChecked;
}

void runFieldStage(Plan& plan, Plausi& plausi, RuntimeContext& ctx, const DataRecord& record) {
  preparePlan(plan, plausi, record);
  // Only an observer could tell a passing check that ran from one that did
  // not.
  const bool unobserved = !ctx.hasSectionObserver();
  // Neither the record nor the plan's size changes while the checks run.
  Item* const items = plan.items.data();
  const std::span<const DataRecord::FieldEntry> entries = record.fields();
  if (unobserved && plan.work_ready && plan.work_cut == record.getCutVersion()) {
    // A record of the cut the work list was made for: its entries have the
    // sizes they had then, and the checks left out pass again.
    for (const Plan::Work& work : plan.work) {
      if ((work.entry & Plan::kAfterSpared) != 0) ctx.setCurrentField(nullptr);
      if (work.value != nullptr && passes(work.pass, *work.value)) {
        ctx.setCurrentField(nullptr);  // as the check leaves it
        continue;
      }
      const DataRecord::FieldEntry& entry = entries[work.entry & ~Plan::kAfterSpared];
      checkEntry(plausi, ctx, record, entry, items[static_cast<std::size_t>(entry.path_id)], true);
    }
    if (plan.work_ends_spared) ctx.setCurrentField(nullptr);
    return;
  }
  plan.work_ready = false;
  plan.work.clear();
  bool learnt = false;  // an item found out whether its check may be passed
  bool spared = false;  // entries left out since the last on the list
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DataRecord::FieldEntry& entry = entries[i];
    Item& item = items[static_cast<std::size_t>(entry.path_id)];
    const Item::Quick quick = item.quick;
    const Outcome outcome = checkEntry(plausi, ctx, record, entry, item, unobserved);
    learnt = learnt || item.quick != quick;
    if (outcome == Outcome::kPassedOnLength) {
      spared = true;
      continue;
    }
    Plan::Work work{static_cast<std::uint32_t>(i) | (spared ? Plan::kAfterSpared : 0), nullptr,
                    item.pass};
    if (item.quick == Item::Quick::kYes && entry.depth == item.levels) {
      work.value = quickValue(record, entry);
    }
    plan.work.push_back(work);
    spared = false;
  }
  plan.work_ends_spared = spared;
  plan.work_cut = record.getCutVersion();
  plan.work_ready = unobserved && !learnt && entries.size() < Plan::kAfterSpared;
}

}  // namespace

RecordChecker::RecordChecker(Plausi* plausi) : plausi_(plausi), plan_(std::make_unique<Plan>()) {}

RecordChecker::~RecordChecker() = default;

void RecordChecker::check(RuntimeContext* ctx) {
  const DataRecord* record = ctx->getDataRecord();
  if (record == nullptr) {
    throw PlausiException(ExceptionType::kUnspecified,
                          "Kein Datensatz zur Pr\xFC"
                          "fung gesetzt.");
  }
  try {
    runFieldStage(*plan_, *plausi_, *ctx, *record);
    plausi_->callProcedure(ctx, "StandardAblauf");
  } catch (PlausiException&) {
    throw;
  } catch (PlausiException* thrown) {
    PlausiException copy(*thrown);
    delete thrown;
    throw copy;
  } catch (std::bad_alloc&) {
    throw;
  } catch (std::exception& e) {
    throw PlausiException(ExceptionType::kUnspecified, e.what());
  } catch (...) {
    throw PlausiException(ExceptionType::kUnspecified);
  }
}

void checkRecord(Plausi* plausi, RuntimeContext* ctx) { RecordChecker(plausi).check(ctx); }

}  // namespace pl
