/*
 * vexal/check.h - checking records of the accident-insurance reporting
 * procedure (DSKO_04, DSAS_01, DSAS_02, DSLN_01, DSLN_02) from C and from
 * any language with a foreign-function interface.
 *
 * libvexalcheck (vexalcheck.dll on Windows) loads the rule sets of libvexal
 * and does to a record line what `vexal check` does: tells its record type
 * (or takes a forced one), cuts it by the record layout, runs the rule set
 * and reports the findings, a length warning or why the line could not be
 * checked.
 *
 * Conventions:
 *  - Every function that can fail returns a vx_status; VX_OK is 0. After a
 *    failed call on a checker, vx_checker_message() says why.
 *  - Texts handed in are UTF-8 and NUL-terminated, except record lines:
 *    those are the bytes of the record (Windows-1252), given with their
 *    size, without line end.
 *  - Texts handed out are UTF-8 and NUL-terminated; a text that does not
 *    apply is NULL.
 *  - Everything handed out belongs to the checker. Results stay valid
 *    until the next call on the same checker (or its vx_checker_free());
 *    a layout stays valid until the checker is freed. Nothing handed out
 *    is freed by the caller.
 *  - A checker serves one call at a time: a call on it from inside one of
 *    its callbacks, or from a second thread while a call runs, returns
 *    VX_BUSY and does nothing (vx_input_close() then does nothing either).
 *    vx_checker_free() must not be called while a call on the checker
 *    runs. Separate checkers may be used in parallel from separate
 *    threads; each has rule sets of its own.
 *  - Messages are valid UTF-8: bytes of a text handed in that are no
 *    UTF-8 are quoted as \xNN.
 *  - No C++ type and no exception crosses this interface. Running out of
 *    memory gives VX_OUT_OF_MEMORY and leaves the checker usable.
 *
 * Plain C99.
 */

#ifndef VEXAL_CHECK_H_
#define VEXAL_CHECK_H_

#include <stddef.h>

#if defined(_WIN32)
#if defined(VX_BUILDING_VEXALCHECK)
#define VX_API __declspec(dllexport)
#else
#define VX_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define VX_API __attribute__((visibility("default")))
#else
#define VX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The outcome of a call. */
typedef enum vx_status {
  VX_OK = 0,
  VX_INVALID_ARGUMENT = 1, /* a null pointer, a malformed date, an unknown record type, ... */
  VX_LIBRARY_ERROR = 2,    /* libvexal cannot be loaded */
  VX_IO_ERROR = 3,         /* a file cannot be opened or read */
  VX_OUT_OF_MEMORY = 4,
  VX_STOPPED = 5,        /* a result callback returned non-zero: the check stopped there */
  VX_INTERNAL_ERROR = 6, /* anything else; the message says what */
  VX_BUSY = 7            /* the checker is in use: a call from inside one of its own
                            callbacks, or from a second thread; nothing was done and
                            the checker's message is that of the call in progress */
} vx_status;

/* The name of a status: "VX_OK", "VX_INVALID_ARGUMENT", ...; a static text.
 * Any other value, which no function returns, gives "VX_UNKNOWN_STATUS". */
VX_API const char* vx_status_name(vx_status status);

/* The version of libvexalcheck, "1.0"; a static text. */
VX_API const char* vx_version(void);

/* ------------------------------------------------------------------------
 * Making a checker
 */

/* An init parameter of the rule sets, such as ipMjahrSchalttag=1201. */
typedef struct vx_param {
  const char* name;  /* UTF-8, not empty */
  const char* value; /* UTF-8 */
} vx_param;

/* How a checker checks. Start from vx_options_init(), then set what
 * differs. The checker copies what it needs: the pointers are read during
 * vx_checker_new() only. */
