#include "KeyboardEvents.h"

bool g_fKeyboardEvents = true;
