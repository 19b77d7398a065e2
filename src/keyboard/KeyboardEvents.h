#pragma once

// Process-wide switch for keystroke output; subscribers turn it off and on again with the
// NoKeyboardEvents and KeyboardEvents messages. Only the main window's thread touches it.
extern bool g_fKeyboardEvents;
