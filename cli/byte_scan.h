#pragma once
// Finding the next byte that needs attention, many bytes at a time. Most of
// a URL is plain printable ASCII that every output format copies unchanged,
// and most of an authority holds none of the characters that end it; these
// scans skip such runs instead of looking at each byte.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvik {

#if defined(__SSE2__)
// Runs `hits` (a mask of the bytes of interest among the sixteen from a
// position) over `text`, at least sixteen bytes long, from `at` on. The last
// block is read so that it ends with the text, overlapping the one before,
// rather than byte by byte.
template <typename Hits>
std::size_t ScanBlocks(std::string_view text, std::size_t at, const Hits& hits) {
  for (; at + 16 <= text.size(); at += 16) {
    if (const unsigned mask = hits(at); mask != 0) {
      return at + static_cast<std::size_t>(std::countr_zero(mask));
    }
  }
  if (at >= text.size()) return text.size();
  const std::size_t last = text.size() - 16;
  const unsigned mask = hits(last) >> (at - last);
  return mask != 0 ? at + static_cast<std::size_t>(std::countr_zero(mask)) : text.size();
}
#endif

// The position of the first byte at or after `at` that is a control
// character, DEL, a byte of 0x80 or above, or one of `special1` and
// `special2`; text.size() when there is none.
inline std::size_t FindUnplainByte(std::string_view text, std::size_t at, char special1,
                                   char special2) {
  static_assert(std::endian::native == std::endian::little, "byte order of the word scan");
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  const auto has_zero_byte = [](std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; };
  const std::uint64_t first = kOnes * static_cast<unsigned char>(special1);
  const std::uint64_t second = kOnes * static_cast<unsigned char>(special2);
#if defined(__SSE2__)
  // Sixteen bytes at a time. As signed bytes, 0x80 and above are negative,
  // so one "less than 0x20" test finds them together with the controls.
  const __m128i space = _mm_set1_epi8(0x20);
  const __m128i del = _mm_set1_epi8(0x7F);
  const __m128i one = _mm_set1_epi8(special1);
  const __m128i two = _mm_set1_epi8(special2);
  const auto hits = [&](std::size_t from) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(bytes, space), _mm_cmpeq_epi8(bytes, del)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, one), _mm_cmpeq_epi8(bytes, two)))));
  };
  if (text.size() >= 16) return ScanBlocks(text, at, hits);
#endif
  // The high bit of each byte of the eight at `from` that is below 0x20, at
  // 0x80 and above, DEL, or a special byte. The tests can flag bytes after a
  // true hit (a borrow runs upwards), never before one, so the lowest flag is
  // exact.
  const auto flags_at = [&](std::size_t from) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + from, sizeof word);
    return ((word - kOnes * 0x20) & ~word & kHighBits) | (word & kHighBits) |
           has_zero_byte(word ^ (kOnes * 0x7F)) | has_zero_byte(word ^ first) |
           has_zero_byte(word ^ second);
  };
  const std::size_t start = at;
  for (; at + 8 <= text.size(); at += 8) {
    if (const std::uint64_t flags = flags_at(at); flags != 0) {
      return at + static_cast<std::size_t>(std::countr_zero(flags)) / 8;
    }
  }
  if (at < text.size() && text.size() >= start + 8) {
    // The last word, read so that it ends with the text, overlapping bytes
    // this call has already found plain; their flags are shifted out. (A hit
    // among them could flag the byte after it through a borrow.)
    const std::size_t last = text.size() - 8;
    const std::uint64_t flags = flags_at(last) >> (8 * (at - last));
    return flags != 0 ? at + static_cast<std::size_t>(std::countr_zero(flags)) / 8 : text.size();
  }
  for (; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte >= 0x7F || text[at] == special1 || text[at] == special2) return at;
  }
  return text.size();
}

// The position of the first of the four bytes at or after `at`;
// text.size() when none occurs.
inline std::size_t FindAnyOfFour(std::string_view text, std::size_t at, char a, char b, char c,
                                 char d) {
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi8(a);
  const __m128i second = _mm_set1_epi8(b);
  const __m128i third = _mm_set1_epi8(c);
  const __m128i fourth = _mm_set1_epi8(d);
  const auto hits = [&](std::size_t from) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + from));
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, first), _mm_cmpeq_epi8(bytes, second)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, third), _mm_cmpeq_epi8(bytes, fourth)))));
  };
  if (text.size() >= 16) return ScanBlocks(text, at, hits);
#endif
  for (; at < text.size(); ++at) {
    const char byte = text[at];
    if (byte == a || byte == b || byte == c || byte == d) return at;
  }
  return text.size();
}

}  // namespace morvik
