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
// Runs `hits` (a mask of the bytes of interest among sixteen) over the text
// from `at` on. Rather than byte by byte, a last part shorter than sixteen
// bytes is read as one block that ends with the text and overlaps bytes
// already found plain; eight to fifteen bytes as two overlapping halves of a
// block, four to seven as two overlapping quarters. Only fewer than four
// bytes are left to the caller: the result is then `at` itself if no hit
// was found before, so the caller looks at them one by one.
template <typename Hits>
[[gnu::always_inline]] inline std::size_t ScanVector(std::string_view text, std::size_t at,
                                                     const Hits& hits, bool& done) {
  const char* const data = text.data();
  const std::size_t size = text.size();
  done = true;
  if (at >= size) return size;
  // The first hit in a mask of two pieces of `piece` bytes, read from
  // `first` and from `second` (the two may overlap): the lowest flagged bit
  // of the first piece, else of the second.
  const auto first_of =
      [&](unsigned mask, std::size_t piece, std::size_t first, std::size_t second) {
        const unsigned piece_mask = (1u << piece) - 1;
        if ((mask & piece_mask) != 0) {
          return first + static_cast<std::size_t>(std::countr_zero(mask));
        }
        mask = (mask >> piece) & piece_mask;
        return mask != 0 ? second + static_cast<std::size_t>(std::countr_zero(mask)) : size;
      };
  if (size - at >= 16) {
    for (; at + 16 <= size; at += 16) {
      const unsigned mask = hits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at)));
      if (mask != 0) return at + static_cast<std::size_t>(std::countr_zero(mask));
    }
    if (at == size) return size;
    const std::size_t last = size - 16;
    const unsigned mask =
        hits(_mm_loadu_si128(reinterpret_cast<const __m128i*>(data + last))) >> (at - last);
    return mask != 0 ? at + static_cast<std::size_t>(std::countr_zero(mask)) : size;
  }
  if (size - at >= 8) {
    const __m128i halves =
        _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(data + at)),
                           _mm_loadl_epi64(reinterpret_cast<const __m128i*>(data + size - 8)));
    return first_of(hits(halves), 8, at, size - 8);
  }
  if (size - at >= 4) {
    std::int32_t front;
    std::int32_t back;
    std::memcpy(&front, data + at, 4);
    std::memcpy(&back, data + size - 4, 4);
    const __m128i quarters = _mm_unpacklo_epi32(_mm_cvtsi32_si128(front), _mm_cvtsi32_si128(back));
    return first_of(hits(quarters), 4, at, size - 4);
  }
  done = false;
  return at;
}
#endif

// The position of the first byte at or after `at` that is a control
// character, DEL, a byte of 0x80 or above, or one of `special1` and
// `special2`; text.size() when there is none.
inline std::size_t FindUnplainByte(std::string_view text, std::size_t at, char special1,
                                   char special2) {
  const auto is_unplain = [=](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte >= 0x7F || c == special1 || c == special2;
  };
#if defined(__SSE2__)
  // One more than each byte, as a signed byte, is below 0x21 exactly for the
  // controls (1 to 0x20), DEL (0x80, negative) and 0x80 and above (negative,
  // or 0 for 0xFF): one test for all three.
  const __m128i one_more = _mm_set1_epi8(1);
  const __m128i space_and_one = _mm_set1_epi8(0x21);
  const __m128i one = _mm_set1_epi8(special1);
  const __m128i two = _mm_set1_epi8(special2);
  const auto hits = [=](__m128i bytes) {
    const __m128i unprintable = _mm_cmplt_epi8(_mm_add_epi8(bytes, one_more), space_and_one);
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
        unprintable, _mm_or_si128(_mm_cmpeq_epi8(bytes, one), _mm_cmpeq_epi8(bytes, two)))));
  };
  bool done = false;
  at = ScanVector(text, at, hits, done);
  if (done) return at;
#else
  // Eight bytes at a time: the high bit of each byte of the eight at `from`
  // that is below 0x20, at 0x80 and above, DEL, or a special byte. The tests
  // can flag bytes after a true hit (a borrow runs upwards), never before
  // one, so the lowest flag is exact.
  static_assert(std::endian::native == std::endian::little, "byte order of the word scan");
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
  const auto has_zero_byte = [](std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; };
  const std::uint64_t first = kOnes * static_cast<unsigned char>(special1);
  const std::uint64_t second = kOnes * static_cast<unsigned char>(special2);
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
#endif
  for (; at < text.size(); ++at) {
    if (is_unplain(text[at])) return at;
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
  const auto hits = [=](__m128i bytes) {
    return static_cast<unsigned>(_mm_movemask_epi8(
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, first), _mm_cmpeq_epi8(bytes, second)),
                     _mm_or_si128(_mm_cmpeq_epi8(bytes, third), _mm_cmpeq_epi8(bytes, fourth)))));
  };
  bool done = false;
  at = ScanVector(text, at, hits, done);
  if (done) return at;
#endif
  for (; at < text.size(); ++at) {
    const char byte = text[at];
    if (byte == a || byte == b || byte == c || byte == d) return at;
  }
  return text.size();
}

}  // namespace morvik
