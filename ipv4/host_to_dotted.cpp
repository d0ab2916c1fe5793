#include "ipv4/host.h"
#include "support/number.h"

namespace morvik {
namespace {

bool IsHostCharacter(char c) {
  return c == '\0' || c == '.' || c == '-' || IsAsciiDigit(c) || IsAsciiLetter(c);
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

HostCut CutHost(std::string_view text) {
  HostCut cut;
  while (cut.start < text.size() && text[cut.start] == ' ') ++cut.start;
  while (cut.start + cut.length < text.size() && IsHostCharacter(text[cut.start + cut.length])) {
    ++cut.length;
  }
  return cut;
}

Text HostToDotted(const Text& text, const HostResolver& resolver) {
  const HostCut cut = CutHost(text);
  Text host = UpperCaseText(text.substr(cut.start, cut.length));
  if (IsDottedAddress(host)) return host;

  const std::uint32_t address = AddressValue(resolver.Resolve(host, 1));
  return MaskFormat("#_.#_.#_.#",
                    {Number(address >> 24),
                     Number((address >> 16) & 0xFF),
                     Number((address >> 8) & 0xFF),
                     Number(address & 0xFF)});
}

}  // namespace morvik
