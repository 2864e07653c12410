// The html report's page: header, summary, statistics, each kept record
// cut by its layout, and the lines with warnings and errors. Every text
// from a record or a rule set passes appendHtml1252.

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

#include "cli/html_assets.h"
#include "cli/html_report.h"
#include "cli/sha256.h"
#include "core/display_names.h"
#include "core/encoding.h"
#include "model/record_cutter.h"

namespace vexal::cli {
namespace {

// Characters of the raw line per row under its ruler.
constexpr std::size_t kRowWidth = 100;

// One visible character for a byte that has none, so that columns stay
// one character a byte: C0 controls and DEL as their control pictures,
// the C1 controls Windows-1252 leaves undefined as U+FFFD.
char32_t symbolOf(char32_t c) {
  if (c < 0x20) return 0x2400 + c;
  if (c == 0x7F) return 0x2421;
  if (c >= 0x80 && c <= 0x9F) return 0xFFFD;
  return 0;
}

void appendEscaped(std::string& out, char32_t c) {
  switch (c) {
    case '&':
      out.append("&amp;");
      return;
    case '<':
      out.append("&lt;");
      return;
    case '>':
      out.append("&gt;");
      return;
    case '"':
      out.append("&quot;");
      return;
    case '\'':
      out.append("&#39;");
      return;
    default:
      break;
  }
  if (char32_t symbol = symbolOf(c)) c = symbol;
  core::appendCodePoint(out, c);
}

std::string number(long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string out = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back('.');
    out.push_back(digits[i]);
  }
  return out;
}

// "1 Satz" / "3 Sätze".
std::string counted(long value, const char* one, const char* many) {
  return number(value) + " " + (value == 1 ? one : many);
}

// How a value's bytes show: blanks as grey middle dots, control
// characters as symbols in red, redacted bytes as a neutral mark; one
// character a byte.
enum class Shade { kPlain, kBlank, kControl, kRedacted };

Shade shadeOf(unsigned char byte, bool redacted) {
  if (redacted) return Shade::kRedacted;
  if (byte == ' ') return Shade::kBlank;
  return symbolOf(core::codePointOf1252(byte)) != 0 ? Shade::kControl : Shade::kPlain;
}

// Appends bytes[from, to) shown character by character, runs of a shade
// in one span. redacted(i) tells whether byte i is hidden.
template <class Redacted>
void appendShown(std::string& out, std::string_view bytes, std::size_t from, std::size_t to,
                 const Redacted& redacted) {
  Shade open = Shade::kPlain;
  for (std::size_t i = from; i < to; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const Shade shade = shadeOf(byte, redacted(i));
    if (shade != open) {
      if (open != Shade::kPlain) out.append("</span>");
      if (shade == Shade::kBlank) out.append("<span class=b>");
      if (shade == Shade::kControl) out.append("<span class=c>");
      if (shade == Shade::kRedacted) out.append("<span class=r>");
      open = shade;
    }
    switch (shade) {
      case Shade::kBlank:
        out.append("\xC2\xB7");  // U+00B7
        break;
      case Shade::kRedacted:
        out.append("\xE2\x96\x92");  // U+2592
        break;
      default:
        appendEscaped(out, core::codePointOf1252(byte));
    }
  }
  if (open != Shade::kPlain) out.append("</span>");
}

// A record type's layout and display names, cut once per record type.
struct TypeLayout {
  std::unique_ptr<RecordCutter> cutter;
  core::DisplayNames names;
};

// One field of a cut record as the page shows it.
struct ShownField {
  std::string place;  // "UV[2]", or empty at the top level
  std::string name;
  std::string path;  // of the layout: "UV.GTST"
  std::size_t offset = 0;
  std::size_t length = 0;
  std::size_t supplied = 0;
  std::vector<const HtmlFinding*> findings;
};

// Writes one page from the content; borrows content and layouts, and
// cuts each record type's layout once. Used once, by one thread.
class PageWriter {
 public:
  PageWriter(const HtmlContent& content, core::RuleSetProvider* layouts)
      : content_(content), settings_(*content.settings), layouts_(layouts) {}

  std::string write();

