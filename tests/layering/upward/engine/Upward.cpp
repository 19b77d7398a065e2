// The engine sits below settings: this include goes up the stack.
#include "settings/Profile.h"
