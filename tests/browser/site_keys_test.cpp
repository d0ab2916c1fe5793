#include "browser/site_keys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
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
    std::string less = label;
    less.erase(i, 1);
    expected.push_back(HashKey(SiteKey::NearLabel, less));
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

struct PieceCase {
  std::vector<std::string> pieces;
};

const PieceCase kPieceCases[] = {
    {{"r", "n"}},
    {{"rn", "icrosoft.co", "rn"}},
    {{"", "ab", ""}},
    {{"paypa", "l", ".com"}},
};

class KeyPieceTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(KeyPieceTest, HashesAsTheTextsItWasMadeOf) {
  KeyHash by_pieces(SiteKey::Skeleton);
  std::string text;
  for (const std::string& piece : GetParam().pieces) {
    by_pieces.Add(KeyPiece(piece));
    text += piece;
  }
  EXPECT_EQ(by_pieces.value(), HashKey(SiteKey::Skeleton, text)) << text;
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyPieceTest, ::testing::ValuesIn(kPieceCases));

// The sites under `key`, in the order visited.
std::vector<std::uint32_t> SitesUnder(const SiteKeys& keys, std::uint64_t key) {
  std::vector<std::uint32_t> found;
  keys.Find(key, [&](std::uint32_t site) {
    found.push_back(site);
    return false;
  });
  return found;
}

struct FindCase {
  std::string name;
  std::vector<std::pair<std::uint64_t, std::uint32_t>> added;
  std::uint64_t key;
  std::vector<std::uint32_t> sites;
};

// Keys with the same top bits share a first slot.
constexpr std::uint64_t kNear1 = 0xABCD000000000001ULL;
constexpr std::uint64_t kNear2 = 0xABCD000000000002ULL;

const FindCase kFindCases[] = {
    {"in the order added", {{7, 3}, {7, 1}, {7, 2}}, 7, {3, 1, 2}},
    {"each once", {{7, 1}, {7, 1}, {8, 1}, {7, 1}}, 7, {1}},
    {"among keys of the same slot",
     {{kNear1, 0}, {kNear2, 1}, {kNear1, 2}, {kNear2, 3}, {kNear1, 0}},
     kNear1,
     {0, 2}},
    {"none under another key", {{kNear1, 0}, {kNear1, 1}}, kNear2, {}},
    {"none in an empty table", {}, 7, {}},
};

class SiteKeysTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(SiteKeysTest, FindsTheSitesAddedUnderAKey) {
  SiteKeys keys;
  for (const auto& [key, site] : GetParam().added) keys.Add(key, site);
  EXPECT_TRUE(SitesUnder(keys, GetParam().key).empty()) << "before Build";
  keys.Build();
  EXPECT_EQ(SitesUnder(keys, GetParam().key), GetParam().sites) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, SiteKeysTest, ::testing::ValuesIn(kFindCases));

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
