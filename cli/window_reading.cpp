#include "cli/window_reading.h"

#include <algorithm>
#include <array>
#include <string>

#include "cli/byte_scan.h"
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

// The length of the run of host characters at the start of `text`.
std::size_t HostLength(std::string_view text) {
  std::size_t end = 0;
#if defined(__SSE2__)
  // As signed bytes, 0x80 and above are negative and fall outside every
  // range below; a letter is found in either case by setting bit 5.
  const auto not_host = [](__m128i bytes) {
    const auto in_range = [](__m128i values, char low, char high) {
      return _mm_and_si128(_mm_cmpgt_epi8(values, _mm_set1_epi8(static_cast<char>(low - 1))),
                           _mm_cmplt_epi8(values, _mm_set1_epi8(static_cast<char>(high + 1))));
    };
    const __m128i letter = in_range(_mm_or_si128(bytes, _mm_set1_epi8(0x20)), 'a', 'z');
    const __m128i digit = in_range(bytes, '0', '9');
    const __m128i mark = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.')),
                                      _mm_cmpeq_epi8(bytes, _mm_set1_epi8('-')));
    const __m128i host =
        _mm_or_si128(_mm_or_si128(letter, digit),
                     _mm_or_si128(mark, _mm_cmpeq_epi8(bytes, _mm_setzero_si128())));
    return static_cast<unsigned>(_mm_movemask_epi8(host)) ^ 0xFFFFu;
  };
  bool done = false;
  end = ScanVector(text, 0, not_host, done);
  if (done) return end;
#endif
  while (end < text.size() && IsWindowHostCharacter(text[end])) ++end;
  return end;
}

// Dotted text has exactly three dots, and the cut host holds no blank that
// IsDottedAddress would trim first; counting them spares most names the full
// test.
bool HasThreeDots(std::string_view host) { return std::count(host.begin(), host.end(), '.') == 3; }

std::size_t HostStart(std::string_view host_text) {
  std::size_t start = 0;
  while (start < host_text.size() && host_text[start] == ' ') ++start;
  return start;
}

}  // namespace

void UpperCaseHostCharacters(std::string_view from, char* to) {
  for (std::size_t i = 0; i < from.size(); ++i) {
    const char upper = kHostCharacter[static_cast<unsigned char>(from[i])];
    to[i] = upper != 0 ? upper : from[i];
  }
}

Text CutWindowHost(std::string_view host_text) {
  const std::size_t start = HostStart(host_text);
  const std::string_view cut = host_text.substr(start, HostLength(host_text.substr(start)));
  Text host(cut.size(), '\0');
  UpperCaseHostCharacters(cut, host.data());
  return host;
}

Text WindowReading::UpperCaseHost() const {
  Text upper(host_length, '\0');
  UpperCaseHostCharacters(host(), upper.data());
  return upper;
}

WindowReading ReadAsWindow(std::string_view url, const HostResolver* resolver) {
  WindowReading reading;
  {
    const CorrectionRecorder recorder;
    reading.host_text = DecodeUrl(url);
    reading.over_range_correction = recorder.corrected_text();
  }
  reading.host_start = HostStart(reading.host_text);
  reading.host_length = HostLength(std::string_view(reading.host_text).substr(reading.host_start));
  // Digits and dots only: the same in either case.
  std::optional<std::uint32_t> address = PlainDottedValue(reading.host());
  if (address) {
    reading.dotted = Text(reading.host());
  } else if (Text upper;
             HasThreeDots(reading.host()) && IsDottedAddress(upper = reading.UpperCaseHost())) {
    reading.dotted = std::move(upper);
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
