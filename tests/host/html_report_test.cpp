// The html and junit printers with the test rule set TST_01: where the
// page marks a finding, what it escapes and hides, how many records it
// shows, what its summary says; the JUnit counts and escaping; the SHA-256
// the page's Content-Security-Policy names its script and style by.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "cli/check_run.h"
#include "cli/html_report.h"
#include "cli/junit_report.h"
#include "cli/sha256.h"
#include "support/memory_file.h"
#include "support/string_source.h"
#include "support/test_rule_set.h"
#include "support/tst_lines.h"
#include "support/tst_rule_sets.h"

namespace vexal::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using tst::TstRuleSets;

// Reports the lines of "a.txt", checked as TST_01; returns the counts.
CheckSummary run(const std::string& lines, Report& report, Output& out) {
  TstRuleSets rule_sets;
  SequentialCheck check(rule_sets, report);
  core::CheckOptions options;
  options.record_type = "TST_01";
  check.configure(options);
  test::StringSource source(lines);
  check.checkStream(source, "a.txt");
  report.finish(check.summary());
  out.flush();
  return check.summary();
}

std::string page(const std::string& lines, HtmlPageSettings settings = {}) {
  test::MemoryFile file;
  {
    Output out(file.get());
    TstRuleSets layouts;
    settings.files = {"a.txt"};
    HtmlReport report(out, settings, &layouts);
    run(lines, report, out);
  }
  return file.text();
}

std::string junit(const std::string& lines, CheckSummary& summary) {
  test::MemoryFile file;
  {
    Output out(file.get());
    JunitReport report(out);
    summary = run(lines, report, out);
  }
  return file.text();
}

std::string lineWith(void (*change)(tst::Line&)) {
  tst::Line line;
  change(line);
  return line.str() + "\n";
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t found = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++found;
  }
  return found;
}

// Where a finding's field lies in the line, and where the page marks it.
struct MarkCase {
  const char* name;
  void (*change)(tst::Line&);
  const char* mark;  // the start of the <mark> and its title
};

class HtmlMarkTest : public ::testing::TestWithParam<MarkCase> {};

TEST_P(HtmlMarkTest, MarksTheFieldsCharacters) {
  const std::string html = page(lineWith(GetParam().change));
  EXPECT_THAT(html, HasSubstr(GetParam().mark));
}

INSTANTIATE_TEST_SUITE_P(Findings, HtmlMarkTest,
                         ::testing::Values(
                             // KE(4) NUM(2): NUM is characters 5-6.
                             MarkCase{"RootField", [](tst::Line& l) { l.num = "99"; },
                                      "<mark data-p=5 title=\"Zeichen 5&ndash;6: NUM"},
                             // KE NUM OPT FLAG ANZ (11), POS[1] (11), then POS[2]: KE(4) BETRAG.
                             MarkCase{"SecondGroupOccurrence",
                                      [](tst::Line& l) {
                                        l.anz = "2";
                                        l.pos = {tst::Pos{}, tst::Pos{"POS2", "12x45", "  "}};
                                      },
                                      "<mark data-p=27 title=\"Zeichen 27&ndash;31: POS[2] BETRAG"},
                             // ZUS after one position: 11 + 11 + KE(4), INFO at 27-29.
                             MarkCase{"ConditionalGroup",
                                      [](tst::Line& l) {
                                        l.flag = "J";
                                        l.zus_info = "BAD";
                                      },
                                      "<mark data-p=27 title=\"Zeichen 27&ndash;29: ZUS[1] INFO"}),
                         [](const auto& info) { return info.param.name; });

TEST(HtmlPageTest, FoldsGroupOccurrencesOpenWhereFaulty) {
  tst::Line line;
  line.anz = "2";
  line.pos = {tst::Pos{}, tst::Pos{"POS2", "12x45", "  "}};
  const std::string html = page(line.str() + "\n");
  EXPECT_THAT(html, HasSubstr("<details class=\"g\"><summary>POS[1] &middot; Zeichen 12&ndash;22"));
  EXPECT_THAT(html, HasSubstr("<details class=\"g x\" open><summary>POS[2] &middot; Zeichen "
                              "23&ndash;33 &middot; 3 Felder &middot; mit Befund"));
  EXPECT_THAT(html, HasSubstr("<tr class=x data-from=27 data-to=31>"));
}

