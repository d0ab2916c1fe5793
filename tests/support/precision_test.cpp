// The number rules assume x87 arithmetic with the full 64-bit significand and
// rounding to nearest. A runtime that starts the FPU in 53-bit mode (as some
// Windows runtimes do) would silently round every Number to double precision,
// so these checks run in every test binary's environment, Wine included.

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>

#include "support/number.h"

namespace morvik {
namespace {

#if defined(__i386__) || defined(__x86_64__)
std::uint16_t X87ControlWord() {
  std::uint16_t control = 0;
  __asm__ volatile("fnstcw %0" : "=m"(control));
  return control;
}

TEST(PrecisionTest, X87UsesTheFullSignificand) {
  constexpr std::uint16_t kPrecisionBits = 0x0300;  // 11b: 64-bit significand
  EXPECT_EQ(X87ControlWord() & kPrecisionBits, kPrecisionBits);
}

TEST(PrecisionTest, X87RoundsToNearest) {
  constexpr std::uint16_t kRoundingBits = 0x0C00;  // 00b: to nearest
  EXPECT_EQ(X87ControlWord() & kRoundingBits, 0);
}

TEST(PrecisionTest, X87ExceptionsAreMasked) {
  constexpr std::uint16_t kExceptionMasks = 0x003F;
  EXPECT_EQ(X87ControlWord() & kExceptionMasks, kExceptionMasks);
}
#endif

TEST(PrecisionTest, SumsKeepTheSixtyFourthBit) {
  // volatile keeps the compiler from folding the sums at build time.
  volatile Number one = 1;
  volatile Number tiny = std::ldexp(Number{1}, -63);
  const Number sum = one + tiny;
  EXPECT_NE(sum, Number{1});
  volatile Number big = 18446744073709551615.0L;  // 2^64 - 1: 64 significant bits
  const Number back = big - one;
  EXPECT_EQ(back, 18446744073709551614.0L);
}

TEST(PrecisionTest, TiesRoundToEven) {
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
  // 1 + 2^-64 lies halfway between 1 and 1 + 2^-63; the even neighbour is 1.
  volatile Number one = 1;
  volatile Number half_step = std::ldexp(Number{1}, -64);
  const Number sum = one + half_step;
  EXPECT_EQ(sum, Number{1});
  volatile Number odd = 1 + std::ldexp(Number{1}, -63);
  const Number rounded_up = odd + half_step;
  EXPECT_EQ(rounded_up, 1 + std::ldexp(Number{1}, -62));
}

}  // namespace
}  // namespace morvik
