// The style and the script of the html report. The page names both by
// their hashes in its Content-Security-Policy, so nothing else runs.

#include "cli/html_assets.h"

namespace vexal::cli {

const char kHtmlStyle[] = R"CSS(
:root{color-scheme:light}
body{font:15px/1.45 system-ui,"Segoe UI",Arial,sans-serif;margin:0;color:#1b1f24;background:#f3f4f6}
header{background:#1f3a5f;color:#fff;padding:14px 24px}
header h1{margin:0 0 8px;font-size:22px;font-weight:600}
header dl{display:grid;grid-template-columns:max-content 1fr;gap:1px 16px;margin:0;font-size:13px}
header dt{color:#c5d3e6}header dd{margin:0}
main{padding:16px 24px}
section{background:#fff;border:1px solid #d5d9df;border-radius:6px;padding:12px 16px;margin:0 0 16px}
h2{font-size:18px;margin:0 0 10px}
.ergebnis{font-size:18px;font-weight:600;padding:8px 12px;border-radius:4px;margin:0 0 10px}
.ok{background:#e2f3e6;color:#14532d}.bef{background:#fff1cc;color:#6b4000}.err{background:#fde0de;color:#8a1c14}
table{border-collapse:collapse;width:100%}
th,td{text-align:left;padding:3px 8px;border-bottom:1px solid #e4e7eb;vertical-align:top}
th{background:#eef1f5;font-weight:600;font-size:13px}
.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
table.zahlen tbody{display:flex;flex-wrap:wrap;gap:8px}
table.zahlen tr{display:flex;flex-direction:column-reverse;border:1px solid #d5d9df;border-radius:4px;min-width:8.5em}
table.zahlen th{background:none;font-weight:400;color:#4a5565;border:0;padding:0 10px 6px}
table.zahlen td{font-size:22px;font-weight:600;text-align:left;border:0;padding:4px 10px 0}
#stat tbody tr[data-k]{cursor:pointer}
#stat tbody tr[data-k]:hover,#stat tbody tr[data-k]:focus{background:#e6effb;outline:2px solid #3b73c4}
#stat tr.aktiv{background:#cfe0f8}
.code{font-weight:700;color:#9b1c12;font-family:"DejaVu Sans Mono",Consolas,monospace}
.filter{font-size:14px;margin:0 0 6px}
.filter a{display:inline-block;margin:2px 4px 2px 0;padding:1px 8px;border:1px solid #b8c2d0;border-radius:10px;color:#1f3a5f;text-decoration:none}
.filter a.aktiv{background:#1f3a5f;color:#fff}
#filterstand{font-weight:600}
article{border:1px solid #d5d9df;border-radius:6px;padding:10px 14px;margin:0 0 14px;background:#fff;content-visibility:auto;contain-intrinsic-size:auto 800px}
article h3{margin:0 0 6px;font-size:16px}
article h3 .ort{font-family:"DejaVu Sans Mono",Consolas,monospace}
ul.bef{margin:4px 0 8px;padding-left:20px}
.pos{font-family:"DejaVu Sans Mono",Consolas,monospace;white-space:nowrap}
.roh{font:14px/1.4 "DejaVu Sans Mono","Liberation Mono",Consolas,monospace;white-space:pre;overflow-x:auto;background:#fafbfc;border:1px solid #e4e7eb;padding:6px 8px;margin:6px 0 10px}
.roh .lin{color:#8fa3c0}
.roh .nr{color:#6b7685;user-select:none}
.roh mark{background:#ffc21a;color:#000;font-weight:700;outline:2px solid #d9480f;outline-offset:0}
.roh mark .b{color:#8a5a00}
.b{color:#aab2bd}
.c{color:#c0392b;font-weight:700}
.r{color:#9aa3ad}
.fehlt{color:#8a1c14;font-style:italic;font-family:system-ui,Arial,sans-serif}
table.f{table-layout:fixed}
table.f td:nth-child(1),table.f th:nth-child(1){width:7.5em}
table.f td:nth-child(2),table.f th:nth-child(2){width:8em}
table.f td:nth-child(3),table.f th:nth-child(3){width:17em}
table.f td:nth-child(4),table.f th:nth-child(4){width:24em}
td.v{font-family:"DejaVu Sans Mono",Consolas,monospace;white-space:pre-wrap;word-break:break-all}
tr.x td{background:#fff1cc}
tr.x td:first-child{box-shadow:inset 4px 0 #d9480f}
.hin{color:#4a5565;font-size:13px}
details.g{margin:2px 0 2px 12px}
details.g summary{cursor:pointer;font-size:14px;padding:2px 0;color:#1f3a5f}
details.g.x>summary{font-weight:700;color:#8a1c14}
.warn{color:#6b4000}
button{font:inherit;font-size:13px;margin:0 6px 6px 0}
@media print{header{background:none;color:#000}header dt{color:#444}.filter,button{display:none}article{content-visibility:visible;break-inside:avoid-page}section,article{border-color:#999}}
)CSS";

const char kHtmlScript[] = R"JS(
(function () {
  "use strict";
  var records = Array.prototype.slice.call(document.querySelectorAll("article[data-k]"));
  var rows = Array.prototype.slice.call(document.querySelectorAll("#stat tr[data-k]"));
  var links = Array.prototype.slice.call(document.querySelectorAll("a[data-set]"));
  function parse() {
    var filter = {};
    location.hash.replace(/^#/, "").split("&").forEach(function (part) {
      var at = part.indexOf("=");
      if (at > 0) {
        try { filter[part.slice(0, at)] = decodeURIComponent(part.slice(at + 1)); } catch (e) {}
      }
    });
    return filter;
  }
  function hashOf(filter) {
    return ["k", "t", "f"].filter(function (name) { return filter[name]; })
      .map(function (name) { return name + "=" + encodeURIComponent(filter[name]); }).join("&");
  }
  function set(name, value) {
    var filter = parse();
    if (filter[name] === value) { delete filter[name]; } else { filter[name] = value; }
    location.hash = hashOf(filter) || "alle";
  }
  function apply() {
    var filter = parse();
    var count = 0;
    records.forEach(function (record) {
      var match = (!filter.k || record.dataset.k.split(" ").indexOf(filter.k) >= 0) &&
        (!filter.t || record.dataset.t === filter.t) && (!filter.f || record.dataset.f === filter.f);
      record.hidden = !match;
      if (match) { count++; }
    });
    rows.forEach(function (row) {
      var active = row.dataset.k === filter.k;
      row.classList.toggle("aktiv", active);
      row.setAttribute("aria-selected", active ? "true" : "false");
    });
    links.forEach(function (link) {
      link.classList.toggle("aktiv", link.dataset.set ?
        (filter[link.dataset.set] || "") === link.dataset.v : !(filter.k || filter.t || filter.f));
    });
    var names = [];
    if (filter.k) {
      var at = filter.k.indexOf(":");
      names.push("Kennung " + filter.k.slice(at + 1) + " (" + filter.k.slice(0, at) + ")");
    }
    if (filter.t) { names.push("Satzart " + filter.t); }
    if (filter.f) { names.push("Datei " + (document.querySelector("a[data-set=f][data-v='" + CSS.escape(filter.f) + "']") || {textContent: filter.f}).textContent); }
    document.getElementById("filterstand").textContent = names.length ?
      "Filter: " + names.join(", ") + " \u2013 " + count + (count === 1 ? " Satz" : " S\u00e4tze") + " gezeigt" :
      "Kein Filter \u2013 alle " + count + " gezeigten S\u00e4tze";
  }
  rows.forEach(function (row) {
    function choose(event) {
      event.preventDefault();
      set("k", row.dataset.k);
      document.getElementById("saetze").scrollIntoView();
    }
    row.addEventListener("click", choose);
    row.addEventListener("keydown", function (event) {
      if (event.key === "Enter" || event.key === " ") { choose(event); }
    });
  });
  links.forEach(function (link) {
    link.addEventListener("click", function (event) {
      event.preventDefault();
      if (link.dataset.set === "") { location.hash = "alle"; } else { set(link.dataset.set, link.dataset.v); }
    });
  });
  Array.prototype.slice.call(document.querySelectorAll("button[data-fold]")).forEach(function (button) {
    button.hidden = false;
    button.addEventListener("click", function () {
      var open = button.dataset.fold === "auf";
      Array.prototype.slice.call(document.querySelectorAll("details.g")).forEach(function (group) {
        group.open = open || group.classList.contains("x");
      });
    });
  });
  window.addEventListener("hashchange", apply);
  apply();
})();
)JS";

}  // namespace vexal::cli
