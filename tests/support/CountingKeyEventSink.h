#pragma once

#include "keyboard/KeyEventSink.h"

#include <cstddef>

// Counts key events without recording them: for benchmarks and fuzzing, where only the volume of
// keystroke output matters.
class CountingKeyEventSink : public KeyEventSink
{
public:
  void keyEvent(int, int, unsigned) override { ++m_nEvents; }
  void unicodeEvent(int) override { ++m_nEvents; }
  void wait(int) override {}
  size_t m_nEvents = 0;
};