// Record contents are the attacker's: none of it may become markup.
TEST(HtmlPageTest, EscapesHostileRecordContent) {
  tst::Line line;
  line.num = "99";
  const std::string hostile =
      "</script><img src=x onerror=alert(1)>\"'&#0;<a href=\"javascript:x\">\x01\x1B\x81\x9D";
  const std::string html = page(line.str() + hostile + "\n");
  EXPECT_EQ(count(html, "<script"), 1u);
  EXPECT_EQ(count(html, "</script>"), 1u);
  EXPECT_THAT(html, Not(HasSubstr("<img")));
  EXPECT_THAT(html, Not(HasSubstr("<a href=\"javascript")));
  EXPECT_THAT(html, HasSubstr("&lt;/script&gt;&lt;img"));
  EXPECT_THAT(html, HasSubstr("&quot;&#39;&amp;#0;&lt;a"));
  // One visible character a byte: control pictures, U+FFFD for the
  // undefined C1 bytes.
  EXPECT_THAT(html,
              HasSubstr("<span class=c>\xE2\x90\x81\xE2\x90\x9B\xEF\xBF\xBD\xEF\xBF\xBD</span>"));
  for (char c : html) {
    EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n') << static_cast<int>(c);
  }
}

TEST(HtmlPageTest, AllowsOnlyItsOwnScriptAndStyle) {
  const std::string html = page(lineWith([](tst::Line& l) { l.num = "99"; }));
  const std::regex csp(
      "Content-Security-Policy\" content=\"default-src 'none'; script-src "
      "'sha256-([A-Za-z0-9+/=]+)'; style-src 'sha256-([A-Za-z0-9+/=]+)'");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(html, match, csp));
  const std::size_t script = html.find("<script>") + 8;
  const std::size_t style = html.find("<style>") + 7;
  EXPECT_EQ("'sha256-" + match[1].str() + "'",
            cspHash(html.substr(script, html.find("</script>") - script)));
  EXPECT_EQ("'sha256-" + match[2].str() + "'",
            cspHash(html.substr(style, html.find("</style>") - style)));
  EXPECT_THAT(html, Not(HasSubstr("://")));
}

TEST(HtmlPageTest, NamesTheRuleSetOfEveryRecordChecked) {
  EXPECT_THAT(page(tst::Line().str() + "\n"), HasSubstr("<dt>Regelwerke</dt><dd>TST_01 Version "));
}

TEST(HtmlPageTest, RedactsFieldsWithoutFindings) {
  tst::Line line;
  line.ke = "ABCD";
  line.num = "99";
  line.pos = {tst::Pos{"WXYZ", "00003", "  "}};
  HtmlPageSettings settings;
  settings.redact = true;
  const std::string html = page(line.str() + "\n", settings);
  EXPECT_THAT(html, Not(HasSubstr("ABCD")));
  EXPECT_THAT(html, Not(HasSubstr("WXYZ")));
  EXPECT_THAT(html, Not(HasSubstr("00003")));
  // The faulty field stays; KE's four characters become four marks.
  EXPECT_THAT(html, HasSubstr(">99</mark>"));
  EXPECT_THAT(html,
              HasSubstr("<span class=r>\xE2\x96\x92\xE2\x96\x92\xE2\x96\x92\xE2\x96\x92</span>"));
  settings.redact = false;
  EXPECT_THAT(page(line.str() + "\n", settings), HasSubstr("ABCD"));
}

struct LimitCase {
  std::size_t limit;
  std::size_t articles;
};

class HtmlLimitTest : public ::testing::TestWithParam<LimitCase> {};

// Five records with TST012, two with TST011 after them: each identifier
// keeps its first `limit` records; the counts keep every one.
TEST_P(HtmlLimitTest, ShowsTheFirstRecordsOfEachIdentifier) {
  std::string lines;
  for (int i = 0; i < 5; ++i) lines += lineWith([](tst::Line& l) { l.num = "99"; });
  for (int i = 0; i < 2; ++i) lines += lineWith([](tst::Line& l) { l.num = "x1"; });
  HtmlPageSettings settings;
  settings.limit = GetParam().limit;
  const std::string html = page(lines, settings);
  EXPECT_EQ(count(html, "<article "), GetParam().articles);
  EXPECT_THAT(html, HasSubstr("<td class=n id=s-records_with_findings>7</td>"));
}

INSTANTIATE_TEST_SUITE_P(Limits, HtmlLimitTest,
                         ::testing::Values(LimitCase{0, 7}, LimitCase{1, 2}, LimitCase{3, 5},
                                           LimitCase{100, 7}));

