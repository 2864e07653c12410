/* A client of vexal/check.h written in C99 (c99_client.c), so that the
 * build proves the header is plain C; the C API tests call it. */

#ifndef VEXAL_TESTS_CAPI_C99_CLIENT_H_
#define VEXAL_TESTS_CAPI_C99_CLIENT_H_

#ifdef __cplusplus
extern "C" {
#endif

/* What c99_count() counted in a file. */
struct c99_counts {
  long records;
  long findings;
  long errors;
  long warnings;
  long file_warnings;
};

/* Checks the file with a checker made from defaults and today, and counts
 * its results; returns the vx_status of the check, and the checker's
 * message (or the one of vx_checker_new) in message. */
int c99_count(const char* path, const char* today, struct c99_counts* counts, char* message,
              unsigned message_size);

/* vx_status_name() of any int, converted to vx_status as C does. */
const char* c99_status_name(int value);

#ifdef __cplusplus
}
#endif

#endif /* VEXAL_TESTS_CAPI_C99_CLIENT_H_ */
