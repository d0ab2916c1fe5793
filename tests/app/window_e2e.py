#!/usr/bin/env python3
"""End-to-end checks of the real morvik.exe under Wine.

The window is driven from outside with real keystrokes and mouse clicks
(xdotool, through the X server Wine draws on) and read from outside by
window_probe.exe, a Windows console program that answers one command per line.
Every Wine process start is slow where 32-bit code runs emulated, so one
scenario starts one probe and one morvik.exe, and all waits are long but
bounded.

    window_e2e.py SCENARIO --morvik EXE --probe EXE --output DIR [--url URL]

Scenarios: session (everything that does not end the program, then Escape),
close-button, close-alt-f4, minimized-start (a minimised start still shows the
window; then Alt+C, the fourth way to end it); and snapshot, which
only shows the window, prints the host decoded from the sample URL and, given
--url, types that URL and presses Resolve IP for a second screenshot, then
closes it (for scripts/run). Each saves screenshots under DIR. The exit code is 0
only if every check passed.
"""

import argparse
import os
import queue
import subprocess
import sys
import threading
import time

# The loader for the build under test (64-bit Wine for the 64-bit build).
WINE = os.environ.get("MORVIK_WINE", "wine")

TITLE = "Quelt: Morvik 1.0"
ABOUT_TITLE = "About Morvik"
# Wine process starts and first paints take minutes here; answers take seconds.
START_SECONDS = 900
STEP_SECONDS = 120

IDC_URL, IDC_HOST, IDC_RESOLVE, IDC_IPADDRESS = 1005, 1012, 1013, 1011
IDC_DECIMAL, IDC_HEX, IDC_ABOUT, IDCANCEL = 1007, 1008, 1010, 2
SW_SHOWMINIMIZED = 2

# As the probe escapes it: CR LF between the lines.
ABOUT_TEXT = "\\x0D\\x0A".join([
    "Quelt Morvik",
    "",
    "A tool to help decode those cryptic URL",
    "addresses used to hide the real location",
    "of Internet servers.",
    "",
    "Updates available at http://www.morvik.example/",
    "Copyright (C) 2026 The Morvik developers",
])


# Typed one after another, each into an emptied URL box: with the wrong dialog
# font, Wine 8 shapes hosts like these with MarkToMark positioning, which can
# crash the 64-bit window. Then every byte from 0x80 to 0xFF in decoded hosts.
HIGH_BYTE_URLS = [
    "://decoy.example.com&item=42@65536#frag0=-%9B",
    "http:\\\\a@b@8499510999/",
    "x:\\\\www.bank.test@%8513644/index.html%4%88",
] + ["http://d@" + "".join("%%%02X" % byte for byte in range(first, first + 16)) + "/"
     for first in range(0x80, 0x100, 16)]


def escaped(text):
    """Text as the probe reads and writes it: a backslash doubled, other bytes as is."""
    return text.replace("\\", "\\\\")


class Failed(Exception):
    pass


class Checks:
    def __init__(self):
        self.failures = []

    def expect(self, name, ok, detail=""):
        print(("PASS " if ok else "FAIL ") + name + ("" if ok else ": " + detail), flush=True)
        if not ok:
            self.failures.append(name)
        return ok

    def require(self, name, ok, detail=""):
        if not self.expect(name, ok, detail):
            raise Failed(name)


