#include "report/url_record.h"

#include <string>

#include "compare/reasons.h"
#include "support/refang.h"

namespace morvik {
namespace {

class UrlRecordWriter {
 public:
  UrlRecordWriter(const UrlRecordOptions& options, Record& record)
      : options_(options), record_(record) {}

  void Url(std::string_view name, std::string_view url) {
    if (options_.defang) {
      record_.AddOwnedText(name, DefangUrl(url));
    } else {
      record_.AddText(name, url);
    }
  }

  // `address`: the host is an address the program wrote itself (digits,
  // dots, hexadecimal digits, colons, brackets), which needs no escaping.
  void Host(std::string_view name, const Text* host, bool address = false) {
    if (host != nullptr && options_.defang) {
      record_.AddOwnedText(name, DefangHost(*host));
    } else if (address) {
      record_.AddOptionalPlainText(name, host);
    } else {
      record_.AddOptionalText(name, host);
    }
  }

  void Window(const WindowReading& window) {
    Url("window_host_text", window.host_text);
    if (options_.defang) {
      record_.AddOwnedText("window_host", DefangHost(window.UpperCaseHost()));
    } else {
      record_.AddUpperCaseText("window_host", window.host());
    }
    const bool has_address = window.dotted.has_value();
    Host("window_dotted", has_address ? &*window.dotted : nullptr);
    record_.AddOptionalPlainText("window_decimal", has_address ? &window.decimal : nullptr);
    record_.AddOptionalPlainText("window_hex", has_address ? &window.hex : nullptr);
    Note(window, has_address);
  }

  void Browser(const BrowserReading& browser) {
    const BrowserHost& host = browser.host;
    const bool ok = browser.ok();
    const bool address =
        ok && (host.kind == BrowserHostKind::Ipv4 || host.kind == BrowserHostKind::Ipv6);
    Host("browser_host", ok ? &host.ascii : nullptr, address);
    Host("browser_host_unicode", ok && !host.unicode.empty() ? &host.unicode : nullptr);
    const bool domain = ok && host.kind == BrowserHostKind::Domain;
    Host("browser_host_display",
         !ok                    ? nullptr
         : host.display.empty() ? &host.ascii
                                : &host.display,
         address);
    if (domain) {
      record_.AddPlainText("lookalike", LookAlikeField(host.lookalike));
    } else {
      record_.AddNull("lookalike");
    }
    Host("looks_like", domain && !host.looks_like.empty() ? &host.looks_like : nullptr);
    if (ok) {
      record_.AddPlainText("browser_kind", KindName(host.kind));
    } else {
      record_.AddNull("browser_kind");
    }
    if (ok && browser.port) {
      record_.AddNumber("browser_port", *browser.port);
    } else {
      record_.AddNull("browser_port");
    }
    const bool ipv4 = ok && host.kind == BrowserHostKind::Ipv4;
    Host("browser_dotted", ipv4 ? &host.ascii : nullptr, ipv4);
    if (ok) {
      record_.AddNull("browser_error");
    } else {
      Text error = BrowserFailureName(host.failure);
      if (!host.failure_detail.empty()) error += ": " + host.failure_detail;
      record_.AddOwnedText("browser_error", std::move(error));
    }
  }

 private:
  // At most one applies: an over-range host is rewritten as dotted text,
  // which is never looked up.
  void Note(const WindowReading& window, bool has_address) {
    if (window.over_range_correction) {
      record_.AddOwnedText("window_note",
                           "over range, corrected to " + *window.over_range_correction);
    } else if (window.looked_up && *window.dotted == "0.0.0.0") {
      record_.AddPlainText("window_note", "look-up failed or gave 0.0.0.0");
    } else if (window.looked_up) {
      record_.AddPlainText("window_note", "looked up");
    } else if (!has_address && window.host().empty()) {
      record_.AddPlainText("window_note", "no host");
    } else if (!has_address) {
      record_.AddPlainText("window_note", "a name; looked up only with --resolve");
    } else {
      record_.AddNull("window_note");
    }
  }

  // The verdict on a name: "none", "not checked" or the rule that fired.
  static const char* LookAlikeField(LookAlike rule) {
    if (rule == LookAlike::None) return "none";
    if (rule == LookAlike::NotChecked) return "not checked";
    return LookAlikeName(rule);
  }

  static const char* KindName(BrowserHostKind kind) {
    switch (kind) {
      case BrowserHostKind::Empty: return "none";
      case BrowserHostKind::Domain: return "domain";
      case BrowserHostKind::Ipv4: return "ipv4";
      case BrowserHostKind::Ipv6: return "ipv6";
    }
    return "";
  }

  const UrlRecordOptions& options_;
  Record& record_;
};

}  // namespace

void DescribeUrlReport(std::string_view source, std::int64_t line, const UrlReport& report,
                       const UrlRecordOptions& options, Record& record) {
  DescribeUrlReadings(source, line, report, options, record);
  DescribeDisguises(report, options, record);
}

void DescribeUrlReadings(std::string_view source, std::int64_t line, const UrlReport& report,
                         const UrlRecordOptions& options, Record& record) {
  record.Clear();
  UrlRecordWriter writer(options, record);
  record.AddText("source", source);
  record.AddNumber("line", line);
  writer.Url("url", report.url());
  writer.Window(report.window);
  writer.Browser(report.browser);
  record.AddBool("same", report.comparison.same);
  record.AddList("reasons", report.comparison.reasons);
  if (options.trace) record.AddTrace("trace", report.trace);
}

void DescribeDisguises(const UrlReport& report, const UrlRecordOptions& options, Record& record) {
  record.AddDisguises("disguises", report.disguises.found);
  const std::optional<Text>& leads_to = report.disguises.leads_to;
  if (leads_to && options.defang) {
    record.AddOwnedText("leads_to", DefangHost(*leads_to));
  } else {
    record.AddOptionalText("leads_to", leads_to ? &*leads_to : nullptr);
  }
}

}  // namespace morvik
