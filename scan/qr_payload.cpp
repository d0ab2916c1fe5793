#include "scan/qr_payload.h"

#include <optional>

#include "scan/charset.h"
#include "scan/text_links.h"
#include "support/text.h"

namespace morvik {
namespace {

struct KnownPayload {
  std::string_view prefix;  // compared without regard to ASCII case
  const char* kind;
};

// Payloads that phone cameras act on without their being web links. Some
// look like URLs ("upi://pay?...", "otpauth://totp/..."), so they are told
// before the URL rule is tried.
constexpr KnownPayload kKnownPayloads[] = {
    {"bitcoin:", "QR code holds a payment, not a link"},
    {"bitcoincash:", "QR code holds a payment, not a link"},
    {"ethereum:", "QR code holds a payment, not a link"},
    {"litecoin:", "QR code holds a payment, not a link"},
    {"monero:", "QR code holds a payment, not a link"},
    {"lightning:", "QR code holds a payment, not a link"},
    {"upi://", "QR code holds a payment, not a link"},
    {"BCD\n", "QR code holds a payment, not a link"},    // a European credit transfer
    {"BCD\r\n", "QR code holds a payment, not a link"},  //
    {"SPC\n", "QR code holds a payment, not a link"},    // a Swiss payment slip
    {"SPC\r\n", "QR code holds a payment, not a link"},  //
    {"SPD*", "QR code holds a payment, not a link"},     // a Czech payment
    {"000201", "QR code holds a payment, not a link"},   // a merchant-presented card payment
    {"WIFI:", "QR code holds a Wi-Fi network, not a link"},
    {"BEGIN:VCARD", "QR code holds a contact card, not a link"},
    {"MECARD:", "QR code holds a contact card, not a link"},
    {"BEGIN:VEVENT", "QR code holds an event, not a link"},
    {"BEGIN:VCALENDAR", "QR code holds an event, not a link"},
    {"mailto:", "QR code holds an e-mail address, not a link"},
    {"MATMSG:", "QR code holds an e-mail address, not a link"},
    {"tel:", "QR code holds a phone number, not a link"},
    {"sms:", "QR code holds a text message, not a link"},
    {"smsto:", "QR code holds a text message, not a link"},
    {"geo:", "QR code holds a place, not a link"},
    {"otpauth://", "QR code holds a one-time password key, not a link"},
    {"otpauth-migration://", "QR code holds a one-time password key, not a link"},
};

constexpr const char* kPlainText = "QR code holds text, not a link";

// The URL the whole payload is, as running text would cut it; nothing when
// the payload is more than one URL.
std::optional<FoundLink> WholeUrl(std::string_view payload) {
  std::vector<FoundLink> found;
  FindTextLinks(payload, "", found);
  if (found.size() != 1 || found.front().shown != payload) return std::nullopt;
  return std::move(found.front());
}

}  // namespace

const char* QrPayloadKind(std::string_view payload) {
  const std::string_view trimmed = TrimAsciiWhitespace(payload);
  for (const KnownPayload& known : kKnownPayloads) {
    if (StartsWithIgnoringAsciiCase(trimmed, known.prefix)) return known.kind;
  }
  return WholeUrl(trimmed) ? nullptr : kPlainText;
}

void AddQrPayload(std::string_view payload, std::string_view part, std::int64_t line,
                  std::vector<FoundLink>& links) {
  const Text text = ToUtf8(payload, "").text;
  const std::string_view trimmed = TrimAsciiWhitespace(text);
  FoundLink link;
  link.part = Text(part);
  link.element = "qr";
  link.line = line;
  link.payload_kind = QrPayloadKind(trimmed);
  if (link.payload_kind == nullptr) {
    link.url = std::move(WholeUrl(trimmed)->url);  // a code shows no text of its own
  } else {
    link.shown = Text(trimmed);
  }
  links.push_back(std::move(link));
}

}  // namespace morvik