class Probe:
    """window_probe.exe, kept running for the whole scenario."""

    def __init__(self, exe):
        self.process = subprocess.Popen(
            [WINE, exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\r\n"))
        self.lines.put(None)

    def wait_ready(self):
        return self._next_line(START_SECONDS) == "ready"

    def _next_line(self, seconds):
        try:
            line = self.lines.get(timeout=seconds)
        except queue.Empty:
            raise Failed("the probe did not answer within %d s" % seconds)
        if line is None:
            raise Failed("the probe ended")
        return line

    def ask(self, command, seconds=STEP_SECONDS):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()
        # Commands that wait carry their own limit; allow for it plus slack.
        return self._next_line(seconds + STEP_SECONDS)

    def text(self, control_id):
        answer = self.ask("text %d" % control_id)
        return answer[len("text "):] if answer.startswith("text ") else answer

    def wait_text(self, control_id, expected, seconds=STEP_SECONDS):
        return self.ask("wait-text %d %d %s" % (seconds, control_id, expected), seconds)

    def wait_focus(self, control_id, seconds=STEP_SECONDS):
        return self.ask("wait-focus %d %d" % (seconds, control_id), seconds)

    def rect(self, control_id):
        left, top, right, bottom = map(int, self.ask("rect %d" % control_id).split()[1:])
        return left, top, right, bottom

    def close(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.write("quit\n")
                self.process.stdin.flush()
                self.process.wait(timeout=STEP_SECONDS)
            except (OSError, subprocess.TimeoutExpired):
                self.process.kill()


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=False, capture_output=True, text=True,
                          timeout=STEP_SECONDS).stdout.strip()


def x_window(title):
    """The X window Wine made for the window with that title."""
    deadline = time.monotonic() + STEP_SECONDS
    while time.monotonic() < deadline:
        found = xdotool("search", "--name", "^%s$" % title).split()
        if found:
            return found[0]
        time.sleep(1)
    raise Failed("no X window named %r" % title)


def focus_x_window(window):
    # No window manager runs on the test display, so the input focus is set
    # directly rather than through _NET_ACTIVE_WINDOW.
    xdotool("windowfocus", "--sync", window)


def keys(*names):
    xdotool("key", "--delay", "150", *names)


def type_text(text):
    xdotool("type", "--delay", "150", text)


def click(rect):
    left, top, right, bottom = rect
    xdotool("mousemove", str((left + right) // 2), str((top + bottom) // 2))
    xdotool("click", "1")


def screenshot(output, name, window="root"):
    """The whole screen, or only the given X window."""
    os.makedirs(output, exist_ok=True)
    path = os.path.join(output, name + ".png")
    subprocess.run(["import", "-window", window, path], check=False, timeout=STEP_SECONDS)
    print("screenshot " + path, flush=True)
    return path


class Scenario:
    def __init__(self, options, checks):
        self.options = options
        self.checks = checks
        self.probe = None
        self.morvik = None  # the program when started directly with wine
        self.window = None  # its X window

    def start(self, show_command=None):
        """Starts the probe, then the program, and waits for the window.

        The program starts only once the probe has seen the Wine desktop:
        a window program that comes first may find no desktop to create
        windows on, and then ends at once (quietly, with exit code 0).
        """
        self.probe = Probe(self.options.probe)
        self.checks.require("probe starts", self.probe.wait_ready())
        if show_command is None:
            self.morvik = subprocess.Popen([WINE, self.options.morvik],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        else:
            windows_path = "Z:" + os.path.abspath(self.options.morvik).replace("/", "\\")
            answer = self.probe.ask("launch %d %s" % (show_command, windows_path))
            self.checks.require("program launched", answer == "ok", answer)
        deadline = time.monotonic() + START_SECONDS
        answer = "timeout"
        while answer != "ok" and time.monotonic() < deadline and self.running():
            answer = self.probe.ask("wait-window 10 morvik.exe " + TITLE, 10)
        self.checks.require("window appears", answer == "ok",
                            answer if self.running() else "the program ended without a window")
        self.window = x_window(TITLE)
        focus_x_window(self.window)

    def running(self):
        if self.morvik is not None:
            return self.morvik.poll() is None
        return self.probe.ask("wait-exit 0").startswith("timeout")

    def expect_exit_zero(self, seconds=STEP_SECONDS):
        answer = self.probe.ask("wait-gone %d" % seconds, seconds)
        self.checks.expect("window is gone", answer == "ok", answer)
        if self.morvik is not None:
            try:
                code = self.morvik.wait(timeout=seconds)
            except subprocess.TimeoutExpired:
                code = "still running"
        else:
            code = self.probe.ask("wait-exit %d" % seconds, seconds)
            code = int(code.split()[1]) if code.startswith("exit ") else code
        self.checks.expect("exit code 0", code == 0, "exit code %s" % code)

    def finish(self):
        if self.morvik is not None and self.morvik.poll() is None:
            self.morvik.kill()
        if self.probe is not None:
            self.probe.close()


def focus_control(scenario, control_id):
    """Tabs until the control has the focus (tabbing into an edit selects its text)."""
    for _ in range(9):
        if scenario.probe.ask("focus") == "focus %d" % control_id:
            return True
        keys("Tab")
        time.sleep(0.5)
    return scenario.probe.wait_focus(control_id, 30) == "ok"


def expect_parts(scenario, name, parts):
    """The four parts of the dotted field, left to right ("" for a blank one)."""
    expected = "|".join(parts)
    answer = scenario.probe.ask("wait-parts %d %d %s" % (STEP_SECONDS, IDC_IPADDRESS, expected),
                                STEP_SECONDS)
    scenario.checks.expect("%s: the dotted field's parts show %s" % (name, expected),
                           answer == "ok", answer)


def type_into_parts(scenario, name, keystrokes, parts, fields):
    """Clicks the first part of the dotted field, then types (text) and presses (tuples) keys."""
    answer = scenario.probe.ask("part-rect %d 0" % IDC_IPADDRESS)
    if not scenario.checks.expect("%s: the dotted field has four parts" % name,
                                  answer.startswith("rect "), answer):
        return
    click(tuple(map(int, answer.split()[1:])))
    for step in keystrokes:
        if isinstance(step, tuple):
            keys(*step)
        else:
            type_text(step)
    expect_parts(scenario, name, parts)
    expect_fields(scenario, name, fields)


def expect_fields(scenario, name, fields):
    for control_id, expected in fields:
        answer = scenario.probe.wait_text(control_id, expected)
        scenario.checks.expect("%s: field %d shows %s" % (name, control_id, expected),
                               answer == "ok", answer)


def run_session(scenario):
    checks, probe = scenario.checks, scenario.probe
    answer = probe.wait_text(IDC_HOST, "198.51.100.7/index.htm")
    checks.expect("first focus decodes the sample URL", answer == "ok", answer)
    checks.expect("URL box has the focus", probe.ask("focus") == "focus %d" % IDC_URL)
    expect_fields(scenario, "start", [(IDC_IPADDRESS, "0.0.0.0"), (IDC_DECIMAL, "0"),
                                      (IDC_HEX, "0")])
    screenshot(scenario.options.output, "session-start")

    # The URL box starts with its text selected: typing replaces it.
    url = "http://decoy@server1.example.test/x"
    type_text(url)
    expect_fields(scenario, "typing", [(IDC_URL, url), (IDC_HOST, "server1.example.test/x")])
    type_text("%41")
    expect_fields(scenario, "typing an escape", [(IDC_HOST, "server1.example.test/xA")])

    for expected in (IDC_HOST, IDC_RESOLVE, IDC_IPADDRESS, IDC_DECIMAL, IDC_HEX, IDC_ABOUT,
                     IDCANCEL, IDC_URL):
        keys("Tab")
        answer = probe.wait_focus(expected, 60)
        checks.expect("Tab reaches %d" % expected, answer == "ok", answer)

    keys("alt+r")
    expect_fields(scenario, "Alt+R resolves the private host name",
                  [(IDC_IPADDRESS, "10.0.0.5"), (IDC_DECIMAL, "167772165"), (IDC_HEX, "0A000005")])
    expect_parts(scenario, "Alt+R resolves the private host name", ["10", "0", "0", "5"])

    edits = [
        ("decimal", IDC_DECIMAL, "3232235777",
         [(IDC_IPADDRESS, "192.168.1.1"), (IDC_HEX, "C0A80101")], ["192", "168", "1", "1"]),
        ("hexadecimal", IDC_HEX, "0A000005",
         [(IDC_IPADDRESS, "10.0.0.5"), (IDC_DECIMAL, "167772165")], ["10", "0", "0", "5"]),
        ("decimal over range", IDC_DECIMAL, "4294967296",
         [(IDC_DECIMAL, "4294967295"), (IDC_IPADDRESS, "255.255.255.255"),
          (IDC_HEX, "FFFFFFFF")], ["255", "255", "255", "255"]),
        # Tabbing in selects the first part; each part taken selects its digits.
        ("dotted", IDC_IPADDRESS, "172.16.0.1",
         [(IDC_DECIMAL, "2886729729"), (IDC_HEX, "AC100001")], ["172", "16", "0", "1"]),
    ]
    for name, control_id, typed, fields, parts in edits:
        if not checks.expect("focus reaches the %s field" % name, focus_control(scenario, control_id)):
            continue
        type_text(typed)
        expect_fields(scenario, "typing into the %s field" % name, fields)
        expect_parts(scenario, "typing into the %s field" % name, parts)

    # Clicked into, as a new user would. A part emptied with BackSpace and
    # left with Right counts as 0; 300 is taken as 255.
    type_into_parts(scenario, "typing 10.1.2.3 into the parts", ["10.1.2.3"],
                    ["10", "1", "2", "3"], [(IDC_DECIMAL, "167838211"), (IDC_HEX, "0A010203")])
    type_into_parts(scenario, "an empty and an over-range part",
                    ["10.", ("BackSpace", "Right", "shift+End"), "2.300"],
                    ["10", "", "2", "255"], [(IDC_DECIMAL, "167772927"), (IDC_HEX, "0A0002FF")])
    screenshot(scenario.options.output, "session")
    screenshot(scenario.options.output, "morvik", scenario.window)

    keys("alt+a")
    answer = probe.ask("message-box %d %s" % (STEP_SECONDS, ABOUT_TITLE))
    expected = "box topmost=1 owner=0 buttons=1 text=" + ABOUT_TEXT
    checks.expect("Alt+A opens the About box", answer == expected,
                  "got %r, expected %r" % (answer, expected))
    screenshot(scenario.options.output, "session-about")

    # The box has no owner: the main window still takes clicks and typing.
    checks.expect("main window stays enabled", "enabled=1" in probe.ask("state"))
    focus_x_window(scenario.window)
    click(probe.rect(IDC_URL))
    keys("End")
    type_text("y")
    expect_fields(scenario, "typing with About open", [(IDC_HOST, "server1.example.test/xAy")])
    click(probe.rect(IDC_ABOUT))
    answer = "count 0"
    deadline = time.monotonic() + STEP_SECONDS
    while answer != "count 2" and time.monotonic() < deadline:
        time.sleep(1)
        answer = probe.ask("count " + ABOUT_TITLE)
    checks.expect("a second About box opens", answer == "count 2", answer)
    checks.expect("About boxes close", probe.ask("dismiss " + ABOUT_TITLE).startswith("dismissed"))

    # Typing an over-range host moves the focus to the corrected decimal
    # field; a click takes the user back into the URL box to mend it.
    # Shift+Tab from the host field into the URL box selects all its text.
    focus_x_window(scenario.window)
    click(probe.rect(IDC_HOST))
    keys("shift+Tab")
    type_text("http://4294967296/")
    answer = probe.wait_focus(IDC_DECIMAL, 60)
    checks.expect("an over-range host focuses the decimal field", answer == "ok",
                  "%s; the URL box holds %r" % (answer, probe.text(IDC_URL)))
    expect_fields(scenario, "over-range host", [(IDC_DECIMAL, "4294967295")])
    click(probe.rect(IDC_URL))
    time.sleep(1)
    answer = probe.ask("focus")
    checks.expect("a click takes the focus back into the URL box",
                  answer == "focus %d" % IDC_URL, answer)
    keys("End", "BackSpace", "BackSpace")
    type_text("/")
    expect_fields(scenario, "mending the URL", [(IDC_URL, "http://429496729/"),
                                                (IDC_HOST, "25.153.153.153/")])

    type_high_byte_urls(scenario)

    focus_x_window(scenario.window)
    keys("Escape")
    scenario.expect_exit_zero()


def type_high_byte_urls(scenario):
    checks, probe = scenario.checks, scenario.probe
    for url in HIGH_BYTE_URLS:
        focus_x_window(scenario.window)
        click(probe.rect(IDC_URL))
        keys("End", "shift+Home", "BackSpace")
        xdotool("type", "--delay", "50", url)
        answer = probe.wait_text(IDC_URL, escaped(url))
        crashed = probe.ask("count Program Error") != "count 0"
        checks.expect("typing %s leaves the window running" % url,
                      answer == "ok" and not crashed and scenario.running(),
                      "crash dialog" if crashed else answer)


def run_close(scenario, how):
    probe = scenario.probe
    answer = probe.wait_text(IDC_HOST, "198.51.100.7/index.htm")
    scenario.checks.expect("window is ready", answer == "ok", answer)
    screenshot(scenario.options.output, scenario.options.scenario)
    how(scenario)
    scenario.expect_exit_zero()


def close_with_button(scenario):
    click(scenario.probe.rect(IDCANCEL))


def run_minimized_start(scenario):
    checks, probe = scenario.checks, scenario.probe
    state = probe.ask("state")
    checks.expect("shown normally despite a minimised start",
                  "visible=1" in state and "iconic=0" in state and "zoomed=0" in state, state)
    answer = probe.wait_text(IDC_HOST, "198.51.100.7/index.htm")
    checks.expect("window works", answer == "ok", answer)
    screenshot(scenario.options.output, scenario.options.scenario)
    # Each way of ending the program costs a program start of its own; this
    # start ends with the one no other scenario uses.
    focus_x_window(scenario.window)
    keys("alt+c")
    scenario.expect_exit_zero()


def run_snapshot(scenario):
    probe = scenario.probe
    host = ""
    deadline = time.monotonic() + STEP_SECONDS
    while not host and time.monotonic() < deadline:
        host = probe.text(IDC_HOST)
        time.sleep(0.5)
    screenshot(scenario.options.output, "screen")
    print("screenshot: " + screenshot(scenario.options.output, "morvik", scenario.window))
    print("decoded host of the sample URL: " + host)
    scenario.checks.expect("the host field shows the decoded host", bool(host))
    if scenario.options.url:
        # The URL box has the focus with its text selected: typing replaces it.
        type_text(scenario.options.url)
        expect_fields(scenario, "typing the URL", [(IDC_URL, scenario.options.url)])
        keys("alt+r")
        deadline = time.monotonic() + STEP_SECONDS
        while probe.text(IDC_IPADDRESS) == "0.0.0.0" and time.monotonic() < deadline:
            time.sleep(0.5)
        fields = [probe.text(control_id) for control_id in (IDC_HOST, IDC_IPADDRESS, IDC_DECIMAL,
                                                             IDC_HEX)]
        print("decoded: host %s, address %s, decimal %s, hex %s" % tuple(fields))
        scenario.checks.expect("Resolve IP fills the address fields", fields[1] != "0.0.0.0",
                               repr(fields))
        # The screenshot must show the dotted numbers, not only the dots.
        expect_parts(scenario, "Resolve IP", fields[1].split("."))
        time.sleep(1)  # let the fields repaint
        print("screenshot: " + screenshot(scenario.options.output, "morvik-decoded",
                                          scenario.window))
    probe.ask("close")
    scenario.expect_exit_zero()


SCENARIOS = {
    "session": (None, run_session),
    "close-button": (None, lambda s: run_close(s, close_with_button)),
    "close-alt-f4": (None, lambda s: run_close(s, lambda _: keys("alt+F4"))),
    "minimized-start": (SW_SHOWMINIMIZED, run_minimized_start),
    "snapshot": (None, run_snapshot),
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--morvik", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--url", help="snapshot: a URL to type and resolve for a second screenshot")
    options = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("FAIL no DISPLAY: these checks need an X server")
        return 1

    checks = Checks()
    scenario = Scenario(options, checks)
    show_command, run = SCENARIOS[options.scenario]
    started = time.monotonic()
    try:
        scenario.start(show_command)
        run(scenario)
    except Failed as failure:
        checks.failures.append(str(failure))
        print("STOPPED " + str(failure), flush=True)
        screenshot(options.output, options.scenario + "-failed")
    finally:
        scenario.finish()
    print("%s: %d failure(s) in %.0f s" % (options.scenario, len(checks.failures),
                                           time.monotonic() - started))
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
