// Compiled as part of a layer with a header that layer must not include:
// the build must stop at the header's own check.
#include VEXAL_FORBIDDEN_HEADER
