// IDNA through the Windows API, for systems without icu.dll. IdnToAscii and
// IdnToUnicode live in kernel32 from Vista on and in normaliz.dll before that
// (when installed); they are looked up at run time so that the program still
// starts where neither has them, and then reports internationalised names as
// unconvertible.

#include <windows.h>

#include "browser/idna.h"
#include "support/text.h"
#include "support/wide_text.h"

namespace morvik {
namespace {

using IdnFunction = int(WINAPI*)(DWORD flags, LPCWSTR source, int source_length, LPWSTR target,
                                 int target_length);

IdnFunction LookUp(const char* name) {
  for (const char* library : {"kernel32.dll", "normaliz.dll"}) {
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr) module = LoadLibraryA(library);
    if (module == nullptr) continue;
    if (FARPROC function = GetProcAddress(module, name)) {
      return reinterpret_cast<IdnFunction>(reinterpret_cast<void*>(function));
    }
  }
  return nullptr;
}

IdnaResult Convert(IdnFunction convert, const char* function_name, const Text& utf8) {
  if (convert == nullptr) return {false, {}, "IDNA is not available on this system"};
  if (utf8.find('\0') != Text::npos) return {false, {}, "NUL character"};
  const std::wstring source = WideFromUtf8(utf8);
  if (source.empty()) return {false, {}, "not valid UTF-8"};
  const int source_length = static_cast<int>(source.size());
  const int length = convert(0, source.data(), source_length, nullptr, 0);
  if (length <= 0) return {false, {}, "rejected by " + Text(function_name)};
  std::wstring target(static_cast<std::size_t>(length), L'\0');
  convert(0, source.data(), source_length, target.data(), length);
  return {true, Utf8FromWide(target), {}};
}

}  // namespace

IdnaResult FallbackDomainToAscii(const Text& utf8_domain) {
  // A name of ASCII characters comes here only for its "xn--" labels, which
  // browsers keep as written (lower-cased) in the ASCII form, whether or not
  // they decode. (Decoded labels are not checked again here, as ICU does.)
  if (IsAscii(utf8_domain)) return {true, AsciiLowerCase(utf8_domain), {}};
  static const IdnFunction convert = LookUp("IdnToAscii");
  return Convert(convert, "IdnToAscii", utf8_domain);
}

IdnaResult FallbackDomainToUnicode(const Text& ascii_domain) {
  static const IdnFunction convert = LookUp("IdnToUnicode");
  IdnaResult whole = Convert(convert, "IdnToUnicode", ascii_domain);
  if (whole.ok || convert == nullptr) return whole;
  return {true,
          DecodeLabelByLabel(ascii_domain,
                             [](std::string_view label) -> std::optional<Text> {
                               IdnaResult decoded = Convert(convert, "IdnToUnicode", Text(label));
                               if (!decoded.ok) return std::nullopt;
                               return std::move(decoded.text);
                             }),
          {}};
}

}  // namespace morvik
