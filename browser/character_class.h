#pragma once
// What a character does when text is drawn: most are shown; controls act on
// the terminal, direction controls reorder the text around them, and
// invisible characters draw nothing. Each of the last three can make a URL
// read as something it is not.

#include <string_view>

#include "support/text.h"

namespace morvik {

enum class CharacterClass {
  Shown,
  Control,           // C0, DEL and C1
  DirectionControl,  // a bidirectional control: marks, embeddings, overrides, isolates
  Invisible,         // any other default-ignorable character: zero-width space, joiners, ...
};

// By ICU's properties. Without ICU, controls and the ten direction controls
// are still told (so that no output is left open to them), and nothing is
// taken for invisible.
CharacterClass ClassifyCharacter(char32_t code_point);

// True when an invisible `code_point` right after `before` does a job there
// and disguises nothing: a joiner after a virama, a joiner inside an emoji
// sequence, a variation selector after the character it varies, a tag
// inside an emoji flag.
bool InvisibleBelongsAfter(char32_t before, char32_t code_point);

// What of `text` is drawn: without the controls, direction controls and
// invisible characters, so that it holds none of them whoever writes it. A
// byte that is not UTF-8 becomes U+FFFD: kept, it could join the bytes
// around a removed character into one of those characters.
Text DrawnText(std::string_view text);

// "U+202E RIGHT-TO-LEFT OVERRIDE"; just "U+202E" where the name is unknown.
Text CharacterLabel(char32_t code_point);

// "U+202E": at least four hexadecimal digits, capital.
Text CodePointNumber(char32_t code_point);

}  // namespace morvik
