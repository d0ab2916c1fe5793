#include "compare/window_reading.h"

#include <algorithm>
#include <string>
#include <utility>

#include "compare/correction_recorder.h"
#include "compare/plain_dotted.h"
#include "ipv4/notation.h"

namespace morvik {

WindowReading ReadAsWindow(std::string_view url, const HostResolver* resolver, Text room) {
  WindowReading reading;
  {
    const CorrectionRecorder recorder;
    UrlReading url_reading = ReadUrl(url, std::move(room));
    reading.cuts = url_reading.cuts;
    reading.host_text = std::move(url_reading.host_text);
    reading.over_range_correction = recorder.corrected_text();
  }
  reading.host_cut = CutHost(reading.host_text);
  // Digits and dots only: the same in either case.
  std::optional<std::uint32_t> address = PlainDottedValue(reading.host());
  // Dotted text has three dots: counting them first spares a long name the
  // copy that the full test reads.
  const std::string_view host = reading.host();
  if (address) {
    reading.dotted.emplace(host);
  } else if (Text upper; std::count(host.begin(), host.end(), '.') == 3 &&
                         IsDottedAddress(upper = reading.UpperCaseHost())) {
    reading.dotted = std::move(upper);
  } else if (resolver != nullptr) {
    reading.dotted = HostToDotted(reading.host_text, *resolver);
    reading.looked_up = true;
    address = PlainDottedValue(*reading.dotted);
  } else {
    return reading;
  }
  if (address) {
    reading.address = *address;
    reading.decimal = DecimalNotation(*address);
    reading.hex = HexNotation(*address);
  } else {
    reading.decimal = DottedToDecimal(*reading.dotted);
    reading.hex = DottedToHex(*reading.dotted);
    reading.address = static_cast<std::uint32_t>(std::stoul(reading.decimal));
  }
  return reading;
}

}  // namespace morvik