 private:
  void header();
  void summary();
  void statistics();
  void filters();
  void record(const HtmlRecord& record);
  void findingList(const HtmlRecord& record, const std::vector<ShownField>& fields);
  void rawLine(const HtmlRecord& record, const std::vector<ShownField>& fields);
  void fieldTable(const HtmlRecord& record, const std::vector<ShownField>& fields);
  void fieldRow(const HtmlRecord& record, const ShownField& field, const TypeLayout& layout);
  void lineList();
  std::vector<ShownField> cut(const HtmlRecord& record, TypeLayout*& layout);
  TypeLayout* layoutOf(const std::string& record_type);
  int fileIndex(std::string_view file) const;

  void text(std::string_view latin1) { appendHtml1252(out_, latin1); }
  void utf8(std::string_view text) { appendHtmlUtf8(out_, text); }

  const HtmlContent& content_;
  const HtmlPageSettings& settings_;
  core::RuleSetProvider* layouts_;
  std::vector<std::pair<std::string, std::unique_ptr<TypeLayout>>> type_layouts_;
  std::string out_;
};

TypeLayout* PageWriter::layoutOf(const std::string& record_type) {
  for (auto& [type, layout] : type_layouts_) {
    if (type == record_type) return layout.get();
  }
  std::unique_ptr<TypeLayout> made;
  const core::LoadedRecordType* loaded = layouts_ ? layouts_->find(record_type) : nullptr;
  if (loaded != nullptr && loaded->built()) {
    made = std::make_unique<TypeLayout>();
    try {
      made->cutter = std::make_unique<RecordCutter>(*loaded->definition);
      made->names = core::DisplayNames::of(loaded->plausi);
    } catch (const std::invalid_argument&) {
      made.reset();
    }
  }
  type_layouts_.emplace_back(record_type, std::move(made));
  return type_layouts_.back().second.get();
}

int PageWriter::fileIndex(std::string_view file) const {
  const std::vector<std::string>& files = settings_.files;
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (core::nameToUtf8(files[i]) == file) return static_cast<int>(i);
  }
  return -1;
}

void PageWriter::header() {
  out_.append(
      "<header><h1>Pr\xC3\xBC"
      "fbericht ");
  for (std::size_t i = 0; i < settings_.files.size(); ++i) {
    if (i > 0) out_.append(", ");
    utf8(core::nameToUtf8(settings_.files[i]));
  }
  out_.append("</h1><dl><dt>Programm</dt><dd>vexal ");
  utf8(settings_.vexal_version);
  out_.append("</dd><dt>Regelwerke</dt><dd>");
  bool any = false;
  for (const std::string& type : content_.checked_types) {
    const core::LoadedRecordType* loaded = layouts_ ? layouts_->find(type) : nullptr;
    if (loaded == nullptr || !loaded->loaded()) continue;
    if (any) out_.append("; ");
    any = true;
    char version[32];
    std::snprintf(version, sizeof version, "%.15g", loaded->plausi->getVersion());
    std::string shown = version;
    if (shown.find_first_of(".en") == std::string::npos) shown += ".0";
    text(type);
    out_.append(" Version ").append(shown).append(", Stand ");
    const char* stamp = loaded->plausi->getBuildStamp();
    text(stamp != nullptr ? stamp : "-");
  }
  if (!any) out_.append("&ndash;");
  out_.append("</dd><dt>Dateien</dt><dd>");
  for (std::size_t i = 0; i < settings_.files.size(); ++i) {
    if (i > 0) out_.append(", ");
    utf8(settings_.files[i] == "-" ? "- (Standardeingabe)" : core::nameToUtf8(settings_.files[i]));
  }
  out_.append("</dd><dt>Verarbeitungsdatum</dt><dd>");
  utf8(settings_.processing_date);
  out_.append("</dd><dt>Init-Parameter</dt><dd>");
  for (std::size_t i = 0; i < settings_.params.size(); ++i) {
    if (i > 0) out_.append(", ");
    text(settings_.params[i].first);
    out_.append("=");
    text(settings_.params[i].second);
  }
  out_.append(
          "</dd><dt>Pr\xC3\xBC"
          "fstufe</dt><dd>")
      .append(std::to_string(settings_.level));
  out_.append(
      "</dd><dt>Pr\xC3\xBC"
      "fung vom</dt><dd>");
  utf8(settings_.run_time);
  out_.append("</dd></dl></header>\n<main>\n");
}

