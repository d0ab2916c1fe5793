#pragma once
// Owners for the few Windows handles the window creates: each releases its
// handle exactly once, whichever way the owning scope is left. They move but
// never copy, so a handle cannot end up with two owners.

#include <windows.h>

#include <utility>

namespace morvik {

template <typename Handle, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Reset() {
    if (handle_ != nullptr) Release{}(std::exchange(handle_, nullptr));
  }

  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct FreeModule {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct DestroyOwnedWindow {
  void operator()(HWND window) const { DestroyWindow(window); }
};

using Font = UniqueHandle<HFONT, DeleteGdiObject>;
using Brush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using Library = UniqueHandle<HMODULE, FreeModule>;
// A window the code made for itself and destroys on scope exit.
using OwnedWindow = UniqueHandle<HWND, DestroyOwnedWindow>;

// A window's device context (the screen's for no window), released on scope exit.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { Release(); }

  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&& other) noexcept {
    if (this != &other) {
      Release();
      window_ = other.window_;
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }

  HDC get() const { return dc_; }

 private:
  void Release() {
    if (dc_ != nullptr) ReleaseDC(window_, std::exchange(dc_, nullptr));
  }

  HWND window_;
  HDC dc_;
};

}  // namespace morvik
