// The C API refuses misuse with a status instead of undefined behaviour:
// a checker re-entered from its own callback or used by a second thread
// answers VX_BUSY, every status has a name, every message is UTF-8, a line
// over the limit is refused on every path, and a library that is not
// libvexal is refused when the checker is made.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "DSKO_04/dsko04_record.h"
#include "capi/c99_client.h"
#include "vexal/check.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct CheckerDeleter {
  void operator()(vx_checker* checker) const { vx_checker_free(checker); }
};
using CheckerPtr = std::unique_ptr<vx_checker, CheckerDeleter>;

CheckerPtr makeChecker() {
  vx_options options;
  vx_options_init(&options);
  options.today = "20261208";
  vx_checker* checker = nullptr;
  char message[256];
  EXPECT_EQ(vx_checker_new(&options, &checker, message, sizeof message), VX_OK) << message;
  return CheckerPtr(checker);
}

// Well-formed lead and continuation bytes (enough to catch a raw Latin-1
// byte in a message).
bool isValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t extra = lead < 0x80                 ? 0
                              : lead >= 0xC2 && lead < 0xE0 ? 1
                              : lead >= 0xE0 && lead < 0xF0 ? 2
                              : lead >= 0xF0 && lead < 0xF5 ? 3
                                                            : 4;
    if (extra > 3 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// What a callback that calls back into its checker saw.
struct Reentry {
  vx_checker* checker;
  int results = 0;
  vx_status line_status = VX_OK;
  vx_status file_status = VX_OK;
  vx_status layout_status = VX_OK;
};

int reenter(void* context, const vx_result*) {
  auto& seen = *static_cast<Reentry*>(context);
  if (seen.results++ == 0) {
    const vx_result* result = nullptr;
    const std::string line = dsko04::validRecord().line();
    seen.line_status = vx_check_line(seen.checker, line.data(), line.size(), 1, &result);
    seen.file_status = vx_check_file(seen.checker, VEXAL_EXAMPLE_FILE, reenter, context);
    const vx_layout* layout = nullptr;
    seen.layout_status = vx_checker_layout(seen.checker, "DSKO_04", &layout);
    vx_input_close(seen.checker);  // ignored: the check goes on
  }
  return 0;
}

int countResult(void* context, const vx_result*) {
  ++*static_cast<int*>(context);
  return 0;
}

TEST(CApiMisuseTest, ACallFromInsideACallbackIsRefusedAndTheCheckGoesOn) {
  CheckerPtr checker = makeChecker();
  int expected = 0;
  ASSERT_EQ(vx_check_file(checker.get(), VEXAL_EXAMPLE_FILE, countResult, &expected), VX_OK);
  ASSERT_GT(expected, 10);

  Reentry seen{checker.get()};
  EXPECT_EQ(vx_check_file(checker.get(), VEXAL_EXAMPLE_FILE, reenter, &seen), VX_OK)
      << vx_checker_message(checker.get());
  EXPECT_EQ(seen.line_status, VX_BUSY);
  EXPECT_EQ(seen.file_status, VX_BUSY);
  EXPECT_EQ(seen.layout_status, VX_BUSY);
  EXPECT_EQ(seen.results, expected);

  // Free again afterwards.
  const vx_result* result = nullptr;
  const std::string line = dsko04::validRecord().line();
  EXPECT_EQ(vx_check_line(checker.get(), line.data(), line.size(), 1, &result), VX_OK);
}

// A read callback that holds the check until a second thread has tried
// the checker.
struct HeldStream {
  std::mutex mutex;
  std::condition_variable changed;
  bool reading = false;
  bool tried = false;
  std::string data;
  std::size_t offset = 0;
};

long long heldRead(void* context, char* buffer, std::size_t size) {
  auto& stream = *static_cast<HeldStream*>(context);
  std::unique_lock<std::mutex> lock(stream.mutex);
  stream.reading = true;
  stream.changed.notify_all();
  stream.changed.wait(lock, [&] { return stream.tried; });
  const std::size_t n = std::min(size, stream.data.size() - stream.offset);
  std::memcpy(buffer, stream.data.data() + stream.offset, n);
  stream.offset += n;
  return static_cast<long long>(n);
}

TEST(CApiMisuseTest, ASecondThreadIsRefusedWhileACheckRuns) {
  CheckerPtr checker = makeChecker();
  HeldStream stream;
  stream.data = dsko04::validRecord().line() + "\n";
  int results = 0;
  vx_status checked = VX_INTERNAL_ERROR;
  std::thread owner([&] {
    checked = vx_check_stream(checker.get(), heldRead, &stream, countResult, &results);
  });
  vx_status second;
  {
    std::unique_lock<std::mutex> lock(stream.mutex);
    stream.changed.wait(lock, [&] { return stream.reading; });
    const vx_result* result = nullptr;
    second = vx_check_line(checker.get(), "DSKO", 4, 1, &result);
    stream.tried = true;
    stream.changed.notify_all();
  }
  owner.join();
  EXPECT_EQ(second, VX_BUSY);
  EXPECT_EQ(checked, VX_OK) << vx_checker_message(checker.get());
  EXPECT_EQ(results, 1);
}

TEST(CApiMisuseTest, EveryStatusHasItsOwnNameAndOtherValuesOneForAll) {
  std::set<std::string> names;
  for (int status = VX_OK; status <= VX_BUSY; ++status) {
    const std::string name = c99_status_name(status);
    EXPECT_EQ(name.rfind("VX_", 0), 0u) << status;
    EXPECT_NE(name, "VX_UNKNOWN_STATUS") << status;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(VX_BUSY) + 1);
  EXPECT_STREQ(c99_status_name(VX_BUSY), "VX_BUSY");
  for (int other : {-1, VX_BUSY + 1, 99, 1 << 30}) {
    EXPECT_STREQ(c99_status_name(other), "VX_UNKNOWN_STATUS") << other;
  }
}

TEST(CApiMisuseTest, MessagesQuoteBytesThatAreNoUtf8) {
  vx_options options;
  vx_options_init(&options);
  options.record_type = "DS\xE4S_01";
  vx_checker* made = nullptr;
  char message[256];
  EXPECT_EQ(vx_checker_new(&options, &made, message, sizeof message), VX_INVALID_ARGUMENT);
  EXPECT_TRUE(isValidUtf8(message)) << message;
  EXPECT_THAT(message, HasSubstr("DS\\xE4S_01"));

  CheckerPtr checker = makeChecker();
  EXPECT_EQ(vx_input_open_file(checker.get(), "/nonexistent/\xFF\xFE.txt"), VX_IO_ERROR);
  const std::string text = vx_checker_message(checker.get());
  EXPECT_TRUE(isValidUtf8(text)) << text;
  EXPECT_THAT(text, HasSubstr("\\xFF\\xFE.txt"));
}

TEST(CApiMisuseTest, ALineOverTheLimitIsAnErrorAsInAFile) {
  CheckerPtr checker = makeChecker();
  const std::size_t limit = std::size_t{64} << 20;
  std::string line = dsko04::validRecord().line();
  line.resize(limit + 1, ' ');
  const vx_result* result = nullptr;
  ASSERT_EQ(vx_check_line(checker.get(), line.data(), line.size(), 7, &result), VX_OK);
  EXPECT_EQ(result->kind, VX_KIND_ERROR);
  EXPECT_EQ(result->line, 7);
  EXPECT_THAT(result->error, HasSubstr("longer than any record may be"));

  line.resize(limit);  // at the limit: checked (and too long for its layout)
  ASSERT_EQ(vx_check_line(checker.get(), line.data(), line.size(), 8, &result), VX_OK);
  EXPECT_EQ(result->kind, VX_KIND_RECORD);
}

TEST(CApiMisuseTest, InitParametersAreCheckedWhenTheCheckerIsMade) {
  for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{
           {"ipMjahrSchalttag", "0229"}, {"ipMjahrSchalttag", "1301"}, {"ipMjahrSchaltag", "1201"}}) {
    vx_options options;
    vx_options_init(&options);
    vx_param param{name, value};
    options.params = &param;
    options.param_count = 1;
    vx_checker* made = nullptr;
    char message[256];
    EXPECT_EQ(vx_checker_new(&options, &made, message, sizeof message), VX_INVALID_ARGUMENT)
        << name << "=" << value;
    EXPECT_EQ(made, nullptr);
    EXPECT_THAT(message, HasSubstr(name));
  }
}

TEST(CApiMisuseTest, ALibraryWithoutTheExportsIsRefusedWhenTheCheckerIsMade) {
  vx_options options;
  vx_options_init(&options);
  options.library_path = VEXAL_CHECK_LIBRARY_PATH;  // libvexalcheck, not libvexal
  vx_checker* made = nullptr;
  char message[512];
  EXPECT_EQ(vx_checker_new(&options, &made, message, sizeof message), VX_LIBRARY_ERROR);
  EXPECT_EQ(made, nullptr);
  EXPECT_THAT(message, HasSubstr("not a libvexal"));
  EXPECT_THAT(message, HasSubstr("loadPlausiDSAS_01"));
}

}  // namespace
