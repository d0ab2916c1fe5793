// IsDottedAddress and HostToDotted on any bytes, with a resolver that knows
// one name. The host is the longest run of host characters after leading
// blanks; dotted text comes back as it is without a look-up, anything else is
// looked up once, by that exact name, and comes back as canonical dotted text.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "ipv4/host.h"
#include "tests/ipv4/fake_resolver.h"
#include "tests/properties/address_text.h"

namespace morvik::fuzz {
namespace {

using testing::FakeResolver;

// Upper-cased ASCII letters, digits, "." and "-" make up a host; so does NUL,
// which is left out of the set of codes 1 to 255 that end it.
Text ExpectedHost(const Text& text) {
  Text host;
  for (std::size_t at = text.find_first_not_of(' '); at < text.size(); ++at) {
    char c = text[at];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool host_character =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == '.' || c == '-' || c == '\0';
    if (!host_character) break;
    host += c;
  }
  return host;
}

std::int64_t DotsBetweenBlanks(const Text& text) {
  return CountText(TrimTrailingBlanks(TrimLeadingBlanks(text)), ".");
}

void CheckHost(const Text& text) {
  const bool dotted = IsDottedAddress(text);
  Require(!dotted || DotsBetweenBlanks(text) == 3, "dotted text has exactly three dots", text);
  Require(IsDottedAddress("  " + text + "  ") == dotted,
          "blanks around the text do not change the verdict",
          text);

  const FakeResolver resolver;
  const Text result = HostToDotted(text, resolver);
  const Text host = ExpectedHost(text);
  if (IsDottedAddress(host)) {
    RequireEqual(result, host, "a dotted host comes back as it is", text);
    Require(resolver.asked().empty(), "a dotted host is not looked up", text);
  } else {
    Require(resolver.asked() == std::vector<Text>{host},
            "any other host is looked up once, by its exact name",
            text,
            "host " + Printable(host));
    RequireEqual(result,
                 host == "SERVER1.EXAMPLE.TEST" ? "10.0.0.5" : "0.0.0.0",
                 "a looked-up host gives the resolver's address as canonical dotted text",
                 text);
  }
  if (testing::ReadCanonicalDotted(text)) {
    Require(dotted, "canonical dotted text is dotted", text);
  }
}

}  // namespace
}  // namespace morvik::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  morvik::fuzz::CheckHost(morvik::Text(reinterpret_cast<const char*>(data), size));
  return 0;
}
