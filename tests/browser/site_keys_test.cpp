#include "browser/site_keys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace morvik {
namespace {

// Labels short and long, with letters repeated (two deletions, one text),
// digits and hyphens.
const std::string kLabels[] = {"paypal",
                               "google",
                               "aaaaa",
                               "xn--80ak6aa92e",
                               "bank00042-group",
                               std::string(63, 'z') + "q",
                               "a",
                               ""};

class NearLabelKeysTest : public ::testing::TestWithParam<std::string> {};

// The keys made in one pass are those of the label and of it less each
// character, made one at a time.
TEST_P(NearLabelKeysTest, AreTheLabelsKeyThenItLessEachCharacter) {
  const std::string& label = GetParam();
  std::vector<std::uint64_t> expected{HashKey(SiteKey::NearLabel, label)};
  for (std::size_t i = 0; i < label.size(); ++i) {
    expected.push_back(HashKeyWithout(SiteKey::NearLabel, label, i));
  }
  std::vector<std::uint64_t> made;
  ForEachNearLabelKey(label, [&](std::uint64_t key) {
    made.push_back(key);
    return false;
  });
  EXPECT_EQ(made, expected);
}

TEST_P(NearLabelKeysTest, StopsWhenTheVisitSaysSo) {
  const std::string& label = GetParam();
  std::size_t visits = 0;
  ForEachNearLabelKey(label, [&](std::uint64_t) { return ++visits == 2; });
  EXPECT_EQ(visits, label.empty() ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Labels, NearLabelKeysTest, ::testing::ValuesIn(kLabels));

// Many keys, all found, and the visit's answer returned.
TEST(SiteKeysTest, FindsEveryKeyOfAFullTable) {
  SiteKeys keys;
  constexpr std::uint32_t kCount = 5000;
  for (std::uint32_t n = 0; n < kCount; ++n)
    keys.Add(HashKey(SiteKey::Label, std::to_string(n)), n);
  keys.Build();
  for (std::uint32_t n = 0; n < kCount; ++n) {
    const std::uint64_t key = HashKey(SiteKey::Label, std::to_string(n));
    EXPECT_TRUE(keys.Find(key, [&](std::uint32_t site) { return site == n; })) << n;
  }
  EXPECT_FALSE(keys.Find(HashKey(SiteKey::Label, "none"), [](std::uint32_t) { return true; }));
}

}  // namespace
}  // namespace morvik
