// Every address survives the trip through its decimal and hexadecimal
// notations and back to dotted text. All 2^32 values take minutes, so the
// range is sampled densely instead: every value at a fixed odd stride (which
// walks each byte through all 256 values) plus the values at the edges.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ipv4/notation.h"
#include "tests/ipv4/recording_field_correction.h"
#include "tests/properties/address_text.h"

namespace morvik {
namespace {

using testing::Address;
using testing::CanonicalDecimal;
using testing::CanonicalDotted;
using testing::CanonicalHex;
using testing::RecordingFieldCorrection;

// About 430,000 samples: two seconds natively, well under a minute in the
// emulator that runs the Windows build.
constexpr std::uint64_t kStride = 10007;
constexpr int kShards = 4;  // run as separate tests, in parallel where possible

// Reports the first few addresses that do not survive instead of a flood.
class Losses {
 public:
  void Check(Address address) {
    ++checked_;
    const Text dotted = CanonicalDotted(address);
    const Text decimal = DottedToDecimal(dotted);
    const Text hex = DottedToHex(dotted);
    const Text from_decimal = DecimalToDotted(decimal);
    const Text from_hex = HexToDotted(hex);
    if (decimal == CanonicalDecimal(address) && hex == CanonicalHex(address) &&
        from_decimal == dotted && from_hex == dotted) {
      return;
    }
    if (++lost_ > 5) return;
    ADD_FAILURE() << dotted << " gives decimal " << decimal << " and hex " << hex
                  << ", which give back " << from_decimal << " and " << from_hex;
  }
  int lost() const { return lost_; }
  std::int64_t checked() const { return checked_; }

 private:
  int lost_ = 0;
  std::int64_t checked_ = 0;
};

// Each byte through all its values while the other three are all zeros or
// all ones, and the first and last values of the range.
std::vector<Address> EdgeAddresses() {
  std::vector<Address> edges;
  for (const Address others : {0x00000000u, 0xFFFFFFFFu}) {
    for (int shift = 0; shift < 32; shift += 8) {
      for (Address byte = 0; byte < 256; ++byte) {
        edges.push_back((others & ~(0xFFu << shift)) | (byte << shift));
      }
    }
  }
  for (Address offset = 0; offset < 1024; ++offset) {
    edges.push_back(offset);
    edges.push_back(0xFFFFFFFFu - offset);
    edges.push_back(0x7FFFFE00u + offset);  // around the sign bit of 32 bits
  }
  return edges;
}

TEST(NotationRoundTrip, HoldsAtTheEdges) {
  RecordingFieldCorrection window;
  Losses losses;
  for (const Address address : EdgeAddresses()) losses.Check(address);
  EXPECT_EQ(losses.lost(), 0) << "of " << losses.checked() << " addresses";
  EXPECT_TRUE(window.calls().empty()) << "canonical notations are never corrected";
}

class NotationRoundTripShard : public ::testing::TestWithParam<int> {};

TEST_P(NotationRoundTripShard, HoldsForEveryValueAtTheStride) {
  RecordingFieldCorrection window;
  Losses losses;
  const std::uint64_t first = kStride * static_cast<std::uint64_t>(GetParam());
  for (std::uint64_t value = first; value <= 0xFFFFFFFFu; value += kStride * kShards) {
    losses.Check(static_cast<Address>(value));
  }
  EXPECT_EQ(losses.lost(), 0) << "of " << losses.checked() << " addresses";
  EXPECT_GT(losses.checked(), 0xFFFFFFFFu / kStride / kShards - 1);
  EXPECT_TRUE(window.calls().empty()) << "canonical notations are never corrected";
}

INSTANTIATE_TEST_SUITE_P(Stride, NotationRoundTripShard, ::testing::Range(0, kShards));

}  // namespace
}  // namespace morvik
