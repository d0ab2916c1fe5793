// The platform look-up against a real resolver. Run only through
// with-private-hosts: the names below exist in hosts.test alone, and a name
// missing from it must fail without a query leaving the machine.

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstring>
#include <ostream>

#include "support/host_resolver.h"

#ifdef _WIN32
#include <winsock.h>
#endif

namespace morvik {
namespace {

using Bytes = std::array<unsigned char, 4>;

// The address as the caller reads it: byte by byte in memory order.
Bytes InMemoryOrder(NetworkAddress address) {
  Bytes bytes;
  std::memcpy(bytes.data(), &address, bytes.size());
  return bytes;
}

struct LookUpCase {
  const char* name;
  int index;
  Bytes expected;
};

void PrintTo(const LookUpCase& c, std::ostream* os) { *os << c.name << " #" << c.index; }

constexpr Bytes kNone = {0, 0, 0, 0};

const LookUpCase kLookUpCases[] = {
    {"SERVER1.EXAMPLE.TEST", 1, {10, 0, 0, 5}},
    {"server1.example.test", 1, {10, 0, 0, 5}},  // the hosts file ignores case
    {"SERVER1.EXAMPLE.TEST", 2, kNone},          // only one address
    {"SERVER1.EXAMPLE.TEST", 0, kNone},
    {"SERVER1.EXAMPLE.TEST", -1, kNone},
    {"SERVER1.EXAMPLE.TEST", INT_MIN, kNone},
    {"TWIN.EXAMPLE.TEST", 1, {203, 0, 113, 10}},  // in the hosts file's order
    {"TWIN.EXAMPLE.TEST", 2, {203, 0, 113, 20}},
    {"TWIN.EXAMPLE.TEST", 3, kNone},
    {"NO-SUCH-HOST.EXAMPLE.TEST", 1, kNone},
};

class RealResolverTest : public testing::TestWithParam<LookUpCase> {};

TEST_P(RealResolverTest, GivesTheIndexedAddressInNetworkOrder) {
  const LookUpCase& c = GetParam();
  EXPECT_EQ(InMemoryOrder(ResolveHostAddress(c.name, c.index)), c.expected);
}

TEST_P(RealResolverTest, SystemResolverGivesTheSameAnswer) {
  const LookUpCase& c = GetParam();
  EXPECT_EQ(InMemoryOrder(SystemResolver().Resolve(c.name, c.index)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(HostsFile, RealResolverTest, testing::ValuesIn(kLookUpCases));

TEST(RealResolverTest, EmptyNameIsHandedOverWithoutHarm) {
  // What an empty name resolves to is the resolver's matter; it must simply
  // come back, and leave the next look-up unaffected.
  ResolveHostAddress("", 1);
  EXPECT_EQ(InMemoryOrder(ResolveHostAddress("SERVER1.EXAMPLE.TEST", 1)), (Bytes{10, 0, 0, 5}));
}

#ifdef _WIN32
// Every look-up starts the socket library once and releases it once, on every
// path. The test holds one start of its own: afterwards exactly that one is
// left to release, neither more (a missed release) nor none (a release too many).
class SocketsBalanceTest : public testing::TestWithParam<LookUpCase> {};

TEST_P(SocketsBalanceTest, LeavesTheSocketLibraryAsItFoundIt) {
  const LookUpCase& c = GetParam();
  WSADATA data;
  ASSERT_EQ(WSAStartup(MAKEWORD(2, 0), &data), 0);

  ResolveHostAddress(c.name, c.index);
  ResolveHostAddress(c.name, c.index);

  EXPECT_EQ(WSACleanup(), 0) << "the look-ups released a start they did not make";
  EXPECT_EQ(WSACleanup(), SOCKET_ERROR) << "a look-up left the socket library started";
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

INSTANTIATE_TEST_SUITE_P(EveryPath, SocketsBalanceTest, testing::ValuesIn(kLookUpCases));
#endif

}  // namespace
}  // namespace morvik