typedef struct vx_options {
  /* sizeof(vx_options) as the caller was compiled with; set by
   * vx_options_init(). Fields beyond it keep their defaults. */
  size_t size;
  /* libvexal to load (UTF-8 path); NULL: libvexal.so (vexal.dll) in the
   * folder of libvexalcheck. */
  const char* library_path;
  /* The processing date "JJJJMMTT"; NULL: the local date. */
  const char* today;
  /* Init parameters, set in order after the default
   * ipMjahrSchalttag=1201; a later one wins. param_count entries. */
  const vx_param* params;
  size_t param_count;
  /* The problem-weight level, 0 or greater (default 1); above 1 the check
   * procedures are skipped, field checks still run. */
  int level;
  /* Check every line as this record type ("DSKO_04", ...) instead of
   * telling it from the line; NULL: tell it. */
  const char* record_type;
} vx_options;

/* Fills options with the defaults. */
VX_API void vx_options_init(vx_options* options);

/* A checker: the loaded library, rule sets of its own, a record cutter per
 * record type and the results of its last call. Opaque. */
typedef struct vx_checker vx_checker;

/* Makes a checker. options may be NULL for the defaults. On VX_OK,
 * *checker is a new checker that the caller frees with vx_checker_free();
 * otherwise *checker is NULL and, when message is not NULL, the reason is
 * written to message (at most message_size bytes, NUL included;
 * truncated if longer). */
VX_API vx_status vx_checker_new(const vx_options* options, vx_checker** checker, char* message,
                                size_t message_size);

/* Frees the checker and everything it handed out. NULL is ignored. */
VX_API void vx_checker_free(vx_checker* checker);

/* Why the last call on the checker failed; "" after a call that succeeded.
 * Valid until the next call on the checker. */
VX_API const char* vx_checker_message(const vx_checker* checker);

/* ------------------------------------------------------------------------
 * Results
 */

/* What a result is about. */
typedef enum vx_kind {
  VX_KIND_EMPTY = 0,       /* an empty line: nothing to check */
  VX_KIND_RECORD = 1,      /* a line checked as a record; findings when it has faults */
  VX_KIND_ERROR = 2,       /* a line that could not be checked; error says why */
  VX_KIND_FILE_WARNING = 3 /* about the file as a whole; file_warning says what */
} vx_kind;

/* One finding: a failed rule or a field that does not conform. The fields
 * up to exception are the keys of a "finding" object of
 * `vexal check --format jsonl`, with the same values. */
typedef struct vx_finding {
  const char* id;    /* final id, e.g. "UV[2]#P_BBNRGT" */
  const char* check; /* the part of id after its last '#' */
  const char* code;  /* the error identifier, e.g. "DSKO080"; NULL when none */
  int problem_type;  /* 1 field check, 2 rule */
  int weight;
  int info_type; /* 0 general, 1 not supplied, 2 does not conform, 3 too long */
  const char* short_description;
  const char* long_description;
  const char* correction_info;
  const char* reference_topic;
  const char* reference_field; /* the field's place, e.g. "UV[2].BBNRGT" */
  const char* field_display_name;
  int field_type;   /* 0 alphanumeric, 2 numeric, 4 date/time, 6 topic; -1 none */
  int field_length; /* -1 when none */
  const char* field_mask;
  const char* exception;
  /* As `vexal check` prints the finding: "FILE:LINE: RECORD-TYPE label: text". */
  const char* label;
  const char* text;
} vx_finding;

/* The result of one line, or a warning about the whole file. */
typedef struct vx_result {
  int kind;       /* a vx_kind */
  long long line; /* 1-based; 0 for a file warning about no line in particular */
  /* The record type of a line that was cut (a record, or an error its
   * check raised); NULL otherwise. */
  const char* record_type;
  /* The length warning of a line whose length differs from its layout,
   * e.g. "record too short: 300 characters, its layout implies 415";
   * NULL when the length fits. Both lengths are set whenever record_type
   * is. */
  const char* warning;
  size_t expected_length;
  size_t actual_length;
  const char* error;        /* VX_KIND_ERROR: why the line was not checked */
  const char* file_warning; /* VX_KIND_FILE_WARNING: the warning */
  size_t finding_count;
  const vx_finding* findings; /* finding_count findings, in the order written */
} vx_result;

