// A build without zbar: no image is searched, and scan says so (see
// reader_availability.h).

#include "scan/qr_codes.h"
#include "scan/reader_availability.h"

namespace morvik {

bool BuildReadsQrCodes() { return false; }

std::vector<Text> FindQrPayloads(const GrayImage& /*image*/) { return {}; }

}  // namespace morvik
