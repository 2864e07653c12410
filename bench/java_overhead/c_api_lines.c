/*
 * c_api_lines: the time per line of vx_check_line() for the lines of a
 * file, best of five passes, as the baseline of bench/java_overhead.sh.
 *
 *   c_api_lines FILE     prints "c_api_ns_per_line N"
 */
#define _POSIX_C_SOURCE 199309L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <vexal/check.h>

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  FILE* in;
  char* data;
  long size;
  size_t count = 0, i, *starts, *lengths;
  vx_options options;
  vx_checker* checker;
  char message[512];
  double best = 0;
  int pass;
  if (argc != 2 || (in = fopen(argv[1], "rb")) == NULL) {
    fprintf(stderr, "usage: c_api_lines FILE\n");
    return 2;
  }
  fseek(in, 0, SEEK_END);
  size = ftell(in);
  fseek(in, 0, SEEK_SET);
  data = malloc((size_t)size + 1);
  if (data == NULL || fread(data, 1, (size_t)size, in) != (size_t)size) return 2;
  fclose(in);
  for (i = 0; i < (size_t)size; ++i) count += data[i] == '\n';
  starts = malloc(count * sizeof *starts);
  lengths = malloc(count * sizeof *lengths);
  count = 0;
  for (i = 0; i < (size_t)size;) {
    size_t end = i;
    while (end < (size_t)size && data[end] != '\n') ++end;
    starts[count] = i;
    lengths[count++] = end - i;
    i = end + 1;
  }
  vx_options_init(&options);
  options.today = "20261208";
  if (vx_checker_new(&options, &checker, message, sizeof message) != VX_OK) {
    fprintf(stderr, "%s\n", message);
    return 2;
  }
  for (pass = 0; pass < 6; ++pass) { /* the first pass warms up */
    double start = now(), took;
    for (i = 0; i < count; ++i) {
      const vx_result* result;
      if (vx_check_line(checker, data + starts[i], lengths[i], (long long)i + 1, &result) != VX_OK)
        return 1;
    }
    took = now() - start;
    if (pass > 0 && (best == 0 || took < best)) best = took;
  }
  vx_checker_free(checker);
  printf("c_api_ns_per_line %.0f\n", best * 1e9 / (double)count);
  return 0;
}
