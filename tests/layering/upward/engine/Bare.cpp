// A bare include of another folder's header.
#include "Keys.h"
