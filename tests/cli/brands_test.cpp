#include "cli/brands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "browser/site_lookalike.h"

namespace morvik {
namespace {

std::string Scratch(const std::string& name, const std::string& text) {
  std::string path = ::testing::TempDir() + "morvik-brands-" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(BrandsFileTest, TakesTheOptionBeforeTheEnvironment) {
  Options options;
  EXPECT_EQ(BrandsFile(options, nullptr), "");
  EXPECT_EQ(BrandsFile(options, "env.txt"), "env.txt");
  options.brands_file = "mine.txt";
  EXPECT_EQ(BrandsFile(options, "env.txt"), "mine.txt");
}

TEST(LoadBrandsTest, AddsTheFilesSitesToThePopularOnes) {
  const LoadedBrands loaded = LoadBrands(Scratch("good", "# ours\nmybank.co.uk\n\nbücher.de\n"));
  ASSERT_EQ(loaded.error, "");
  ASSERT_NE(loaded.sites, nullptr);
  EXPECT_EQ(loaded.sites->size(), PopularSites().size() + 2);
  EXPECT_EQ(AsciiSiteLookAlike("rnybank.co.uk", *loaded.sites).rule, LookAlike::AsciiConfusable);
  EXPECT_EQ(AsciiSiteLookAlike("g00gle.com", *loaded.sites).rule, LookAlike::AsciiConfusable);
  EXPECT_EQ(AsciiSiteLookAlike("rnybank.co.uk", PopularSites()).rule, LookAlike::None);
}

TEST(LoadBrandsTest, NoFileIsThePopularSitesAlone) {
  const LoadedBrands loaded = LoadBrands("");
  EXPECT_EQ(loaded.error, "");
  EXPECT_EQ(loaded.sites, nullptr);
}

struct BadFileCase {
  std::string name;
  std::string text;
  std::string error;  // after the file's path
};

const BadFileCase kBadFiles[] = {
    {"space", "mybank.co.uk\nmy bank.com\n", ":2: 'my bank.com' is not a domain name"},
    {"url", "\n\n# x\nhttps://mybank.co.uk/\n", ":4: 'https://mybank.co.uk/' is not a domain name"},
    {"label", "mybank\n", ":1: 'mybank' is not a domain name"},
};

class BadBrandsFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadBrandsFileTest, NamesTheLineAndTakesNothing) {
  const std::string path = Scratch(GetParam().name, GetParam().text);
  const LoadedBrands loaded = LoadBrands(path);
  EXPECT_EQ(loaded.error, path + GetParam().error);
  EXPECT_EQ(loaded.sites, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, BadBrandsFileTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return info.param.name; });

TEST(LoadBrandsTest, SaysWhyAFileCannotBeRead) {
  const std::string missing = ::testing::TempDir() + "morvik-brands-missing/none.txt";
  const LoadedBrands loaded = LoadBrands(missing);
  EXPECT_EQ(loaded.sites, nullptr);
  EXPECT_EQ(loaded.error.rfind("cannot read the brands file " + missing + ": ", 0), 0u)
      << loaded.error;
  // A directory opens but cannot be read.
  const LoadedBrands directory = LoadBrands(::testing::TempDir());
  EXPECT_EQ(directory.sites, nullptr);
  EXPECT_NE(directory.error, "");
}

}  // namespace
}  // namespace morvik