void PageWriter::summary() {
  const CheckSummary& s = *content_.summary;
  out_.append("<section id=zusammenfassung><h2>Ergebnis</h2>");
  if (s.errors > 0 || s.file_errors > 0) {
    out_.append("<p class=\"ergebnis err\">Fehler: ");
    if (s.file_errors > 0)
      out_.append(counted(s.file_errors, "Datei", "Dateien")).append(" nicht lesbar");
    if (s.file_errors > 0 && s.errors > 0) out_.append(", ");
    if (s.errors > 0)
      out_.append(counted(s.errors, "Zeile", "Zeilen"))
          .append(
              " nicht pr\xC3\xBC"
              "fbar");
    out_.append(
        " &ndash; die Pr\xC3\xBC"
        "fung ist unvollst\xC3\xA4ndig");
    if (s.findings > 0)
      out_.append("; dazu ").append(counted(s.findings, "Beanstandung", "Beanstandungen"));
    out_.append("</p>");
  } else if (s.findings > 0) {
    out_.append("<p class=\"ergebnis bef\">Beanstandungen: ")
        .append(counted(s.findings, "Befund", "Befunde"))
        .append(" in ")
        .append(counted(s.records_with_findings, "Satz", "S\xC3\xA4tzen"))
        .append("</p>");
  } else if (s.records == 0) {
    out_.append(
        "<p class=\"ergebnis bef\">Keine Beanstandungen, aber auch keine Satz gepr\xC3\xBC"
        "ft</p>");
  } else {
    out_.append("<p class=\"ergebnis ok\">Keine Beanstandungen: ")
        .append(counted(s.records, "Satz", "S\xC3\xA4tze"))
        .append(" ohne Befund</p>");
  }
  out_.append("<table class=zahlen><tbody>");
  const auto row = [this](const char* label, const char* id, long value) {
    out_.append("<tr><th>").append(label).append("<td class=n id=").append(id).append(">");
    out_.append(number(value)).append("</td></tr>");
  };
  row("Gepr\xC3\xBC"
      "fte S\xC3\xA4tze",
      "s-records", s.records);
  row("S\xC3\xA4tze mit Befund", "s-records_with_findings", s.records_with_findings);
  row("Befunde", "s-findings", s.findings);
  for (const auto& [type, count] : s.findings_by_type) {
    out_.append("<tr><th>davon ");
    text(type);
    out_.append("<td class=n data-type=\"");
    text(type);
    out_.append("\">").append(number(count)).append("</td></tr>");
  }
  row("L\xC3\xA4ngenwarnungen", "s-warnings", s.warnings);
  row("Nicht pr\xC3\xBC"
      "fbare Zeilen",
      "s-line_errors", s.errors);
  row("Nicht lesbare Dateien", "s-unreadable_files", s.file_errors);
  row("Dateiwarnungen", "s-file_warnings", s.file_warnings);
  out_.append("</tbody></table>");
  if (!content_.file_messages.empty()) {
    out_.append("<ul>");
    for (const auto& [file, message] : content_.file_messages) {
      out_.append("<li class=warn>");
      utf8(file);
      out_.append(": ");
      text(message);
      out_.append("</li>");
    }
    out_.append("</ul>");
  }
  out_.append("</section>\n");
}

