#include "cli/window_reading.h"

#include <algorithm>
#include <array>
#include <string>

#include "cli/correction_recorder.h"
#include "cli/plain_dotted.h"
#include "ipv4/host.h"
#include "ipv4/notation.h"
#include "url/decode_url.h"

namespace morvik {
namespace {

// Upper-case host characters by byte, 0 for the bytes that end the host.
// NUL does not end it either (the window's terminators are the codes 1 to
// 255), and its entry, 0, keeps it as it is.
constexpr std::array<char, 256> kHostCharacter = [] {
  std::array<char, 256> table{};
  for (char c = '0'; c <= '9'; ++c) table[static_cast<unsigned char>(c)] = c;
  for (char c = 'A'; c <= 'Z'; ++c) {
    table[static_cast<unsigned char>(c)] = c;
    table[static_cast<unsigned char>(c - 'A' + 'a')] = c;
  }
  table['.'] = '.';
  table['-'] = '-';
  return table;
}();

bool IsWindowHostCharacter(char c) {
  return c == '\0' || kHostCharacter[static_cast<unsigned char>(c)] != 0;
}

// Dotted text has exactly three dots, and the cut host holds no blank that
// IsDottedAddress would trim first; counting them spares most names the full
// test.
bool HasThreeDots(const Text& host) { return std::count(host.begin(), host.end(), '.') == 3; }

}  // namespace

Text CutWindowHost(std::string_view host_text) {
  std::size_t start = 0;
  while (start < host_text.size() && host_text[start] == ' ') ++start;
  std::size_t end = start;
  while (end < host_text.size() && IsWindowHostCharacter(host_text[end])) ++end;
  Text host(end - start, '\0');
  for (std::size_t i = 0; i < host.size(); ++i) {
    host[i] = kHostCharacter[static_cast<unsigned char>(host_text[start + i])];
  }
  return host;
}

WindowReading ReadAsWindow(std::string_view url, const HostResolver* resolver) {
  WindowReading reading;
  {
    const CorrectionRecorder recorder;
    reading.host_text = DecodeUrl(url);
    reading.over_range_correction = recorder.corrected_text();
  }
  reading.host = CutWindowHost(reading.host_text);
  std::optional<std::uint32_t> address = PlainDottedValue(reading.host);
  if (address || (HasThreeDots(reading.host) && IsDottedAddress(reading.host))) {
    reading.dotted = reading.host;
  } else if (resolver != nullptr) {
    reading.dotted = HostToDotted(reading.host_text, *resolver);
    reading.looked_up = true;
    address = PlainDottedValue(*reading.dotted);
  } else {
    return reading;
  }
  if (address) {
    reading.address = *address;
    reading.decimal = DecimalNotation(*address);
    reading.hex = HexNotation(*address);
  } else {
    reading.decimal = DottedToDecimal(*reading.dotted);
    reading.hex = DottedToHex(*reading.dotted);
    reading.address = static_cast<std::uint32_t>(std::stoul(reading.decimal));
  }
  return reading;
}

}  // namespace morvik
