"""The job of morvik-cli done the obvious way in Python, as the yardstick of
bench/cli_bench: read URLs one per line, find the host with urllib.parse,
decode its escapes, read it as an IPv4 address with ipaddress, and write one
TSV line per URL with the host, the three notations and the port."""

import ipaddress
import sys
from urllib.parse import unquote, urlsplit


def main():
    out = sys.stdout.write
    out("url\thost\tdotted\tdecimal\thex\tport\n")
    for raw in sys.stdin.buffer:
        url = raw.rstrip(b"\r\n").decode("utf-8", "surrogateescape")
        if not url:
            continue
        try:
            parts = urlsplit(url if "://" in url else "http://" + url)
            host = unquote(parts.hostname or "")
            port = parts.port
        except ValueError:
            host, port = "", None
        try:
            address = ipaddress.IPv4Address(host)
            dotted, decimal, hexa = str(address), str(int(address)), "%08X" % int(address)
        except ValueError:
            dotted = decimal = hexa = ""
        out("%s\t%s\t%s\t%s\t%s\t%s\n" % (url, host, dotted, decimal, hexa, port or ""))


if __name__ == "__main__":
    main()