void PageWriter::statistics() {
  out_.append("<section id=statistik><h2>Statistik je Satzart und Fehlerkennung</h2>");
  if (content_.statistics.empty()) {
    out_.append("<p>Keine Befunde, Warnungen oder Zeilenfehler.</p></section>\n");
    return;
  }
  out_.append(
      "<p class=hin>Eine Zeile anklicken (oder mit Tab w\xC3\xA4hlen und Enter dr\xC3\xBC"
      "cken), um nur die S\xC3\xA4tze mit dieser Kennung zu zeigen.</p>"
      "<table id=stat><thead><tr><th class=n>Anzahl<th class=n>S\xC3\xA4tze<th>Satzart"
      "<th>Kennung<th>Meldung<th>Feld<th class=n>im Bericht</tr></thead><tbody>");
  // Records the page shows per key, each counted once.
  std::map<std::string, long> shown;
  for (const HtmlRecord& record : content_.records) {
    for (std::size_t i = 0; i < record.findings.size(); ++i) {
      const std::string& key = record.findings[i].key;
      bool earlier = false;
      for (std::size_t j = 0; j < i && !earlier; ++j) earlier = record.findings[j].key == key;
      if (!earlier) ++shown[key];
    }
  }
  for (const StatisticsRow* row : content_.statistics) {
    const bool finding = row->kind == StatisticsRow::Kind::kFinding;
    const std::string key = finding ? htmlRowKey(*row) : "";
    if (finding) {
      out_.append("<tr tabindex=0 data-k=\"");
      text(key);
      out_.append("\">");
    } else {
      out_.append("<tr class=warn>");
    }
    out_.append("<td class=n>").append(number(row->count));
    out_.append("<td class=n>").append(number(row->records));
    out_.append("<td>");
    text(row->record_type.empty() ? "-" : row->record_type);
    out_.append("<td class=code>");
    if (finding) {
      out_.append("<a href=\"#k=");
      text(key);
      out_.append("\">");
      text(row->id());
      out_.append("</a>");
    } else {
      out_.append(row->kind == StatisticsRow::Kind::kWarning ? "Warnung" : "Zeilenfehler");
    }
    out_.append("<td>");
    text(row->message);
    out_.append("<td>");
    auto field = content_.key_fields.find(key);
    if (finding && field != content_.key_fields.end()) {
      const TypeLayout* layout = layoutOf(row->record_type);
      const char* display = layout != nullptr ? layout->names.find(field->second) : nullptr;
      text(display != nullptr ? display : field->second);
    }
    out_.append("<td class=n>");
    if (finding) out_.append(number(shown[key]));
    out_.append("</td></tr>");
  }
  out_.append("</tbody></table></section>\n");
}

void PageWriter::filters() {
  out_.append("<section id=saetze><h2>S\xC3\xA4tze mit Befund</h2>");
  const CheckSummary& s = *content_.summary;
  const long shown = static_cast<long>(content_.records.size());
  if (shown < s.records_with_findings) {
    out_.append("<p class=warn>Gezeigt werden ").append(number(shown)).append(" von ");
    out_.append(counted(s.records_with_findings, "Satz", "S\xC3\xA4tzen"));
    out_.append(" mit Befund: von jeder Fehlerkennung die ersten ");
    out_.append(number(static_cast<long>(settings_.limit)));
    out_.append(" (--html-limit). Die Zahlen oben z\xC3\xA4hlen alle.</p>");
  }
  out_.append("<p class=filter>Satzart: <a href=\"#alle\" data-set=\"\" data-v=\"\">alle</a>");
  for (const std::string& type : content_.record_types) {
    out_.append("<a href=\"#t=");
    text(type);
    out_.append("\" data-set=t data-v=\"");
    text(type);
    out_.append("\">");
    text(type);
    out_.append("</a>");
  }
  out_.append("</p>");
  if (settings_.files.size() > 1) {
    out_.append("<p class=filter>Datei: ");
    for (std::size_t i = 0; i < settings_.files.size(); ++i) {
      out_.append("<a href=\"#f=").append(std::to_string(i)).append("\" data-set=f data-v=\"");
      out_.append(std::to_string(i)).append("\">");
      utf8(core::nameToUtf8(settings_.files[i]));
      out_.append("</a>");
    }
    out_.append("</p>");
  }
  out_.append(
      "<p id=filterstand>Alle S\xC3\xA4tze</p><button type=button data-fold=auf hidden>"
      "Alle Gruppen aufklappen</button><button type=button data-fold=zu hidden>Gruppen ohne "
      "Befund zuklappen</button>\n");
}

std::vector<ShownField> PageWriter::cut(const HtmlRecord& record, TypeLayout*& layout) {
  std::vector<ShownField> fields;
  layout = record.record_type.empty() ? nullptr : layoutOf(record.record_type);
  if (layout == nullptr) return fields;
  RecordCut cut;
  layout->cutter->cut(record.bytes, cut);
  const std::vector<LayoutField>& layout_fields = layout->cutter->fields();
  fields.reserve(cut.fields.size());
  for (const RecordCut::Field& field : cut.fields) {
    const LayoutField& defined = layout_fields[static_cast<std::size_t>(field.layout_index)];
    ShownField& shown = fields.emplace_back();
    shown.path = defined.path;
    // "UV.SUB.FIELD" with the indices of its groups: "UV[2].SUB[1]".
    std::string_view path = defined.path;
    for (int depth = 0; depth < field.depth; ++depth) {
      const std::size_t dot = path.find('.');
      if (!shown.place.empty()) shown.place.push_back('.');
      shown.place.append(path.substr(0, dot)).append("[");
      shown.place.append(std::to_string(field.indices[depth] + 1)).append("]");
      path.remove_prefix(dot + 1);
    }
    shown.name = path;
    shown.offset = field.offset;
    shown.length = field.length;
    shown.supplied = field.supplied;
  }
  for (const HtmlFinding& finding : record.findings) {
    if (finding.field.empty()) continue;
    for (ShownField& field : fields) {
      if (field.name == finding.field && field.place == finding.place) {
        field.findings.push_back(&finding);
        break;
      }
    }
  }
  return fields;
}

