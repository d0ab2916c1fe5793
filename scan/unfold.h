#pragma once
// Calendars and address cards (text/calendar, text/vcard) fold long lines:
// a line break followed by one space or tab continues the line before, in
// the middle of a word or a URL as often as not
// ("https://api.scheduler.teams.microsof\r\n t.com/..."). Such a part is
// read once its lines are joined again.

#include <string_view>

#include "support/text.h"

namespace morvik {

// True for the content types that fold their lines so.
bool FoldsContentLines(std::string_view type, std::string_view subtype);

// The text with every line break that is followed by a space or tab
// removed, together with that one space or tab.
Text UnfoldContentLines(std::string_view text);

}  // namespace morvik
