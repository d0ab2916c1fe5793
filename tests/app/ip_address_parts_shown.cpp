#include "tests/app/ip_address_parts_shown.h"

#include <algorithm>
#include <vector>

#include "app/children_left_to_right.h"

namespace morvik::testing {

std::array<HWND, 4> PartWindows(HWND control) {
  const std::vector<HWND> parts = ChildrenLeftToRight(control);
  std::array<HWND, 4> ordered{};
  if (parts.size() == ordered.size()) std::copy(parts.begin(), parts.end(), ordered.begin());
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
