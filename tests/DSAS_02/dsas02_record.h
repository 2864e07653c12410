// The valid DSAS_02 records (dsas02::validRecord() and more) and their harness.

#ifndef VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_
#define VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_

#include "support/record_types.h"

#endif  // VEXAL_TESTS_DSAS_02_DSAS02_RECORD_H_
