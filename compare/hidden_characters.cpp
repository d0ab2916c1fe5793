#include "compare/hidden_characters.h"

#include <algorithm>
#include <vector>

#include "browser/character_class.h"
#include "browser/icu_functions.h"
#include "browser/reading.h"
#include "browser/visual_order.h"
#include "compare/disguise_detectors.h"
#include "compare/disguise_names.h"
#include "support/utf8.h"

namespace morvik {
namespace {

// A quoted text in a detail is cut after this many bytes: the shown text of
// a link may be a whole paragraph.
constexpr std::size_t kQuotedBytes = 160;
// More distinct characters than this in one place are counted, not named.
constexpr std::size_t kNamedCharacters = 3;
constexpr char32_t kReplacement = 0xFFFD;

struct Hidden {
  std::vector<char32_t> characters;  // distinct, in the order they first stand
  Text without;                      // the text without them
};

// The characters of `wanted` class in `text`. An invisible one that does a
// job where it stands is kept.
Hidden FindClass(std::string_view text, CharacterClass wanted) {
  Hidden hidden;
  char32_t before = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    const std::string_view sequence = text.substr(at, std::max<std::size_t>(1, length));
    const char32_t code_point = length > 0 ? Utf8CodePoint(sequence) : kReplacement;
    const bool is_hidden =
        ClassifyCharacter(code_point) == wanted &&
        !(wanted == CharacterClass::Invisible && InvisibleBelongsAfter(before, code_point));
    if (!is_hidden) {
      hidden.without += sequence;
    } else if (std::find(hidden.characters.begin(), hidden.characters.end(), code_point) ==
               hidden.characters.end()) {
      hidden.characters.push_back(code_point);
    }
    before = code_point;
    at += sequence.size();
  }
  return hidden;
}

// Whether `text` may hold a character of either kind, looked at once: most
// URLs outside ASCII hold none, and then no place of theirs is cut out and
// searched. A tab or line break, which the browser drops, may join bytes
// into one, so a text with one may hold any.
bool MayHoldHidden(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte == '\t' || byte == '\n' || byte == '\r') return true;
    if (byte < 0x80) {
      ++at;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length > 0) {
      const CharacterClass kind = ClassifyCharacter(Utf8CodePoint(text.substr(at, length)));
      if (kind == CharacterClass::DirectionControl || kind == CharacterClass::Invisible) {
        return true;
      }
    }
    at += std::max<std::size_t>(1, length);
  }
  return false;
}

// "U+200B ZERO WIDTH SPACE, U+2060 WORD JOINER and 2 more".
Text Labels(const std::vector<char32_t>& characters) {
  Text labels;
  for (std::size_t i = 0; i < characters.size() && i < kNamedCharacters; ++i) {
    if (i > 0) labels += ", ";
    labels += CharacterLabel(characters[i]);
  }
  if (characters.size() > kNamedCharacters) {
    labels += " and " + std::to_string(characters.size() - kNamedCharacters) + " more";
  }
  return labels;
}

// What is drawn of `text`, in double quotes, cut at a character's start
// past kQuotedBytes.
Text Quoted(std::string_view whole) {
  const Text text = DrawnText(whole);
  std::size_t size = std::min(text.size(), kQuotedBytes);
  while (size < text.size() && size > 0 &&
         (static_cast<unsigned char>(text[size]) & 0xC0) == 0x80) {
    --size;
  }
  return "\"" + Text(text.substr(0, size)) + (size < text.size() ? "\xE2\x80\xA6\"" : "\"");
}

// `from_here` is the text from the place on: what a control there reorders.
void FindDirectionControls(std::string_view place_text, std::string_view place,
                           std::string_view from_here, LineDirection direction, Disguises& out) {
  const Hidden hidden = FindClass(place_text, CharacterClass::DirectionControl);
  if (hidden.characters.empty()) return;
  Text detail = Labels(hidden.characters) + " in the " + Text(place);
  if (const std::optional<Text> shown = VisualOrder(from_here, direction)) {
    detail += "; shows as " + Quoted(*shown);
  }
  AddDisguise(out, kDirectionControlDisguise, std::move(detail));
}

void FindInvisible(std::string_view place_text, std::string_view place, Disguises& out) {
  const Hidden hidden = FindClass(place_text, CharacterClass::Invisible);
  if (hidden.characters.empty()) return;
  AddDisguise(out,
              kInvisibleCharacterDisguise,
              Labels(hidden.characters) + " in the " + Text(place) + "; reads " +
                  Quoted(hidden.without) + " without " +
                  (hidden.characters.size() == 1 ? "it" : "them"));
}

// From the start of `piece`, a view into `text`, to the end of `text`.
std::string_view FromPiece(std::string_view text, std::string_view piece) {
  return text.substr(static_cast<std::size_t>(piece.data() - text.data()));
}

void FindInUrl(std::string_view url, Disguises& out) {
  Text storage;
  const UrlPieces pieces = SplitUrl(url, storage);
  struct Place {
    std::string_view name;
    std::optional<std::string_view> text;
  };
  const Place places[] = {{"user part", pieces.user},
                          {"host", pieces.host},
                          {"port", pieces.port},
                          {"path", pieces.path},
                          {"query", pieces.query},
                          {"fragment", pieces.fragment}};
  for (const Place& place : places) {
    if (!place.text || place.text->empty()) continue;
    FindDirectionControls(*place.text,
                          place.name,
                          FromPiece(pieces.text, *place.text),
                          LineDirection::LeftToRight,
                          out);
  }
  FindInvisible(pieces.host, "host", out);
}

}  // namespace

// Every character of either kind is outside ASCII: a plain text costs one
// look at its bytes.
void FindHiddenCharacters(const LinkFacts& link, LinkDisguises& found) {
  if (IsAscii(link.url) || Icu() == nullptr || !MayHoldHidden(link.url)) return;
  FindInUrl(link.url, found.found);
}

void FindHiddenCharactersInShownText(std::string_view shown, std::string_view url, Disguises& out) {
  if (shown.empty() || shown == url || IsAscii(shown) || Icu() == nullptr) return;
  FindDirectionControls(shown, "shown text", shown, LineDirection::FromText, out);
  FindInvisible(shown, "shown text", out);
}

}  // namespace morvik
