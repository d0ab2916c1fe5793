#pragma once
// Every reason the program gives, in one table: the phrase that every
// output format writes (TSV, table and JSON alike) and the line --help
// shows for it. Reasons are a browser's failures, features of a URL that
// the window and a browser read differently, and the look-alike rules.

#include <span>
#include <string_view>

#include "browser/host.h"
#include "browser/name_display.h"

namespace morvik {

enum class Reason {
  // A browser goes nowhere.
  NotWebScheme,
  EmptyHost,
  Port,
  ForbiddenHostCharacter,
  Idna,
  InvalidIpv4,
  InvalidIpv6,
  // The two readings part ways.
  NoScheme,
  Backslash,
  LaterSchemeMarker,
  SlashesAfterScheme,
  FirstVsLastAt,
  AtAfterHost,
  TabOrNewline,
  PercentEncodedDot,
  NestedEscape,
  HexPart,
  OctalPart,
  ShorthandAddress,
  DecimalHost,
  TrailingDot,
  NameReadAsAddress,
  HostCutShort,
  NoWindowHost,
  Ipv6Literal,
  FileUrl,
  DifferentHostText,
  // The name may pass for another.
  LookAlikeNotChecked,
  OutsideProfile,
  Invisible,
  MixedScripts,
  MixedDigits,
  WholeScript,
  AsciiSkeleton,
  // scan: what the reader is shown names another place.
  ShownTextNamesAnotherHost,
};

struct ReasonEntry {
  Reason reason;
  const char* phrase;
  std::string_view help;
  BrowserFailure failure = BrowserFailure::None;  // the failure it names, if any
  LookAlike lookalike = LookAlike::None;          // the rule it names, if any
};

// In the order of Reason, which is the order --help lists them in.
std::span<const ReasonEntry> AllReasons();

const char* ReasonPhrase(Reason reason);

// The phrase of a failure or rule; "" for None.
const char* BrowserFailureName(BrowserFailure failure);
const char* LookAlikeName(LookAlike rule);

}  // namespace morvik
