#pragma once
// How many GDI objects this process holds, to catch leaks.

#include <string>

namespace morvik::testing {

struct GdiObjectCount {
  long objects = 0;
  // False when neither way of counting could be checked against a known
  // change; such a count proves nothing.
  bool reliable = false;
  std::string how;
};

GdiObjectCount CountGdiObjects();

}  // namespace morvik::testing
