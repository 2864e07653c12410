// The valid DSLN_02 records (dsln02::validRecord() and more) and their harness.

#ifndef VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_
#define VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_

#include "support/record_types.h"

#endif  // VEXAL_TESTS_DSLN_02_DSLN02_RECORD_H_
