#pragma once

#include "keyboard/KeyEventSink.h"

#include <cstddef>

// Counts key events without recording them: for benchmarks and fuzzing, where only the volume of
// keystroke output matters.
class CountingKeyEventSink : public KeyEventSink
{
public:
  bool keyEvent(int, int, unsigned) override { ++m_nEvents; return true; }
  bool unicodeEvent(int, unsigned) override { ++m_nEvents; return true; }
  void wait(int) override {}
  size_t m_nEvents = 0;
};
