#include "bench/url_corpus.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace morvik::bench {
namespace {

constexpr std::string_view kWords[] = {
    "login",  "secure",  "account", "update", "verify",  "mail",   "bank", "shop",
    "news",   "images",  "index",   "search", "cart",    "home",   "docs", "api",
    "static", "profile", "support", "signin", "billing", "portal", "cdn",  "media"};
constexpr std::string_view kTopLevel[] = {"com", "net", "org", "test", "example"};
// Escapes that turn up in real paths and queries, plus one nested "%25".
constexpr std::string_view kPathEscapes[] = {
    "%20", "%2F", "%3D", "%26", "%7E", "%2d", "%41", "%c3%a9", "%E2%82%AC", "%3a", "%2541"};

class UrlWriter {
 public:
  explicit UrlWriter(std::uint32_t seed) : random_(seed) {}

  Text Url() {
    Text url =
        Pick({"http://", "http://", "http://", "https://", "https://", "ftp://", "http:\\\\", ""});
    if (Chance(40)) url += DecoyUserPart();
    url += Host();
    if (Chance(15)) url += ":" + std::to_string(1 + Below(65535));
    const int segments = static_cast<int>(Below(6));
    for (int i = 0; i < segments; ++i) url += "/" + PathSegment();
    if (segments == 0 || Chance(50)) url += "/";
    if (Chance(40)) url += "?q=" + Word() + "%20" + Word() + "&id=" + std::to_string(Below(100000));
    if (Chance(10)) url += "#" + Word();
    return url;
  }

  // An escape of a random byte, the digits in random letter case.
  Text RandomEscape() {
    static constexpr char kDigits[] = "0123456789ABCDEF0123456789abcdef";
    const std::uint32_t byte = Below(256);
    const std::uint32_t letter_case = Chance(50) ? 16 : 0;
    return {'%', kDigits[(byte >> 4) + letter_case], kDigits[(byte & 15) + letter_case]};
  }

  Text Word() { return Text(kWords[Below(std::size(kWords))]); }

 private:
  std::uint32_t Below(std::size_t bound) { return random_() % static_cast<std::uint32_t>(bound); }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }
  Text Pick(std::initializer_list<std::string_view> choices) {
    return Text(choices.begin()[Below(choices.size())]);
  }

  // What the reader is meant to take for the host: www.bank-secure.com@...
  Text DecoyUserPart() {
    Text decoy =
        "www." + Word() + "-" + Word() + "." + Text(kTopLevel[Below(std::size(kTopLevel))]);
    if (Chance(30)) decoy += "&" + Word() + "=" + Word();
    if (Chance(20)) decoy += "%2F" + Word();
    return decoy + "@";
  }

  Text Host() {
    const std::uint32_t kind = Below(100);
    if (kind < 25) {
      const Text number = std::to_string(random_());
      return Chance(10) ? "000" + number : number;
    }
    if (kind < 45) {
      return std::to_string(Below(256)) + "." + std::to_string(Below(256)) + "." +
             std::to_string(Below(256)) + "." + std::to_string(Below(256));
    }
    const Text name = Word() + "." + Word() + "." + Text(kTopLevel[Below(std::size(kTopLevel))]);
    return kind < 90 ? name : Escaped(name);
  }

  // Every character of `text` as an escape, the way hosts get disguised.
  static Text Escaped(const Text& text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    Text escaped;
    for (const unsigned char c : text) escaped += {'%', kDigits[c >> 4], kDigits[c & 15]};
    return escaped;
  }

  Text PathSegment() {
    Text segment = Word();
    while (Chance(35)) segment += Text(kPathEscapes[Below(std::size(kPathEscapes))]) + Word();
    if (Chance(20)) segment += ".html";
    return segment;
  }

  std::mt19937 random_;
};

}  // namespace

std::vector<Text> RealisticUrls(std::size_t count) {
  UrlWriter writer(1);
  std::vector<Text> urls;
  urls.reserve(count);
  while (urls.size() < count) urls.push_back(writer.Url());
  return urls;
}

Text NestedEscapes(std::size_t size) {
  Text nested = "%";
  while (nested.size() + 2 < size) nested += "25";
  return nested + "41";
}

Text EscapeHeavyUrl(std::size_t size) {
  UrlWriter writer(2);
  Text url = "http://www.bank.example%40secure@3232235777/";
  while (url.size() < size) {
    url += writer.Word();
    url += writer.RandomEscape();
    url += writer.RandomEscape();
    url += Text(1, "/-_."[url.size() % 4]);
  }
  return url;
}

}  // namespace morvik::bench
