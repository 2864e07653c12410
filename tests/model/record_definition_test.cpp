#include "model/record_definition.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "model/record_cutter.h"

// Replaces the global allocator for this test binary: it counts live
// allocations, and when armed fails with std::bad_alloc once a budget of
// allocations is used up.
namespace {
std::atomic<long> g_live_allocations{0};
std::atomic<bool> g_armed{false};
std::atomic<long> g_budget{0};
}  // namespace

void* operator new(std::size_t size) {
  if (g_armed.load() && g_budget.fetch_sub(1) <= 0) throw std::bad_alloc();
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++g_live_allocations;
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --g_live_allocations;
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

// Records how often each probe was built and destroyed.
struct ProbeSlot {
  int constructed = 0;
  int destroyed = 0;
};

// A field definition that reports its own destruction.
class Probe : public FieldDefinition {
 public:
  Probe(const char* name, ProbeSlot* slot) : FieldDefinition(name), slot_(slot) {
    ++slot_->constructed;
  }
  ~Probe() override { ++slot_->destroyed; }

 private:
  ProbeSlot* slot_;
};

// Hands out probes; the slots exist before any test allocation is armed.
class Probes {
 public:
  Probes() : slots_(32) {}
  // A name longer than the small-string buffer, so copying it allocates.
  Probe* Make() { return new Probe("A_PROBE_WITH_A_LONG_NAME", &slots_.at(next_++)); }
  void ExpectEachDeletedOnce() const {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
      EXPECT_EQ(slots_[i].constructed, slots_[i].destroyed) << "probe " << i;
      EXPECT_LE(slots_[i].destroyed, 1) << "probe " << i;
    }
  }
  int made() const { return next_; }

 private:
  std::vector<ProbeSlot> slots_;
  int next_ = 0;
};

using Builder = std::function<void(RecordDefinition&, Probes&)>;

StructureFieldDefinition* NewGroup(const char* name) { return new StructureFieldDefinition(name); }

FieldCondition* NewCondition(const char* value) {
  return new FieldCondition("A_CONDITION_FIELD_NAME", CompareOperator::kEqual, value);
}

struct OwnershipCase {
  const char* name;
  Builder build;
};

const OwnershipCase kOwnershipCases[] = {
    {"flat record",
     [](RecordDefinition& r, Probes& p) {
       r.addFieldDefinition(p.Make());
       r.addFieldDefinition(p.Make());
     }},
    {"group members",
     [](RecordDefinition& r, Probes& p) {
       StructureFieldDefinition* g = NewGroup("A_GROUP_WITH_A_LONG_NAME");
       r.addFieldDefinition(g);
       g->addFieldDefinition(p.Make());
       g->addFieldDefinition(p.Make());
       r.addFieldDefinition(p.Make());
     }},
    {"nested groups with counters and conditions",
     [](RecordDefinition& r, Probes& p) {
       // Each new object goes straight to its owner, so this builder leaks
       // nothing of its own when an allocation fails.
       r.addFieldDefinition(
           new SingleFieldDefinition("A_COUNTER_FIELD_NAME", FieldType::kNumeric, 2));
       StructureFieldDefinition* outer = NewGroup("AN_OUTER_GROUP_WITH_A_LONG_NAME");
       r.addFieldDefinition(outer);
       outer->setCounterFieldName("A_COUNTER_FIELD_NAME");
       StructureFieldDefinition* inner = NewGroup("AN_INNER_GROUP_WITH_A_LONG_NAME");
       outer->addFieldDefinition(inner);
       inner->setExistenceCondition(NewCondition("A_CONDITION_VALUE_THAT_IS_LONG"));
       inner->setExistenceCondition(NewCondition("A_SECOND_CONDITION_VALUE"));
       inner->addFieldDefinition(p.Make());
       outer->addFieldDefinition(p.Make());
     }},
};

TEST(RecordDefinitionTest, DeletesEverythingItOwnsExactlyOnce) {
  for (const OwnershipCase& c : kOwnershipCases) {
    SCOPED_TRACE(c.name);
    Probes probes;
    const long before = g_live_allocations.load();
    {
      RecordDefinition record;
      c.build(record, probes);
    }
    EXPECT_EQ(g_live_allocations.load(), before);
    EXPECT_GT(probes.made(), 0);
    probes.ExpectEachDeletedOnce();
  }
}

TEST(RecordDefinitionTest, ReplacingAConditionDeletesTheEarlierOne) {
  StructureFieldDefinition group("G");
  group.setExistenceCondition(NewCondition("A_FIRST_CONDITION_VALUE"));
  const long before = g_live_allocations.load();
  FieldCondition* second = NewCondition("A_SECOND_CONDITION_VALUE");
  group.setExistenceCondition(second);
  EXPECT_EQ(g_live_allocations.load(), before);  // the new one in, the old one out
  EXPECT_EQ(group.getExistenceCondition(), second);
  group.setExistenceCondition(second);  // the same one again stays alive
  EXPECT_STREQ(group.getExistenceCondition()->getValue(), "A_SECOND_CONDITION_VALUE");
}

// Builds each layout with every allocation budget until it succeeds: each
// failure on the way must leave no object and no allocation behind.
TEST(RecordDefinitionTest, AllocationFailureLeaksNothing) {
  for (const OwnershipCase& c : kOwnershipCases) {
    SCOPED_TRACE(c.name);
    bool built = false;
    for (long budget = 0; !built && budget < 1000; ++budget) {
      Probes probes;
      const long before = g_live_allocations.load();
      g_budget = budget;
      g_armed = true;
      try {
        RecordDefinition record;
        c.build(record, probes);
        RecordCutter cutter(record);
        RecordCut cut;
        cutter.cut("0312345678", cut);
        built = true;
      } catch (const std::bad_alloc&) {
      }
      g_armed = false;
      EXPECT_EQ(g_live_allocations.load(), before) << "budget " << budget;
      probes.ExpectEachDeletedOnce();
    }
    EXPECT_TRUE(built);
  }
}

struct HoldsCase {
  CompareOperator op;
  const char* value;
  std::string text;
  bool holds;
};

TEST(FieldConditionTest, ComparesBytesExactly) {
  const HoldsCase cases[] = {
      {CompareOperator::kEqual, "J", "J", true},
      {CompareOperator::kEqual, "J", "N", false},
      {CompareOperator::kEqual, "JA", "J", false},  // a prefix is not equal
      {CompareOperator::kEqual, "J", "J ", false},  // nor is a padded text
      {CompareOperator::kEqual, "", "", true},
      {CompareOperator::kEqual, "\xE4\xFF", "\xE4\xFF", true},  // Latin-1 bytes
      {CompareOperator::kEqual, "A", std::string("A\0", 2), false},
      {CompareOperator::kNotEqual, "J", "J", false},
      {CompareOperator::kNotEqual, "J", "N", true},
      {CompareOperator::kNotEqual, "JA", "J", true},
  };
  for (const HoldsCase& c : cases) {
    FieldCondition condition("K", c.op, c.value);
    EXPECT_EQ(condition.holds(c.text.data(), c.text.size()), c.holds)
        << "op " << static_cast<int>(c.op) << " value '" << c.value << "' text '" << c.text << "'";
  }
}

}  // namespace