/* ------------------------------------------------------------------------
 * Checking
 */

/* Checks one record line: size bytes at line (Windows-1252, without line
 * end; NULL is allowed when size is 0). line_number is carried into the
 * result. On VX_OK, *result is the line's result (never a file warning);
 * it belongs to the checker. A line longer than any record may be (64 MiB)
 * is not checked: its result is an error, as in a file. */
VX_API vx_status vx_check_line(vx_checker* checker, const char* line, size_t size,
                               long long line_number, const vx_result** result);

/* Called for each result of a file or stream, in input order: a file
 * warning before the line that shows it, then the line's result; empty
 * lines give none. result is valid during the call only. Return 0 to go
 * on, anything else to stop the check (which then returns VX_STOPPED). */
typedef int (*vx_result_callback)(void* context, const vx_result* result);

/* Reads up to size bytes of a stream into buffer; returns how many, 0 at
 * the end, -1 after an error. */
typedef long long (*vx_read_callback)(void* context, char* buffer, size_t size);

/* Checks every line of a file (UTF-8 path). Lines end in LF or CR LF; a
 * file that is empty, holds only empty lines or is not Windows-1252 gives
 * a file warning. VX_IO_ERROR when the file cannot be opened, or after
 * the lines read when reading fails. */
VX_API vx_status vx_check_file(vx_checker* checker, const char* path, vx_result_callback on_result,
                               void* context);

/* The same for a stream that read() reads, with read_context. */
VX_API vx_status vx_check_stream(vx_checker* checker, vx_read_callback read, void* read_context,
                                 vx_result_callback on_result, void* context);

/* The same, one result at a time: open a file or a stream, take its
 * results with vx_input_next() until *result is NULL, then close it.
 * Opening closes an input still open. A checker reads one input at a time;
 * vx_check_line() may be called in between. */
VX_API vx_status vx_input_open_file(vx_checker* checker, const char* path);
VX_API vx_status vx_input_open_stream(vx_checker* checker, vx_read_callback read,
                                      void* read_context);
/* On VX_OK, *result is the next result, or NULL after the last one. */
VX_API vx_status vx_input_next(vx_checker* checker, const vx_result** result);
/* Closes the input (a file opened by path included). No input is ignored. */
VX_API void vx_input_close(vx_checker* checker);

/* ------------------------------------------------------------------------
 * Record layouts
 */

/* One field or group of a layout, in record order. */
typedef struct vx_layout_entry {
  int is_group;     /* 1 for a group, 0 for a field */
  int depth;        /* the number of enclosing groups */
  const char* path; /* "UV.BBNRGT" */
  const char* name; /* "BBNRGT" */
  /* 1-based position: from the start of the record, or in a group from
   * the start of its occurrence; when after is set, from the end of that
   * group of variable size. */
  size_t position;
  const char* after;
  /* Fields. */
  size_t length;
  const char* type;         /* "alphanumeric" or "numeric" */
  const char* display_name; /* from the rule set; NULL when it names none */
  /* Groups. */
  long long occurrence_length; /* characters of one occurrence; -1 when it varies */
  const char* counter_field;   /* the field that counts the occurrences, or NULL */
  const char* occurs;          /* in words: "once", "as often as counter field ANZ says", ... */
} vx_layout_entry;

typedef struct vx_layout {
  const char* record_type;
  int built; /* 0 when the library has an empty layout for the record type */
  size_t field_count;
  size_t minimum_length;   /* of a record whose variable groups do not occur */
  long long record_length; /* -1 when groups vary in size */
  size_t entry_count;
  const vx_layout_entry* entries;
} vx_layout;

/* The layout of a record type ("DSKO_04", ...). On VX_OK, *layout belongs
 * to the checker and stays valid until the checker is freed. */
VX_API vx_status vx_checker_layout(vx_checker* checker, const char* record_type,
                                   const vx_layout** layout);

#ifdef __cplusplus
}
#endif

#endif /* VEXAL_CHECK_H_ */
