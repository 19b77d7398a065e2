#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <vector>

// The data string blocks handed to each window with WM_DATASTRING and not taken yet, oldest
// first. Any program on the desktop can post a message to the main window, so the receiver takes
// only what is listed here: a forged lParam is never read or freed. Safe between threads.
class HandedOverBlocks
{
public:
  void add(std::uintptr_t nWindow, std::uintptr_t nBlock);
  // A block whose message could not be posted.
  void remove(std::uintptr_t nWindow, std::uintptr_t nBlock);
  // When nBlock was handed to the window and has not been taken: that block and every block
  // handed to the window before it (whose messages cannot come any more, as a window's posted
  // messages arrive in order), oldest first. Otherwise nothing, whatever nBlock is.
  std::vector<std::uintptr_t> takeThrough(std::uintptr_t nWindow, std::uintptr_t nBlock);
  // Every block still handed to the window, oldest first.
  std::vector<std::uintptr_t> takeAll(std::uintptr_t nWindow);

private:
  std::mutex m_mutex;
  std::map<std::uintptr_t, std::deque<std::uintptr_t>> m_mapBlocks;
};
