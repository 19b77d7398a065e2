// The data editing dialogs sit below the settings sheet: this include goes up the stack.
#include "sheet/SettingsSheet_win.h"
