#pragma once
// The child windows of a window ordered by their left edges on the screen:
// the four parts of an IP address control, left to right, whatever order
// the platform's control made them in.

#include <windows.h>

#include <algorithm>
#include <vector>

namespace morvik {

inline std::vector<HWND> ChildrenLeftToRight(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  const auto left_edge = [](HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.left;
  };
  std::stable_sort(children.begin(), children.end(), [&](HWND a, HWND b) {
    return left_edge(a) < left_edge(b);
  });
  return children;
}

}  // namespace morvik
