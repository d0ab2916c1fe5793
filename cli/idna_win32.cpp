// IDNA through the Windows API, for systems without icu.dll. IdnToAscii and
// IdnToUnicode live in kernel32 from Vista on and in normaliz.dll before that
// (when installed); they are looked up at run time so that the program still
// starts where neither has them, and then reports internationalised names as
// unconvertible.

#include <windows.h>

#include "cli/idna.h"
#include "support/text.h"

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

std::wstring Widen(const Text& utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(
      CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8,
                      MB_ERR_INVALID_CHARS,
                      utf8.data(),
                      static_cast<int>(utf8.size()),
                      wide.data(),
                      length);
  return wide;
}

Text Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(
      CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  Text utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8,
                      0,
                      wide.data(),
                      static_cast<int>(wide.size()),
                      utf8.data(),
                      length,
                      nullptr,
                      nullptr);
  return utf8;
}

IdnaResult Convert(IdnFunction convert, const char* function_name, const Text& utf8) {
  if (convert == nullptr) return {false, {}, "IDNA is not available on this system"};
  if (utf8.find('\0') != Text::npos) return {false, {}, "NUL character"};
  const std::wstring source = Widen(utf8);
  if (source.empty()) return {false, {}, "not valid UTF-8"};
  const int source_length = static_cast<int>(source.size());
  const int length = convert(0, source.data(), source_length, nullptr, 0);
  if (length <= 0) return {false, {}, "rejected by " + Text(function_name)};
  std::wstring target(static_cast<std::size_t>(length), L'\0');
  convert(0, source.data(), source_length, target.data(), length);
  return {true, Narrow(target), {}};
}

bool IsAscii(const Text& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
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
  // Label by label, each that does not decode kept in ASCII.
  Text unicode;
  std::size_t start = 0;
  for (;;) {
    const std::size_t dot = ascii_domain.find('.', start);
    const Text label = ascii_domain.substr(start, dot - start);
    const IdnaResult decoded =
        label.empty() ? IdnaResult{} : Convert(convert, "IdnToUnicode", label);
    unicode += decoded.ok ? decoded.text : label;
    if (dot == Text::npos) break;
    unicode += '.';
    start = dot + 1;
  }
  return {true, std::move(unicode), {}};
}

}  // namespace morvik
