// The valid DSLN_01 records (dsln01::validRecord() and more) and their harness.

#ifndef VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_
#define VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_

#include "support/record_types.h"

#endif  // VEXAL_TESTS_DSLN_01_DSLN01_RECORD_H_
