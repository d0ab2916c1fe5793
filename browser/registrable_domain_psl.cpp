#include <libpsl.h>

#include <memory>

#include "browser/registrable_domain.h"
#include "support/text.h"

namespace morvik {
namespace {

struct PslDeleter {
  void operator()(psl_ctx_t* context) const { psl_free(context); }
};

// The newest list on the system (Debian's publicsuffix file), else the one
// built into libpsl; loaded once, read-only after.
const psl_ctx_t* Suffixes() {
  static const std::unique_ptr<psl_ctx_t, PslDeleter> latest(psl_latest(nullptr));
  return latest ? latest.get() : psl_builtin();
}

// libpsl reads NUL-terminated names; hosts are short, longer ones are no
// name a list could know.
constexpr std::size_t kLongestName = 253;

// An address is no name: a host whose last label is a number (what a
// browser reads as IPv4) or an IPv6 literal.
bool IsAddress(std::string_view host) {
  if (host.starts_with('[')) return true;
  const std::string_view last = host.substr(host.rfind('.') + 1);
  return !last.empty() && last.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsListedSuffix(const psl_ctx_t* suffixes, std::string_view name) {
  const Text text(name);
  return psl_is_public_suffix2(suffixes, text.c_str(), PSL_TYPE_ANY | PSL_TYPE_NO_STAR_RULE) != 0;
}

}  // namespace

std::optional<std::string_view> RegistrableDomain(std::string_view host) {
  const psl_ctx_t* suffixes = Suffixes();
  if (suffixes == nullptr || host.empty() || host.size() > kLongestName || IsAddress(host)) {
    return std::nullopt;
  }
  const Text name(host);
  const char* domain = psl_registrable_domain(suffixes, name.c_str());
  if (domain == nullptr) return std::nullopt;
  return host.substr(static_cast<std::size_t>(domain - name.c_str()));
}

bool IsListedRegistrableDomain(std::string_view name) {
  const psl_ctx_t* suffixes = Suffixes();
  if (suffixes == nullptr || name.size() > kLongestName || IsAddress(name)) return false;
  const std::size_t dot = name.find('.');
  if (dot == 0 || dot == std::string_view::npos) return false;
  return IsListedSuffix(suffixes, name.substr(dot + 1)) && !IsListedSuffix(suffixes, name);
}

bool SameSite(std::string_view a, std::string_view b) {
  if (EqualsIgnoringAsciiCase(a, b)) return true;
  // Names under other top-level labels are never one site.
  if (!EqualsIgnoringAsciiCase(a.substr(a.rfind('.') + 1), b.substr(b.rfind('.') + 1))) {
    return false;
  }
  const std::optional<std::string_view> site_a = RegistrableDomain(a);
  const std::optional<std::string_view> site_b = RegistrableDomain(b);
  if (site_a && site_b) return EqualsIgnoringAsciiCase(*site_a, *site_b);
  return !site_a && !site_b && EqualsIgnoringAsciiCase(a, b);
}

}  // namespace morvik
