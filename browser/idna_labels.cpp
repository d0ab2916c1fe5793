#include "browser/idna.h"

namespace morvik {

std::vector<std::string_view> SplitLabels(std::string_view name) {
  std::vector<std::string_view> labels;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= name.size();) {
    std::size_t stop_length = 0;
    if (i == name.size() || name[i] == '.') {
      stop_length = 1;
    } else if (name.substr(i, 3) == "\xE3\x80\x82" || name.substr(i, 3) == "\xEF\xBC\x8E" ||
               name.substr(i, 3) == "\xEF\xBD\xA1") {
      stop_length = 3;
    }
    if (stop_length == 0) {
      ++i;
      continue;
    }
    labels.push_back(name.substr(start, i - start));
    i += stop_length;
    start = i;
  }
  return labels;
}

Text DecodeLabelByLabel(std::string_view ascii_domain, const LabelDecoder& decode) {
  Text unicode;
  const std::vector<std::string_view> labels = SplitLabels(ascii_domain);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) unicode += '.';
    std::optional<Text> decoded = labels[i].empty() ? std::nullopt : decode(labels[i]);
    unicode += decoded ? *decoded : Text(labels[i]);
  }
  return unicode;
}

}  // namespace morvik
