#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace testsupport
{
// Polls fnDone until it is true or the deadline passes; true when it became true.
// Tests use it instead of sleeping a fixed time, and fail with a message naming what they awaited.
bool waitUntil(const std::function<bool()>& fnDone, std::chrono::milliseconds timeout,
               std::chrono::milliseconds poll = std::chrono::milliseconds(5));

// In a death test's child: make a fatal error's message reach stderr, where the death test
// matches it. On Windows the message is a modal box that nobody would answer under Xvfb, so a
// watcher thread copies its text to stderr and presses OK; natively the text goes to stderr anyway.
void answerFatalErrorBoxes();

// Deletes the program's whole settings tree (HKEY_LOCAL_MACHINE\Software\Tarnwick), as before a
// first run; nothing when there is none.
void removeStoredSettings();
}  // namespace testsupport
