#pragma once
// Whether this build reads PDFs (poppler) and QR codes (zbar): both are found
// at configure time, and a build without one still scans everything else.

#include <string_view>

namespace morvik {

bool BuildReadsPdf();
bool BuildReadsQrCodes();

// The problems a document carries when its reader is not in the build; the
// command says each once per run, not once per document.
constexpr std::string_view kNoPdfReader = "this build reads no PDF";
constexpr std::string_view kNoQrReader = "this build reads no QR codes";

}  // namespace morvik
