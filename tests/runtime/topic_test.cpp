// Topics own their members; topic arrays make and cache their elements.

#include <gtest/gtest.h>

#include "pl/data_record.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "pl/topic.h"
#include "pl/type_descriptor.h"
#include "pl/util.h"

namespace {

int g_alive = 0;

class Counted : public pl::FieldDescriptor {
 public:
  Counted() : FieldDescriptor(nullptr, nullptr) { ++g_alive; }
  ~Counted() override { --g_alive; }
};

class Element : public pl::Topic {
 public:
  Element(pl::TypeDescriptor* type, pl::FieldDescriptor* parent) : Topic(type, parent) {
    ++g_alive;
    setField("X", new Counted);
  }
  ~Element() override { --g_alive; }
  pl::Topic* newInstance() override {
    ++instances;
    return new Element(getTypeDescriptor(), getParent());
  }
  static inline int instances = 0;
};

constexpr long kExtent[] = {0};

TEST(TopicTest, DestroyingATopicArrayReleasesElementsPrototypeAndMembers) {
  g_alive = 0;
  pl::TypeDescriptor type(nullptr, nullptr, "UV", "UV", pl::FieldType::kTopic, nullptr, 1, kExtent);
  pl::RuntimeContext ctx;
  {
    pl::TopicArray<Element> array(new Element(&type, nullptr));
    Element::instances = 0;
    for (long i : {0L, 1L, 0L, 5L}) array.getElement(&ctx, 1, &i);
    EXPECT_EQ(Element::instances, 3);
    EXPECT_EQ(array.getCachedElementCount(), 3u);
    EXPECT_EQ(g_alive, 8);  // prototype and three elements, each with one member
  }
  EXPECT_EQ(g_alive, 0);
}

TEST(TopicTest, ElementsAreTheSameObjectOnEveryAccessNearOrFar) {
  pl::TypeDescriptor type(nullptr, nullptr, "UV", "UV", pl::FieldType::kTopic, nullptr, 1, kExtent);
  pl::TopicArray<Element> array(new Element(&type, nullptr));
  pl::RuntimeContext ctx;
  Element::instances = 0;
  for (long i : {0L, 3L, 1023L, 1024L, 50000L}) {
    SCOPED_TRACE(i);
    Element* first = array.getElement(&ctx, 1, &i);
    EXPECT_EQ(array.getElement(&ctx, 1, &i), first);
    EXPECT_EQ(first->getIndices()[0], i);
    EXPECT_EQ(first->getIndices()[1], -1);
  }
  EXPECT_EQ(Element::instances, 5);
  long negative = -1;
  try {
    array.getElement(&ctx, 1, &negative);
    ADD_FAILURE() << "no exception";
  } catch (pl::PlausiException* e) {
    EXPECT_EQ(e->getType(), pl::ExceptionType::kInvalidElementAccess);
    delete e;
  }
  long two[] = {0, 0};
  try {
    array.getElement(&ctx, 2, two);  // a one-dimensional array has no element at two indices
    ADD_FAILURE() << "no exception";
  } catch (pl::PlausiException* e) {
    delete e;
  }
}

TEST(TopicTest, GetSizeAsksTheRecordUnderCheck) {
  pl::TypeDescriptor type(nullptr, nullptr, "UV", "UV", pl::FieldType::kTopic, nullptr, 1, kExtent);
  pl::TopicArray<Element> array(new Element(&type, nullptr));
  pl::RuntimeContext ctx;
  EXPECT_EQ(array.getSize(&ctx, 0, nullptr), 0);  // no record
  pl::DataRecord record;
  record.addGroup(record.internPath("UV"), nullptr, 3);
  ctx.setDataRecord(&record);
  EXPECT_EQ(array.getSize(&ctx, 0, nullptr), 3);
}

TEST(UtilTest, IndexLists) {
  long one[] = {4, -1}, two[] = {1, 2, -1}, negative[] = {-3, -1}, none[] = {-1};
  EXPECT_EQ(pl::Util::getHashCode(nullptr), 0);
  EXPECT_EQ(pl::Util::getHashCode(one), 4);
  EXPECT_NE(pl::Util::getHashCode(two), pl::Util::getHashCode(one));
  EXPECT_TRUE(pl::Util::isValidElementAccess(1, one));
  EXPECT_FALSE(pl::Util::isValidElementAccess(1, two));
  EXPECT_FALSE(pl::Util::isValidElementAccess(1, negative));
  EXPECT_FALSE(pl::Util::isValidElementAccess(1, nullptr));
  EXPECT_FALSE(pl::Util::isValidElementAccess(1, none));
  EXPECT_TRUE(pl::Util::isValidElementAccess(0, nullptr));
  EXPECT_EQ(pl::Util::countIndices(two), 2);
}

}  // namespace
