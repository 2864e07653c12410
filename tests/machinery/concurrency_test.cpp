// Separate rule sets with separate contexts check in parallel and find
// what they find alone.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/tst_harness.h"

namespace {

std::vector<std::string> lines() {
  std::vector<std::string> result;
  for (int i = 0; i < 40; ++i) {
    tst::Line line;
    line.num = i % 3 == 0 ? "1A" : "0" + std::to_string(i % 10);
    line.flag = i % 4 == 0 ? "J" : (i % 5 == 0 ? "X" : "N");
    line.zus_info = i % 7 == 0 ? "BAD" : "INF";
    line.anz = std::to_string(i % 4);
    line.pos.assign(i % 4, tst::Pos{"POS1", i % 2 ? "00009" : "00001", "  "});
    result.push_back(line.str());
  }
  return result;
}

std::vector<std::string> checkAll(vexal::testing::Harness& h, const std::vector<std::string>& input,
                                  int rounds) {
  std::vector<std::string> ids;
  for (int round = 0; round < rounds; ++round) {
    ids.clear();
    for (const std::string& line : input) {
      h.check(line);
      for (const std::string& id : h.ids()) ids.push_back(id);
      for (const std::string& text : h.ruleFindings()) ids.push_back(text);
    }
  }
  return ids;
}

TEST(ConcurrencyTest, SeparateRuleSetsRunInParallel) {
  const std::vector<std::string> input = lines();
  auto alone = tst::makeHarness();
  const std::vector<std::string> expected = checkAll(*alone, input, 1);
  ASSERT_GT(expected.size(), input.size());  // the lines do produce findings

  std::vector<std::vector<std::string>> results(4);
  std::vector<std::thread> threads;
  for (auto& result : results) {
    threads.emplace_back([&input, &result] {
      auto h = tst::makeHarness();
      result = checkAll(*h, input, 50);
    });
  }
  for (std::thread& t : threads) t.join();
  for (const auto& result : results) EXPECT_EQ(result, expected);
}

}  // namespace
