#include "c99_client.h"

#include <stdio.h>
#include <string.h>
#include <vexal/check.h>

static int count(void* context, const vx_result* result) {
  struct c99_counts* counts = context;
  switch (result->kind) {
    case VX_KIND_RECORD:
      ++counts->records;
      counts->findings += (long)result->finding_count;
      break;
    case VX_KIND_ERROR:
      ++counts->errors;
      break;
    case VX_KIND_FILE_WARNING:
      ++counts->file_warnings;
      break;
    default:
      break;
  }
  if (result->warning != NULL) ++counts->warnings;
  return 0;
}

int c99_count(const char* path, const char* today, struct c99_counts* counts, char* message,
              unsigned message_size) {
  vx_options options;
  vx_checker* checker = NULL;
  vx_status status;
  memset(counts, 0, sizeof *counts);
  vx_options_init(&options);
  options.today = today;
  status = vx_checker_new(&options, &checker, message, message_size);
  if (status != VX_OK) return (int)status;
  status = vx_check_file(checker, path, count, counts);
  snprintf(message, message_size, "%s", vx_checker_message(checker));
  vx_checker_free(checker);
  return (int)status;
}

const char* c99_status_name(int value) { return vx_status_name((vx_status)value); }
