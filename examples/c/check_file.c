/*
 * check_file: checks a record file through libvexalcheck and prints what
 * `vexal check` prints for it on standard output, line for line (a file it
 * cannot open it reports on standard error, in the C API's words):
 *
 *   FILE:LINE: RECORD-TYPE PLACE: TEXT       a finding
 *   FILE:LINE: RECORD-TYPE warning: TEXT     a record of the wrong length
 *   FILE:LINE: error: TEXT                   a line that cannot be checked
 *   FILE:LINE: warning: TEXT                 a file that is not Latin-1
 *
 * Usage: check_file [--today JJJJMMTT] FILE
 * Exit status as vexal's: 0 no findings, 1 findings or line errors, 2 usage
 * or input/output errors.
 *
 * Plain C99 against the installed header and library:
 *   cc -std=c99 -I PREFIX/include check_file.c -L PREFIX/lib/vexal -lvexalcheck
 */

#include <stdio.h>
#include <string.h>
#include <vexal/check.h>

struct run {
  const char* file;
  long findings;
  long errors;
};

static void print_location(const struct run* run, long long line) {
  if (line > 0) {
    printf("%s:%lld: ", run->file, line);
  } else {
    printf("%s: ", run->file);
  }
}

/* Called by vx_check_file() for each result, in input order. */
static int print_result(void* context, const vx_result* result) {
  struct run* run = context;
  size_t i;
  switch (result->kind) {
    case VX_KIND_FILE_WARNING:
      print_location(run, result->line);
      printf("warning: %s\n", result->file_warning);
      return 0;
    case VX_KIND_EMPTY:
      return 0;
    default:
      break;
  }
  if (result->warning != NULL) {
    print_location(run, result->line);
    printf("%s warning: %s\n", result->record_type, result->warning);
  }
  if (result->kind == VX_KIND_ERROR) {
    print_location(run, result->line);
    printf("error: %s\n", result->error);
    ++run->errors;
    return 0;
  }
  for (i = 0; i < result->finding_count; ++i) {
    const vx_finding* finding = &result->findings[i];
    print_location(run, result->line);
    printf("%s %s: %s\n", result->record_type, finding->label, finding->text);
  }
  run->findings += (long)result->finding_count;
  return 0;
}

int main(int argc, char** argv) {
  vx_options options;
  vx_checker* checker = NULL;
  char message[512];
  struct run run = {NULL, 0, 0};
  vx_status status;
  int arg = 1;

  vx_options_init(&options);
  if (argc == 4 && strcmp(argv[1], "--today") == 0) {
    options.today = argv[2];
    arg = 3;
  }
  if (argc != arg + 1) {
    fprintf(stderr, "usage: check_file [--today JJJJMMTT] FILE\n");
    return 2;
  }
  run.file = argv[arg];

  status = vx_checker_new(&options, &checker, message, sizeof message);
  if (status != VX_OK) {
    fprintf(stderr, "check_file: %s: %s\n", vx_status_name(status), message);
    return 2;
  }
  status = vx_check_file(checker, run.file, print_result, &run);
  if (status != VX_OK) {
    fflush(stdout);
    fprintf(stderr, "check_file: %s: %s\n", vx_status_name(status), vx_checker_message(checker));
  }
  vx_checker_free(checker);
  if (status != VX_OK) return 2;
  return run.findings > 0 || run.errors > 0 ? 1 : 0;
}
