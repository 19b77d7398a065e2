#pragma once

// The names of the window messages through which other programs talk to Quilbar's main window.
// Each program registers them with the system by name; Quilbar and Pelldrop share this header so
// both sides always agree on the spelling.
constexpr const char kszQuilbar32SendClipboardContents[] = "Quilbar32.SendClipboardContents";
constexpr const char kszQuilbar32Subscribe[] = "Quilbar32.Subscribe";
constexpr const char kszQuilbar32SubscribeExclusive[] = "Quilbar32.SubscribeExclusive";
constexpr const char kszQuilbar32Unsubscribe[] = "Quilbar32.Unsubscribe";
constexpr const char kszQuilbar32KeyboardEvents[] = "Quilbar32.KeyboardEvents";
constexpr const char kszQuilbar32NoKeyboardEvents[] = "Quilbar32.NoKeyboardEvents";
constexpr const char kszQuilbar32MonitorSubscribe[] = "Quilbar32.MonitorSubscribe";
