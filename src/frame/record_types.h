// The record types of libvexal, in byte order of their codes: the one
// list that names them all. The exports, the export map, the build's
// targets and the hosts' type telling are made from it.
//
// A code is four letters that start the record line and a two-digit
// version; where several types share the letters, the version stands in
// characters 40-41 of the line.

#ifndef VEXAL_FRAME_RECORD_TYPES_H_
#define VEXAL_FRAME_RECORD_TYPES_H_

// X(R) for each record type R. CMake reads the lines "  X(R)" below.
#define VEXAL_RECORD_TYPES(X) \
  X(DSAS_01)                  \
  X(DSAS_02)                  \
  X(DSKO_04)                  \
  X(DSLN_01)                  \
  X(DSLN_02)

#endif  // VEXAL_FRAME_RECORD_TYPES_H_
