#include "DSLN_01/DSLN_01.h"
#include "DSLN_01/catalogue.h"
#include "machinery/record_type.h"

VEXAL_DEFINE_RECORD_TYPE(DSLN_01)
