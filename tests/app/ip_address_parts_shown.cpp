#include "tests/app/ip_address_parts_shown.h"

#include <algorithm>
#include <vector>

namespace morvik::testing {

std::array<HWND, 4> PartWindows(HWND control) {
  std::vector<HWND> parts;
  for (HWND child = GetWindow(control, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    parts.push_back(child);
  }
  std::array<HWND, 4> ordered{};
  if (parts.size() != ordered.size()) return ordered;
  const auto left_edge = [](HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.left;
  };
  std::sort(
      parts.begin(), parts.end(), [&](HWND a, HWND b) { return left_edge(a) < left_edge(b); });
  std::copy(parts.begin(), parts.end(), ordered.begin());
  return ordered;
}

std::array<std::string, 4> PartsShown(HWND control) {
  std::array<std::string, 4> shown;
  const std::array<HWND, 4> parts = PartWindows(control);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    char text[16] = "";
    if (parts[i] != nullptr) GetWindowTextA(parts[i], text, sizeof text);
    shown[i] = text;
  }
  return shown;
}

}  // namespace morvik::testing