void PageWriter::record(const HtmlRecord& record) {
  TypeLayout* layout = nullptr;
  const std::vector<ShownField> fields = cut(record, layout);
  out_.append("<article data-k=\"");
  std::vector<const std::string*> keys;
  for (const HtmlFinding& finding : record.findings) {
    bool seen = false;
    for (const std::string* key : keys) seen = seen || *key == finding.key;
    if (seen) continue;
    if (!keys.empty()) out_.push_back(' ');
    keys.push_back(&finding.key);
    text(finding.key);
  }
  out_.append("\" data-t=\"");
  text(record.record_type);
  out_.append("\" data-f=\"").append(std::to_string(fileIndex(record.file)));
  out_.append("\" data-line=").append(std::to_string(record.line)).append("><h3><span class=ort>");
  utf8(record.file);
  out_.append(":").append(std::to_string(record.line)).append("</span> &middot; Satzart ");
  text(record.record_type);
  out_.append(" &middot; ")
      .append(counted(static_cast<long>(record.findings.size()), "Befund", "Befunde"));
  out_.append(" &middot; ")
      .append(number(static_cast<long>(record.bytes.size())))
      .append(" Zeichen</h3>");
  if (!record.warning.empty()) {
    out_.append("<p class=warn>Warnung: ");
    text(record.warning);
    out_.append("</p>");
  }
  findingList(record, fields);
  rawLine(record, fields);
  if (layout != nullptr) fieldTable(record, fields);
  out_.append("</article>\n");
}

// The findings in the order written, each with the characters it is about.
void PageWriter::findingList(const HtmlRecord& record, const std::vector<ShownField>& fields) {
  out_.append("<ul class=bef>");
  for (const HtmlFinding& finding : record.findings) {
    const ShownField* at = nullptr;
    for (const ShownField& field : fields) {
      for (const HtmlFinding* f : field.findings) {
        if (f == &finding) at = &field;
      }
    }
    out_.append("<li>");
    if (!finding.code.empty()) {
      out_.append("<span class=code>");
      text(finding.code);
      out_.append("</span> ");
      text(std::string_view(finding.message).substr(finding.code.size()));
    } else {
      out_.append("<span class=code>");
      text(finding.label);
      out_.append("</span> ");
      text(finding.message);
    }
    out_.append(" &rarr; <span class=pos>");
    if (at != nullptr) {
      out_.append("Zeichen ").append(std::to_string(at->offset + 1)).append("&ndash;");
      out_.append(std::to_string(at->offset + at->length)).append("</span> (");
      if (!at->place.empty()) {
        text(at->place);
        out_.append(" ");
      }
      text(at->name);
      out_.append(")");
    } else {
      out_.append("ganzer Satz</span> (");
      text(finding.label);
      out_.append(")");
    }
    out_.append("</li>");
  }
  out_.append("</ul>");
}

