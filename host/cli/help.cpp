#include "cli/help.h"

#ifndef VEXAL_VERSION
#define VEXAL_VERSION "0"
#endif

namespace vexal::cli {
namespace {

constexpr char kOverview[] =
    R"(vexal - checks records of the accident-insurance reporting procedure with the
rule sets of libvexal.

Usage:
  vexal check [options] FILE...     check record files (- reads standard input)
  vexal layout [options] R          print the record layout of record type R
  vexal call [options] R FUNCTION [NAME=VALUE...]
                                    call a rule function of record type R
  vexal types [options]             list the record types and their state
  vexal [SUBCOMMAND] --help         help of vexal or of a subcommand
  vexal --version                   version of this program

Record types R: DSAS_01 DSAS_02 DSKO_04 DSLN_01 DSLN_02

Options of every subcommand:
  --library PATH   the libvexal to load (default: libvexal.so, on Windows
                   vexal.dll, in the folder of this program)
  --help, -h       this help
  --version        the version

Exit status: 0 no findings, 1 findings or lines that could not be checked
(call: the function raised an exception), 2 usage or input/output errors.

Examples:
  vexal check --today 20261208 transmission.txt
  vexal check --format jsonl - < transmission.txt
  vexal layout DSKO_04
  vexal call DSKO_04 F_Trim Zeichenkette="  ab "
)";

constexpr char kCheck[] =
    R"(vexal check [options] FILE...

Checks every line of the files as one record, in order; - reads standard
input. Lines are Latin-1 (Windows-1252) bytes ending in LF or CR LF; a last
line without line end counts, empty lines are skipped (but counted in line
numbers). The record type of a line comes from its characters 1-4: DSKO is
DSKO_04; DSAS and DSLN take the version "01" or "02" from characters 40-41.
A line whose type cannot be told, or whose rule set the library cannot
give, is reported as an error and checking goes on.

Options:
  --today JJJJMMTT   processing date (default: today's local date)
  --param NAME=VALUE init parameter of the rule set; repeatable
                     (default: ipMjahrSchalttag=1201)
  --level N          problem-weight level (default: 1); above 1 the check
                     procedures are skipped, field checks still run
  --type R           check every line as record type R instead of telling
                     the type from the line
  --format F         text (default), jsonl or csv; json with --statistics
  --statistics       after the check, instead of one line per finding, a
                     table of how often each error identifier occurs per
                     record type, most frequent first
  --color WHEN       colour the text format: auto (default: on a terminal,
                     unless NO_COLOR is set), always or never
  --quiet, -q        no progress line and no summary on standard error
  --jobs N, -j N     check with N workers in parallel (default: one per
                     core); the output is the same for every N, -j 1 checks
                     in one thread
  --log              write the runtime's trace and error lines to
                     standard error
  --library PATH     the library to load (default: libvexal.so, on
                     Windows vexal.dll, next to this program)
  --help, -h         this help
  --version          the version

Formats (all UTF-8):
  text   one line per finding, warning and error:
           FILE:LINE: R CHECK: TEXT
         and a summary on standard error
  jsonl  one JSON object per line: "finding" objects, then one "record"
         object per checked line; "warning" before a record's findings
         when its length differs from its layout; "error" for a line that
         could not be checked or a file that could not be read;
         "file_warning" for a file that is empty or not Latin-1; a last
         "summary" object with the counts of the run
  csv    RFC 4180 with a header row: kind first, then every jsonl key
  json   with --statistics only: one document with the counts and the table

A file that starts with a UTF-16 or UTF-8 byte-order mark, or whose lines
hold UTF-8 characters, gets a warning naming the first such line; its
bytes are checked as they are. On a terminal, a run longer than a second
shows its progress on standard error.

Exit status: 0 no findings, 1 findings or line errors, 2 usage or I/O
errors (other files are still checked); 2 wins over 1.

Examples:
  vexal check --today 20261208 transmission.txt
  vexal check --format jsonl --param ipMjahrSchalttag=1130 a.txt b.txt
  vexal check --type DSKO_04 --level 2 - < records.txt
  vexal check -j 2 --format jsonl big.txt > findings.jsonl
)";

constexpr char kLayout[] =
    R"(vexal layout [options] R

Prints the record layout of record type R: per field its position (1-based;
inside a group counted from the start of the occurrence, after a group of
variable size counted from its end, shown as GROUP+N), length, model type,
short name and display name (from the rule set); per group how often it
occurs (counter field or condition).

Options:
  --format F       text (default) or json
  --library PATH   the library to load (default: libvexal.so, on Windows
                   vexal.dll, next to this program)
  --help, -h       this help
  --version        the version

Example:
  vexal layout --format json DSKO_04
)";

constexpr char kCall[] =
    R"(vexal call [options] R FUNCTION [NAME=VALUE...]

Calls the rule function FUNCTION of record type R by name. Its arguments
are init parameters: NAME=VALUE after the function name sets one (quote it
in the shell to keep blanks). Prints the result: text as it is (no quotes),
numbers in plain decimals, truth values as true or false, dates as
JJJJMMTT, the invalid value as (invalid). An exception of the function is
printed on standard error and the exit status is 1.

Options:
  --today JJJJMMTT   processing date (default: today's local date)
  --param NAME=VALUE init parameter; repeatable (default:
                     ipMjahrSchalttag=1201); NAME=VALUE operands win
  --format F         text (default) or json: one object with the kind and
                     the exact text of the result
  --log              write the runtime's trace and error lines to
                     standard error
  --library PATH     the library to load (default: libvexal.so, on
                     Windows vexal.dll, next to this program)
  --help, -h         this help
  --version          the version

Example:
  vexal call DSKO_04 F_Trim Zeichenkette="  ab "     prints: ab
)";

constexpr char kTypes[] =
    R"(vexal types [options]

Lists the record types of the library with the version and build stamp of
each rule set and whether the record type is built yet (a record type
still to be written comes with a layout of no fields).

Options:
  --format F       text (default) or json
  --library PATH   the library to load (default: libvexal.so, on Windows
                   vexal.dll, next to this program)
  --help, -h       this help
  --version        the version
)";

}  // namespace

const char* helpText(Command command) {
  switch (command) {
    case Command::kCheck:
      return kCheck;
    case Command::kLayout:
      return kLayout;
    case Command::kCall:
      return kCall;
    case Command::kTypes:
      return kTypes;
    case Command::kNone:
      break;
  }
  return kOverview;
}

const char* versionText() { return "vexal " VEXAL_VERSION "\n"; }

}  // namespace vexal::cli
