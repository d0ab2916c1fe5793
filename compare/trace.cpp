// Replays the window's decoding with the same text operations, step by step,
// instead of calling DecodeUrl once, because DecodeUrl decodes all escapes in
// one pass and cannot tell the passes apart. The replay decodes escapes the
// slow way, one distinct escape per pass as the window's loop does; beyond a
// few dozen passes (only crafted input gets there) the rest is finished in
// one step, which ends in the same text because decoding order does not
// change the result.

#include "compare/trace.h"

#include <optional>
#include <utility>

#include "compare/correction_recorder.h"
#include "support/number.h"
#include "url/decode_url.h"

namespace morvik {
namespace {

constexpr int kShownEscapePasses = 64;
constexpr std::size_t kShownTextBytes = 4096;

class Trace {
 public:
  void Record(Text step, std::string_view text) {
    Text shown(text.substr(0, kShownTextBytes));
    if (text.size() > kShownTextBytes) {
      shown += " ... (" + std::to_string(text.size() - kShownTextBytes) + " more bytes)";
    }
    steps_.push_back({std::move(step), std::move(shown)});
  }
  std::vector<TraceStep> Take() { return std::move(steps_); }

 private:
  std::vector<TraceStep> steps_;
};

bool IsEscapeDigit(const Text& text, Position position) {
  return position <= TextLength(text) &&
         FindAnyOf(1, UpperCaseText(TextSlice(text, position, 1)), "0123456789ABCDEF") == 1;
}

Text DecodeEscapes(Trace& trace, Text text) {
  int passes = 0;
  Position percent = FindText(1, text, "%");
  while (percent > 0) {
    if (!IsEscapeDigit(text, percent + 1) || !IsEscapeDigit(text, percent + 2)) {
      percent = FindText(percent + 1, text, "%");
      continue;
    }
    if (passes == kShownEscapePasses) {
      text = DecodePercentEscapes(text);
      trace.Record("remaining escape passes decoded", text);
      return text;
    }
    const Text escape = TextSlice(text, percent, 3);
    const std::int64_t count = CountText(text, escape);
    const Whole code = RoundToWhole(NumericValue("&h" + TextSlice(text, percent + 1, 2)));
    text = ReplaceText(text, escape, CharText(code));
    ++passes;
    trace.Record("escape " + escape + " decoded" +
                     (count > 1 ? " (" + std::to_string(count) + " times)" : ""),
                 text);
    percent = FindText(1, text, "%");
  }
  return text;
}

void TraceNumericHost(Trace& trace, std::string_view text) {
  const CorrectionRecorder recorder;
  const std::optional<Text> rewritten = RewriteNumericHost(text);
  if (!rewritten) return;
  trace.Record(recorder.corrected_text()
                   ? "numeric host rewritten (over range; decimal field corrected to " +
                         *recorder.corrected_text() + ")"
                   : "numeric host rewritten",
               *rewritten);
}

}  // namespace

std::vector<TraceStep> TraceWindowDecoding(std::string_view url) {
  // Cutting only moves the start, so the text is not copied: a long line is
  // held once until escapes are decoded.
  Trace trace;
  const UrlCuts cuts = CutUrl(url);
  for (const auto& [cut, step] :
       {std::pair{cuts.after_scheme, "scheme removed"},
        std::pair{cuts.after_backslash_scheme, "backslash scheme removed"},
        std::pair{cuts.after_user, "user information removed"}}) {
    if (cut != UrlCuts::kNoCut) trace.Record(step, url.substr(cut));
  }
  const std::string_view text = url.substr(cuts.rest());
  if (text.find('%') == std::string_view::npos) {
    TraceNumericHost(trace, text);
  } else {
    TraceNumericHost(trace, DecodeEscapes(trace, Text(text)));
  }
  return trace.Take();
}

}  // namespace morvik