// The line in rows of kRowWidth characters, each under a ruler that
// counts the record's columns: "....+....1" marks every fifth and tenth.
void PageWriter::rawLine(const HtmlRecord& record, const std::vector<ShownField>& fields) {
  const std::string_view bytes = record.bytes;
  // Per byte: the faulty field it is in, or none.
  std::vector<const ShownField*> faulty(bytes.size(), nullptr);
  std::vector<bool> known(bytes.size(), false);
  for (const ShownField& field : fields) {
    const std::size_t end = std::min(bytes.size(), field.offset + field.length);
    for (std::size_t i = field.offset; i < end; ++i) {
      known[i] = true;
      if (!field.findings.empty()) faulty[i] = &field;
    }
  }
  const auto redacted = [&](std::size_t i) { return settings_.redact && faulty[i] == nullptr; };
  out_.append("<div class=roh>");
  for (std::size_t row = 0; row * kRowWidth < std::max<std::size_t>(bytes.size(), 1); ++row) {
    const std::size_t from = row * kRowWidth;
    const std::size_t to = std::min(bytes.size(), from + kRowWidth);
    out_.append("<span class=nr>      </span><span class=lin>");
    const std::size_t ruler_end = std::max(to, from + 1);
    for (std::size_t column = from + 1; column <= ruler_end; ++column) {
      if (column % 10 == 0) {
        out_.push_back(static_cast<char>('0' + (column / 10) % 10));
      } else {
        out_.push_back(column % 5 == 0 ? '+' : '.');
      }
    }
    char label[24];
    std::snprintf(label, sizeof label, "%5zu ", from + 1);
    out_.append("</span>\n<span class=nr>").append(label).append("</span>");
    std::size_t i = from;
    while (i < to) {
      const ShownField* field = faulty[i];
      std::size_t end = i;
      while (end < to && faulty[end] == field) ++end;
      if (field != nullptr) {
        out_.append("<mark data-p=").append(std::to_string(i + 1)).append(" title=\"Zeichen ");
        out_.append(std::to_string(field->offset + 1)).append("&ndash;");
        out_.append(std::to_string(field->offset + field->length)).append(": ");
        if (!field->place.empty()) {
          text(field->place);
          out_.append(" ");
        }
        text(field->name);
        for (const HtmlFinding* finding : field->findings) {
          out_.append(" &ndash; ");
          text(finding->code.empty() ? finding->label : finding->code);
        }
        out_.append("\">");
      }
      appendShown(out_, bytes, i, end, redacted);
      if (field != nullptr) out_.append("</mark>");
      i = end;
    }
    out_.append("\n");
  }
  // Faulty fields the line is too short to hold.
  for (const ShownField& field : fields) {
    if (field.findings.empty() || field.supplied == field.length) continue;
    out_.append("<span class=fehlt>      ");
    if (!field.place.empty()) {
      text(field.place);
      out_.append(" ");
    }
    text(field.name);
    out_.append(" (Zeichen ").append(std::to_string(field.offset + field.supplied + 1));
    out_.append("&ndash;").append(std::to_string(field.offset + field.length));
    out_.append(") fehlt: die Zeile endet vorher</span>\n");
  }
  out_.append("</div>");
}

void PageWriter::fieldRow(const HtmlRecord& record, const ShownField& field,
                          const TypeLayout& layout) {
  const bool faulty = !field.findings.empty();
  out_.append(faulty ? "<tr class=x data-from=" : "<tr>");
  if (faulty) {
    out_.append(std::to_string(field.offset + 1)).append(" data-to=");
    out_.append(std::to_string(field.offset + field.length)).append(">");
  }
  out_.append("<td class=pos>").append(std::to_string(field.offset + 1)).append("&ndash;");
  out_.append(std::to_string(field.offset + field.length)).append("<td>");
  text(field.name);
  out_.append("<td>");
  const char* display = layout.names.find(field.path);
  text(display != nullptr ? display : "");
  out_.append("<td class=v>");
  const std::size_t end = field.offset + field.supplied;
  const bool redact = settings_.redact && !faulty;
  appendShown(out_, record.bytes, field.offset, end, [redact](std::size_t) { return redact; });
  if (field.supplied < field.length) {
    out_.append(field.supplied == 0 ? "<span class=fehlt>fehlt</span>"
                                    : "<span class=fehlt> (Rest fehlt)</span>");
  }
  out_.append("<td>");
  for (const HtmlFinding* finding : field.findings) {
    out_.append("<div><span class=code>");
    text(finding->code.empty() ? finding->label : finding->code);
    out_.append("</span> ");
    text(std::string_view(finding->message).substr(finding->code.size()));
    if (!finding->correction.empty()) {
      out_.append("<br><span class=hin>");
      text(finding->correction);
      out_.append("</span>");
    }
    out_.append("</div>");
  }
  out_.append("</td></tr>");
}

