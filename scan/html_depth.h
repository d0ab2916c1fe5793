#pragma once
// How deep a page may nest its elements, told from its tags as written,
// before it is parsed. The HTML parser takes time that grows with the square
// of the depth (200,000 nested elements took nine minutes, 20,000 with text
// between them 18 s), so a page that may nest deeper than a browser ever
// shows (Chromium's parser stops nesting at 512) is refused instead.

#include <string>
#include <string_view>

namespace morvik {

constexpr int kDeepestHtmlNesting = 4096;

// What the reader is told of a page refused for its depth.
inline const std::string kTooDeepHtml =
    "HTML nested more than " + std::to_string(kDeepestHtmlNesting) + " elements deep; not scanned";

// The deepest nesting the page's tags allow, counted so that it is never
// less than the parser's by more than the elements whose end tags may be
// left out (p, li, td, ...: each of those closes the one before it, so
// they never stack on themselves):
// - every start tag opens an element, but those of empty elements (br,
//   img, ...) and those that end with "/>" inside svg or math;
// - an end tag closes an element only when it names the innermost one
//   counted (a stray or misnested end tag closes nothing here, though the
//   parser may close more);
// - comments, and the text of script, style, textarea and title, hold no
//   tags.
// Counting stops once it passes `limit`.
int NestingBound(std::string_view html, int limit = kDeepestHtmlNesting);

}  // namespace morvik
