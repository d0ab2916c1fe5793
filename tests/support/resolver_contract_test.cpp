// What the host look-up promises without depending on any particular name:
// these run without the private hosts file, so they ask only for "localhost",
// which every machine answers from its own hosts file.

#include <gtest/gtest.h>

#include <climits>

#include "support/host_resolver.h"

namespace morvik {
namespace {

// Address 0 does not exist, and a negative index must not reach before the
// start of the resolver's answer.
class NoEntryBeforeTheFirstTest : public testing::TestWithParam<int> {};

TEST_P(NoEntryBeforeTheFirstTest, GivesNoAddress) {
  EXPECT_EQ(ResolveHostAddress("localhost", GetParam()), 0u);
  EXPECT_EQ(SystemResolver().Resolve("localhost", GetParam()), 0u);
}

INSTANTIATE_TEST_SUITE_P(Indexes, NoEntryBeforeTheFirstTest, testing::Values(0, -1, INT_MIN));

}  // namespace
}  // namespace morvik