// The fields in record order; each group occurrence folded under its
// name, open when it holds a faulty field.
void PageWriter::fieldTable(const HtmlRecord& record, const std::vector<ShownField>& fields) {
  static constexpr char kHead[] =
      "<table class=f><thead><tr><th>Von&ndash;Bis<th>Feld<th>Bezeichnung<th>Inhalt"
      "<th>Befund</tr></thead><tbody>";
  TypeLayout* layout = layoutOf(record.record_type);
  out_.append(kHead);
  std::size_t i = 0;
  while (i < fields.size()) {
    const std::string& place = fields[i].place;
    std::size_t end = i;
    bool faulty = false;
    while (end < fields.size() && fields[end].place == place) {
      faulty = faulty || !fields[end].findings.empty();
      ++end;
    }
    if (place.empty()) {
      for (; i < end; ++i) fieldRow(record, fields[i], *layout);
      continue;
    }
    const ShownField& last = fields[end - 1];
    out_.append("</tbody></table><details class=\"g");
    out_.append(faulty ? " x\" open>" : "\">");
    out_.append("<summary>");
    text(place);
    out_.append(" &middot; Zeichen ")
        .append(std::to_string(fields[i].offset + 1))
        .append("&ndash;");
    out_.append(std::to_string(last.offset + last.length)).append(" &middot; ");
    out_.append(counted(static_cast<long>(end - i), "Feld", "Felder"));
    if (faulty) out_.append(" &middot; mit Befund");
    out_.append("</summary><table class=f><tbody>");
    for (; i < end; ++i) fieldRow(record, fields[i], *layout);
    out_.append("</tbody></table></details><table class=f><tbody>");
  }
  out_.append("</tbody></table>");
}

void PageWriter::lineList() {
  out_.append("<section id=zeilen><h2>Zeilenfehler und L\xC3\xA4ngenwarnungen</h2>");
  if (content_.lines.empty()) {
    out_.append("<p>Keine.</p></section>\n");
    return;
  }
  if (content_.lines_left_out > 0) {
    out_.append("<p class=warn>").append(number(content_.lines_left_out));
    out_.append(" weitere nicht aufgef\xC3\xBChrt (--html-limit je Ursache).</p>");
  }
  out_.append(
      "<table id=zeilenliste><thead><tr><th>Ort<th>Satzart<th>Art<th>Meldung</tr></thead><tbody>");
  for (const HtmlRecord& line : content_.lines) {
    const bool error = !line.error.empty();
    out_.append(error ? "<tr class=err data-kind=error>" : "<tr class=warn data-kind=warning>");
    out_.append("<td class=pos>");
    utf8(line.file);
    out_.append(":").append(std::to_string(line.line)).append("<td>");
    text(line.record_type.empty() ? "-" : line.record_type);
    out_.append(error ? "<td>Zeilenfehler<td>" : "<td>L\xC3\xA4ngenwarnung<td>");
    if (error && !line.warning.empty()) {
      text(line.warning);
      out_.append("; ");
    }
    text(error ? line.error : line.warning);
    out_.append("</td></tr>");
  }
  out_.append("</tbody></table></section>\n");
}

std::string PageWriter::write() {
  out_.append(
      "<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; script-src ");
  out_.append(cspHash(kHtmlScript)).append("; style-src ").append(cspHash(kHtmlStyle));
  out_.append(
      "; img-src data:; base-uri 'none'; form-action 'none'\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<meta name=\"generator\" content=\"vexal ");
  utf8(settings_.vexal_version);
  out_.append(
      "\">\n<link rel=\"icon\" href=\"data:,\">\n<title>Pr\xC3\xBC"
      "fbericht ");
  for (std::size_t i = 0; i < settings_.files.size(); ++i) {
    if (i > 0) out_.append(", ");
    utf8(core::nameToUtf8(settings_.files[i]));
  }
  out_.append("</title>\n<style>").append(kHtmlStyle).append("</style>\n</head>\n<body>\n");
  header();
  summary();
  statistics();
  filters();
  for (const HtmlRecord& kept : content_.records) record(kept);
  if (content_.records.empty()) out_.append("<p>Keine.</p>");
  out_.append("</section>\n");
  lineList();
  out_.append("</main>\n<script>").append(kHtmlScript).append("</script>\n</body>\n</html>\n");
  return std::move(out_);
}

}  // namespace

void appendHtml1252(std::string& out, std::string_view text) {
  for (char c : text) appendEscaped(out, core::codePointOf1252(static_cast<unsigned char>(c)));
}

void appendHtmlUtf8(std::string& out, std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t c = 0;
    if (core::decodeUtf8(text, i, c)) {
      appendEscaped(out, c);
    } else {
      appendEscaped(out, 0xFFFD);
      ++i;
    }
  }
}

std::string htmlPage(const HtmlContent& content, core::RuleSetProvider* layouts) {
  return PageWriter(content, layouts).write();
}

}  // namespace vexal::cli
