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
#include "url/decode_url.h"
#include "url/escape_steps.h"

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

Text DecodeEscapes(Trace& trace, Text text) {
  for (int passes = 0;; ++passes) {
    if (passes == kShownEscapePasses) {
      const Text rest = DecodePercentEscapes(text);
      if (rest != text) trace.Record("remaining escape passes decoded", rest);
      return rest;
    }
    const std::optional<EscapeStep> step = DecodeFirstEscape(text);
    if (!step) return text;
    trace.Record("escape " + step->escape + " decoded" +
                     (step->count > 1 ? " (" + std::to_string(step->count) + " times)" : ""),
                 text);
  }
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
