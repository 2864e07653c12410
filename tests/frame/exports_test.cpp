// libvexal as a host sees it: exactly twenty exports, each handing out or
// taking back objects.

#include <dlfcn.h>
#include <elf.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "model/record_definition.h"
#include "pl/plausi.h"
#include "pl/plausi_exception.h"
#include "pl/runtime_context.h"
#include "support/elf_symbols.h"

namespace {

using vexal::test::definedDynamicSymbols;

const char* const kRecordTypes[] = {"DSAS_01", "DSAS_02", "DSKO_04", "DSLN_01", "DSLN_02"};

std::set<std::string> expectedExports() {
  std::set<std::string> names;
  for (const char* r : kRecordTypes) {
    for (const char* op :
         {"loadPlausi", "unloadPlausi", "loadRecordDefinition", "unloadRecordDefinition"}) {
      names.insert(std::string(op) + r);
    }
  }
  return names;
}

TEST(ExportTableTest, HoldsExactlyTheTwentyEntryPoints) {
  std::set<std::string> exported = definedDynamicSymbols(VEXAL_LIBRARY_PATH);
  EXPECT_EQ(exported, expectedExports());
  EXPECT_EQ(exported.size(), 20u);
}

class LoadedLibraryTest : public ::testing::Test {
 protected:
  using LoadPlausi = pl::Plausi* (*)();
  using UnloadPlausi = void (*)(pl::Plausi*);
  using LoadDefinition = RecordDefinition* (*)();
  using UnloadDefinition = void (*)(RecordDefinition*);

  static void SetUpTestSuite() { handle_ = dlopen(VEXAL_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL); }
  static void TearDownTestSuite() {
    if (handle_) dlclose(handle_);
  }
  template <class F>
  F resolve(const std::string& name) {
    return reinterpret_cast<F>(dlsym(handle_, name.c_str()));
  }
  static void* handle_;
};

void* LoadedLibraryTest::handle_ = nullptr;

TEST_F(LoadedLibraryTest, EveryRecordTypeHandsOutAndTakesBackItsObjects) {
  ASSERT_NE(handle_, nullptr) << dlerror();
  struct Expected {
    const char* type;
    const char* stamp;
  } expected[] = {{"DSAS_01", "20221017_130443"},
                  {"DSAS_02", "20221017_130444"},
                  {"DSKO_04", "20221017_130443"},
                  {"DSLN_01", "20221017_130442"},
                  {"DSLN_02", "20221017_130443"}};
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.type);
    auto load = resolve<LoadPlausi>(std::string("loadPlausi") + e.type);
    auto unload = resolve<UnloadPlausi>(std::string("unloadPlausi") + e.type);
    auto load_definition = resolve<LoadDefinition>(std::string("loadRecordDefinition") + e.type);
    auto unload_definition =
        resolve<UnloadDefinition>(std::string("unloadRecordDefinition") + e.type);
    ASSERT_TRUE(load && unload && load_definition && unload_definition);

    pl::Plausi* first = load();
    pl::Plausi* second = load();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_STREQ(first->getRecordType(), e.type);
    EXPECT_EQ(first->getVersion(), 1.0);
    EXPECT_STREQ(first->getBuildStamp(), e.stamp);
    unload(first);
    EXPECT_STREQ(second->getRecordType(), e.type);  // still usable
    unload(second);
    unload(nullptr);

    RecordDefinition* definition = load_definition();
    ASSERT_NE(definition, nullptr);
    EXPECT_STREQ(definition->getRecordType(), e.type);
    unload_definition(definition);
    unload_definition(nullptr);
  }
}

TEST_F(LoadedLibraryTest, UnloadFunctionsDoNotLookAtTheRecordType) {
  ASSERT_NE(handle_, nullptr) << dlerror();
  auto load = resolve<LoadPlausi>("loadPlausiDSLN_02");
  auto unload = resolve<UnloadPlausi>("unloadPlausiDSAS_01");
  auto load_definition = resolve<LoadDefinition>("loadRecordDefinitionDSLN_02");
  auto unload_definition = resolve<UnloadDefinition>("unloadRecordDefinitionDSKO_04");
  // A release that missed anything would show as growth over many rounds.
  auto round = [&] {
    pl::Plausi* plausi = load();
    ASSERT_STREQ(plausi->getRecordType(), "DSLN_02");
    unload(plausi);
    RecordDefinition* definition = load_definition();
    ASSERT_STREQ(definition->getRecordType(), "DSLN_02");
    unload_definition(definition);
  };
  round();
  std::size_t before = mallinfo2().uordblks;
  for (int i = 0; i < 2000; ++i) round();
  EXPECT_LT(mallinfo2().uordblks, before + 64 * 1024);
}

TEST_F(LoadedLibraryTest, ExceptionsCrossTheLibraryBoundary) {
  ASSERT_NE(handle_, nullptr) << dlerror();
  pl::Plausi* plausi = resolve<LoadPlausi>("loadPlausiDSKO_04")();
  pl::RuntimeContext ctx;
  try {
    plausi->callFunction(&ctx, nullptr);
    ADD_FAILURE() << "no exception";
  } catch (const pl::PlausiException& e) {
    EXPECT_EQ(e.getType(), pl::ExceptionType::kNameMissing);
    EXPECT_STREQ(e.getMessage(), "Kein Funktionsname angegeben.");
  }
  try {
    plausi->callProcedure(&ctx, "standardablauf");
    ADD_FAILURE() << "no exception";
  } catch (const pl::PlausiException& e) {
    EXPECT_EQ(e.getType(), pl::ExceptionType::kNameNotFound);
    EXPECT_STREQ(e.getMessage(), "standardablauf");
  }
  resolve<UnloadPlausi>("unloadPlausiDSKO_04")(plausi);
}

}  // namespace
