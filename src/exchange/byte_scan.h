// Byte scans of the exchange reader, sixteen bytes at a time with SSE2 (every
// x86-64 has it), else a byte at a time with the same results.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace zorbi {

// The classes of 64 bytes, a bit per byte, the first byte in the lowest bit.
struct ByteClasses {
  std::uint64_t blank = 0;  // 1..32, as IsBlank
  std::uint64_t digit = 0;
  std::uint64_t minus = 0;
  std::uint64_t dot = 0;
  std::uint64_t other = 0;  // none of the above
};

// ClassifyBytes a byte at a time.
inline ByteClasses ClassifyBytesByOne(const char* p) {
  ByteClasses c;
  for (unsigned i = 0; i < 64; ++i) {
    const unsigned char b = static_cast<unsigned char>(p[i]);
    const std::uint64_t bit = std::uint64_t{1} << i;
    if (b >= 1 && b <= 32)
      c.blank |= bit;
    else if (b >= '0' && b <= '9')
      c.digit |= bit;
    else if (b == '-')
      c.minus |= bit;
    else if (b == '.')
      c.dot |= bit;
    else
      c.other |= bit;
  }
  return c;
}

// The 64 bytes from p on, all of which must be readable.
inline ByteClasses ClassifyBytes(const char* p) {
#if defined(__SSE2__)
  // A range becomes the lowest bytes of the signed range, compared at once.
  const __m128i blankBias = _mm_set1_epi8(127), blankBelow = _mm_set1_epi8(-128 + 32);
  const __m128i digitBias = _mm_set1_epi8(128 - '0'), digitBelow = _mm_set1_epi8(-128 + 10);
  const __m128i minus = _mm_set1_epi8('-'), dot = _mm_set1_epi8('.');
  const auto bits = [](__m128i m, unsigned block) {
    return std::uint64_t{static_cast<unsigned>(_mm_movemask_epi8(m))} << (16 * block);
  };
  ByteClasses c;
  for (unsigned block = 0; block < 4; ++block) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
    c.blank |= bits(_mm_cmpgt_epi8(blankBelow, _mm_add_epi8(x, blankBias)), block);
    c.digit |= bits(_mm_cmpgt_epi8(digitBelow, _mm_add_epi8(x, digitBias)), block);
    c.minus |= bits(_mm_cmpeq_epi8(x, minus), block);
    c.dot |= bits(_mm_cmpeq_epi8(x, dot), block);
  }
  c.other = ~(c.blank | c.digit | c.minus | c.dot);
  return c;
#else
  return ClassifyBytesByOne(p);
#endif
}

// The first CR or LF in [p, end), else end.
inline const char* FindLineEndByOne(const char* p, const char* end) {
  while (p != end && *p != '\r' && *p != '\n') ++p;
  return p;
}

// The first CR or LF in [p, end), else end. Bytes from `begin` (at most p)
// may be read.
inline const char* FindLineEnd(const char* begin, const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  const auto ends = [&](const char* at) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, cr), _mm_cmpeq_epi8(x, lf))));
  };
  // Sixty-four bytes at a time: nearly every line ends in the first, so the
  // loop's end is foreseen.
  for (; end - p >= 64; p += 64) {
    const std::uint64_t m = ends(p) | std::uint64_t{ends(p + 16)} << 16 |
                            std::uint64_t{ends(p + 32)} << 32 | std::uint64_t{ends(p + 48)} << 48;
    if (m != 0) return p + std::countr_zero(m);
  }
  for (; end - p >= 16; p += 16)
    if (const unsigned m = ends(p)) return p + std::countr_zero(m);
  if (p == end) return end;
  if (end - begin >= 16) {
    // The last sixteen bytes, without those before p.
    const unsigned m = ends(end - 16) >> (16 - (end - p));
    return m != 0 ? p + std::countr_zero(m) : end;
  }
#else
  (void)begin;
#endif
  return FindLineEndByOne(p, end);
}

}  // namespace zorbi
