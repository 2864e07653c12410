// The valid DSAS_01 records (dsas01::validRecord() and more) and their harness.

#ifndef VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_
#define VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_

#include "support/record_types.h"

#endif  // VEXAL_TESTS_DSAS_01_DSAS01_RECORD_H_
