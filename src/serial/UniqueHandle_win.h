#pragma once

#include <windows.h>

#include <utility>

// Closes the handle and leaves the variable null, so a second close cannot hit a reused handle.
void closeHandle(HANDLE& h);

// Owns one kernel handle (event, semaphore, thread). Movable, never copied: a copy would close
// the handle twice.
class UniqueHandle
{
public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~UniqueHandle() { closeHandle(m_h); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_h(std::exchange(other.m_h, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept
  {
    if (this != &other)
    {
      closeHandle(m_h);
      m_h = std::exchange(other.m_h, nullptr);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE get() const { return m_h; }
  explicit operator bool() const { return m_h != nullptr; }
  void reset() { closeHandle(m_h); }

private:
  HANDLE m_h = nullptr;
};
