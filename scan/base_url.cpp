#include "scan/base_url.h"

#include "browser/reading.h"
#include "support/text.h"

namespace morvik {

Text SchemeOf(std::string_view url) { return AsciiLowerCase(LeadingScheme(url).value_or("")); }

Text ResolveReference(std::string_view base, std::string_view reference) {
  const std::size_t authority = base.find("://");
  if (base.empty() || authority == std::string_view::npos || !SchemeOf(reference).empty()) {
    return Text(reference);
  }
  const std::string_view scheme = base.substr(0, authority + 1);  // "https:"
  if (reference.starts_with("//")) return Text(scheme) + Text(reference);
  const std::size_t path = base.find_first_of("/?#", authority + 3);
  const std::string_view origin = base.substr(0, path);  // "https://host:port"
  if (reference.starts_with('/')) return Text(origin) + Text(reference);
  const std::size_t fragment = base.find('#');
  const std::string_view without_fragment = base.substr(0, fragment);
  if (reference.empty()) return Text(without_fragment);
  if (reference.starts_with('#')) return Text(without_fragment) + Text(reference);
  const std::string_view without_query = without_fragment.substr(0, without_fragment.find('?'));
  if (reference.starts_with('?')) return Text(without_query) + Text(reference);
  const std::size_t last_slash = without_query.rfind('/');
  if (path == std::string_view::npos || last_slash < authority + 3) {
    return Text(origin) + "/" + Text(reference);
  }
  return Text(without_query.substr(0, last_slash + 1)) + Text(reference);
}

}  // namespace morvik
