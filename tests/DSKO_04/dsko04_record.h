// The valid DSKO_04 records (dsko04::validRecord() and more) and their harness.

#ifndef VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_
#define VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_

#include "support/record_types.h"

#endif  // VEXAL_TESTS_DSKO_04_DSKO04_RECORD_H_