struct VerdictCase {
  const char* name;
  std::string lines;
  const char* verdict;
};

class HtmlVerdictTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(HtmlVerdictTest, SaysTheResultInWords) {
  EXPECT_THAT(page(GetParam().lines), HasSubstr(GetParam().verdict));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, HtmlVerdictTest,
    ::testing::Values(VerdictCase{"Valid", tst::Line().str() + "\n",
                                  "<p class=\"ergebnis ok\">Keine Beanstandungen: 1 Satz"},
                      VerdictCase{"Findings", tst::Line().str() + "\nKE01x1\n",
                                  "<p class=\"ergebnis bef\">Beanstandungen: "},
                      // OPT "BLK" makes the check fail: the line is not checked.
                      VerdictCase{"LineError",
                                  [] {
                                    tst::Line line;
                                    line.opt = "BLK";
                                    return line.str() + "\n";
                                  }(),
                                  "<p class=\"ergebnis err\">Fehler: 1 Zeile nicht pr"},
                      VerdictCase{"NoRecords", "", "aber auch keine Satz"}),
    [](const auto& info) { return info.param.name; });

// Several files: a filter per file, the records numbered by their file,
// and what concerns whole files in the summary.
TEST(HtmlPageTest, FiltersByFileAndTellsAboutWholeFiles) {
  test::MemoryFile file;
  {
    Output out(file.get());
    TstRuleSets layouts;
    HtmlPageSettings settings;
    settings.files = {"a.txt", "empty.txt", "gone.txt", "b.txt"};
    HtmlReport report(out, settings, &layouts);
    TstRuleSets rule_sets;
    SequentialCheck check(rule_sets, report);
    core::CheckOptions options;
    options.record_type = "TST_01";
    check.configure(options);
    const std::string faulty = lineWith([](tst::Line& l) { l.num = "99"; });
    test::StringSource a(faulty), empty(""), b(tst::Line().str() + "\n" + faulty);
    check.checkStream(a, "a.txt");
    check.checkStream(empty, "empty.txt");
    check.fileError("gone.txt", "cannot open file: No such file or directory");
    check.checkStream(b, "b.txt");
    report.finish(check.summary());
  }
  const std::string html = file.text();
  EXPECT_THAT(html, HasSubstr("<a href=\"#f=3\" data-set=f data-v=\"3\">b.txt</a>"));
  EXPECT_THAT(html, HasSubstr("data-f=\"0\" data-line=1>"));
  EXPECT_THAT(html, HasSubstr("data-f=\"3\" data-line=2>"));
  EXPECT_THAT(html, HasSubstr("<li class=warn>empty.txt: file is empty</li>"));
  EXPECT_THAT(html, HasSubstr("<li class=warn>gone.txt: Datei nicht lesbar: cannot open file"));
  EXPECT_THAT(html, HasSubstr("<p class=\"ergebnis err\">Fehler: 1 Datei nicht lesbar"));
}

TEST(HtmlPageTest, ListsLineErrorsAndLengthWarnings) {
  tst::Line blocked;
  blocked.opt = "BLK";
  const std::string html = page(blocked.str() + "\n" + tst::Line().str().substr(0, 8) + "\n");
  EXPECT_THAT(html, HasSubstr("<tr class=err data-kind=error><td class=pos>a.txt:1"));
  EXPECT_THAT(html, HasSubstr("<tr class=warn data-kind=warning><td class=pos>a.txt:2"));
}

TEST(JunitReportTest, HasAFailurePerFindingAndAnErrorPerLineError) {
  tst::Line blocked;
  blocked.opt = "BLK";
  std::string lines = tst::Line().str() + "\n" + blocked.str() + "\n";
  lines += lineWith([](tst::Line& l) { l.num = "99"; });
  lines += lineWith([](tst::Line& l) {
    l.num = "x1";
    l.flag = "J";
    l.zus_info = "BAD";
  });
  CheckSummary summary;
  const std::string xml = junit(lines, summary);
  ASSERT_GE(summary.findings, 3);
  ASSERT_EQ(summary.errors, 1);
  const std::string failures = std::to_string(summary.findings);
  EXPECT_EQ(count(xml, "<testcase "), 4u);
  EXPECT_EQ(count(xml, "<failure "), static_cast<std::size_t>(summary.findings));
  EXPECT_EQ(count(xml, "<error "), 1u);
  EXPECT_THAT(xml, HasSubstr("<testsuites name=\"vexal check\" tests=\"4\" failures=\"" + failures +
                             "\" errors=\"1\""));
  // The blocked line was cut as TST_01 before its check failed.
  EXPECT_THAT(xml, HasSubstr("<testsuite name=\"a.txt TST_01\" id=\"0\" tests=\"4\" failures=\"" +
                             failures + "\" errors=\"1\""));
  EXPECT_EQ(count(xml, "<testsuite "), 1u);
  EXPECT_THAT(xml, HasSubstr("<testcase name=\"a.txt:3\" classname=\"a.txt.TST_01\""));
  // A rule finding names the field its check is about.
  EXPECT_THAT(xml, HasSubstr("Kennung: P_NUM\nFeld: NUM\n"));
  EXPECT_THAT(xml, HasSubstr("Kennung: ZUS[1] P_INFO\nFeld: ZUS[1].INFO\n"));
}

