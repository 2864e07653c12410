#include "DSAS_01/DSAS_01.h"
#include "DSAS_01/catalogue.h"
#include "machinery/record_type.h"

VEXAL_DEFINE_RECORD_TYPE(DSAS_01)
