#pragma once

#include <windows.h>

#include <utility>

// One family of move-only owners for what the system hands out: each closes its resource once,
// with the call that belongs to it. Copying is deleted: a copy would close the resource twice.
// Traits give the value meaning "nothing owned" and the call that releases a resource.
template <class Traits>
class UniqueResource
{
public:
  using Value = typename Traits::Value;

  UniqueResource() = default;
  explicit UniqueResource(Value value) : m_value(Traits::isNone(value) ? Traits::none() : value) {}
  ~UniqueResource() { reset(); }
  UniqueResource(UniqueResource&& other) noexcept : m_value(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept
  {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;

  Value get() const { return m_value; }
  explicit operator bool() const { return !Traits::isNone(m_value); }

  void reset(Value value = Traits::none())
  {
    Value old = std::exchange(m_value, Traits::isNone(value) ? Traits::none() : value);
    if (!Traits::isNone(old))
      Traits::release(old);
  }

  // Gives up ownership without releasing.
  Value release() { return std::exchange(m_value, Traits::none()); }

private:
  Value m_value = Traits::none();
};

// Kernel handles that report failure as null (events, semaphores, threads, processes, tokens).
// INVALID_HANDLE_VALUE is taken as nothing too, so a failed CreateFile can never be closed.
struct KernelHandleTraits
{
  using Value = HANDLE;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
  static void release(Value h) { CloseHandle(h); }
};

// Handles that report failure as INVALID_HANDLE_VALUE (files, serial ports, find handles made by
// CreateFile); null is taken as nothing too.
struct FileHandleTraits
{
  using Value = HANDLE;
  static Value none() { return INVALID_HANDLE_VALUE; }
  static bool isNone(Value h) { return h == nullptr || h == INVALID_HANDLE_VALUE; }
  static void release(Value h) { CloseHandle(h); }
};

struct RegKeyTraits
{
  using Value = HKEY;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { RegCloseKey(h); }
};

struct ModuleTraits
{
  using Value = HMODULE;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { FreeLibrary(h); }
};

// Fonts, brushes, pens, bitmaps and regions created by the program (never stock objects, and
// never while selected into a device context).
template <class GdiHandle>
struct GdiObjectTraits
{
  using Value = GdiHandle;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { DeleteObject(h); }
};

// Icons loaded with LoadImage at a given size (shared icons from LoadIcon are never destroyed).
struct IconTraits
{
  using Value = HICON;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { DestroyIcon(h); }
};

// WinEvent hooks set with SetWinEventHook.
struct WinEventHookTraits
{
  using Value = HWINEVENTHOOK;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { UnhookWinEvent(h); }
};

// Memory device contexts made with CreateCompatibleDC (never those of GetDC or BeginPaint).
struct MemoryDcTraits
{
  using Value = HDC;
  static Value none() { return nullptr; }
  static bool isNone(Value h) { return h == nullptr; }
  static void release(Value h) { DeleteDC(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueRegKey = UniqueResource<RegKeyTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueFont = UniqueResource<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueResource<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueResource<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueResource<GdiObjectTraits<HPEN>>;
using UniqueIcon = UniqueResource<IconTraits>;
using UniqueWinEventHook = UniqueResource<WinEventHookTraits>;
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;
