// Built only by the layering test, which expects this build to fail: the
// values room does not see the data room's headers.
#include "db.h"