struct XmlCase {
  std::string latin1;
  std::string xml;
};

class XmlEscapeTest : public ::testing::TestWithParam<XmlCase> {};

TEST_P(XmlEscapeTest, EscapesMarkupAndControlCharacters) {
  std::string out;
  appendXml1252(out, GetParam().latin1);
  EXPECT_EQ(out, GetParam().xml);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, XmlEscapeTest,
    ::testing::Values(XmlCase{"<a b=\"c\" d='e'>&",
                              "&lt;a b=&quot;c&quot; d=&apos;e&apos;&gt;&amp;"},
                      XmlCase{"\t\n\r", "&#9;&#10;&#13;"},
                      XmlCase{std::string("\x00\x1B", 2), "\\x00\\x1B"},
                      XmlCase{"M\xFCller \x80", "M\xC3\xBCller \xE2\x82\xAC"}));

struct HtmlCase {
  std::string latin1;
  std::string html;
};

class HtmlEscapeTest : public ::testing::TestWithParam<HtmlCase> {};

TEST_P(HtmlEscapeTest, EscapesMarkupAndShowsControlCharacters) {
  std::string out;
  appendHtml1252(out, GetParam().latin1);
  EXPECT_EQ(out, GetParam().html);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, HtmlEscapeTest,
    ::testing::Values(
        HtmlCase{"<b x=\"1\" y='2'>&#", "&lt;b x=&quot;1&quot; y=&#39;2&#39;&gt;&amp;#"},
        HtmlCase{std::string("\x00\x1F\x7F", 3), "\xE2\x90\x80\xE2\x90\x9F\xE2\x90\xA1"},
        HtmlCase{"\x81\x8D\x9D", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        HtmlCase{"Stra\xDF"
                 "e \x80",
                 "Stra\xC3\x9F"
                 "e \xE2\x82\xAC"}));

struct DigestCase {
  std::string bytes;
  const char* base64;
};

class Sha256Test : public ::testing::TestWithParam<DigestCase> {};

TEST_P(Sha256Test, GivesTheStandardDigest) {
  const auto digest = sha256(GetParam().bytes);
  EXPECT_EQ(base64(digest.data(), digest.size()), GetParam().base64);
}

// Digests of the standard test messages; 55, 56 and 64 bytes cross the
// padding's block boundary.
INSTANTIATE_TEST_SUITE_P(
    Messages, Sha256Test,
    ::testing::Values(
        DigestCase{"", "47DEQpj8HBSa+/TImW+5JCeuQeRkm5NMpJWZG3hSuFU="},
        DigestCase{"abc", "ungWv48Bz+pBQUDeXa4iI7ADYaOWF3qctBD/YfIAFa0="},
        DigestCase{"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                   "JI1qYdIGOLjlwCaTDD5gOaM85Flk/yFn9uzt1BnbBsE="},
        DigestCase{std::string(55, 'a'), "n0OQ+NMMLdkuyfCVtl4rmumwqSWlJY4kHJ8ekQ9zQxg="},
        DigestCase{std::string(64, 'a'), "/+BU/nrgy23GXDr5th1SCfQ5hR20PQulmXM33xVGaOs="}));

TEST(Base64Test, PadsTheLastGroup) {
  const std::uint8_t bytes[] = {'f', 'o', 'o', 'b'};
  EXPECT_EQ(base64(bytes, 1), "Zg==");
  EXPECT_EQ(base64(bytes, 2), "Zm8=");
  EXPECT_EQ(base64(bytes, 3), "Zm9v");
  EXPECT_EQ(base64(bytes, 4), "Zm9vYg==");
}

}  // namespace
}  // namespace vexal::cli
