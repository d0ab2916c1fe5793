#include <cstring>

#include "ipv4/host.h"
#include "support/number.h"

namespace morvik {
namespace {

// Every character code from 1 to 255 except those a host name is made of
// (digits, upper-case letters, "." and "-"). NUL is in neither class.
const Text& HostTerminators() {
  static const Text terminators = [] {
    Text all;
    for (int code = 1; code <= 255; ++code) all += CharText(code);
    // Ascending codes keep each of these runs together, so each is removed whole.
    for (const char* host_characters : {"0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", ".", "-"}) {
      all = ReplaceText(all, host_characters, "");
    }
    return all;
  }();
  return terminators;
}

// Text before the first "." and what follows that ".".
struct DottedPart {
  Text part;
  Text rest;
};

DottedPart SplitAtDot(const Text& text) {
  const Position dot = FindText(1, text, ".");
  return {TextSlice(text, 1, dot - 1), TextSlice(text, dot + 1, TextLength(text))};
}

}  // namespace

bool IsDottedAddress(const Text& text) {
  Text rest = TrimTrailingBlanks(TrimLeadingBlanks(text));
  if (CountText(rest, ".") != 3) return false;
  for (int index = 1; index <= 3; ++index) {
    const DottedPart split = SplitAtDot(rest);
    const Whole component = RoundToWhole(NumericValue(split.part));
    if (component < 0 || component > 255) return false;
    rest = split.rest;
  }
  // The last part is not rounded: 255.5 passes here but not in front.
  const Number last = NumericValue(rest);
  return last > -1 && last < 256;
}

Text HostToDotted(const Text& text, const HostResolver& resolver) {
  const Text upper = TrimLeadingBlanks(UpperCaseText(text));
  const Position end = FindAnyOf(1, upper, HostTerminators());
  Text host = TextSlice(upper, 1, end - 1);
  if (IsDottedAddress(host)) return host;

  const NetworkAddress address = resolver.Resolve(host, 1);
  unsigned char bytes[sizeof address];
  std::memcpy(bytes, &address, sizeof address);  // network order: first component first
  return MaskFormat("#_.#_.#_.#",
                    {Number(bytes[0]), Number(bytes[1]), Number(bytes[2]), Number(bytes[3])});
}

}  // namespace morvik
