// A console program that looks at another process's window from outside, for
// the end-to-end tests. Once the Wine desktop exists it prints "ready"; then it reads one command
// per line on stdin and answers each with exactly one line on stdout, so that a whole test session
// costs a single (slow, under Wine) process start:
//
//   wait-window <seconds> <exe> <title>
//                                    "ok" once a visible window of a program named
//                                    <exe> (such as morvik.exe) has that title; it
//                                    becomes the current window. Else "timeout".
//   text <id>                        "text <escaped>" of the current window's child
//   wait-text <seconds> <id> <text>  "ok" once the child shows <text> (escaped),
//                                    else "timeout <escaped last text>"
//   focus                            "focus <id>" of the child holding the focus
//                                    (or containing it), "focus none" / "focus other"
//   parts <id>                       "parts <p0>|<p1>|<p2>|<p3>": what the four parts of an
//                                    IP address control show, left to right (escaped)
//   wait-parts <seconds> <id> <p0>|<p1>|<p2>|<p3>
//                                    "ok" once the parts show that, else "timeout <last>"
//   part-rect <id> <n>               "rect ..." of part n (0 to 3), as rect does
//   wait-focus <seconds> <id>        "ok" once that child has the focus, else the
//                                    last "focus ..." answer
//   state                            "visible=<0|1> iconic=<0|1> zoomed=<0|1> enabled=<0|1>"
//   rect <id>                        "rect <left> <top> <right> <bottom>" on the screen;
//                                    id 0 is the window itself
//   wait-gone <seconds>              "ok" once the current window is destroyed
//   close                            sends the current window the system close
//                                    command (as its title-bar button does): "ok"
//   count <title>                    "count <n>" visible top-level windows with that title
//                                    (of any program)
//   message-box <seconds> <title>    "box topmost=<0|1> owner=<0|1> buttons=<ids> text=<escaped>"
//                                    of a message box with that title
//   dismiss <title>                  presses OK in every window with that title: "dismissed <n>"
//   launch <show> <path>             starts a program with the given show command
//                                    (STARTUPINFO.wShowWindow): "ok"
//   wait-exit <seconds>              "exit <code>" of the launched program, else "timeout"
//   quit
//
// Escaped text: printable ASCII as is, a backslash as "\\", other bytes as \xHH.

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "app/children_left_to_right.h"

namespace {

constexpr UINT kMessageTimeoutMs = 60000;
constexpr DWORD kPollMs = 100;

std::string Escape(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    }
  }
  return out;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      out += '\\';
      ++i;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

// Polls `ready` until it holds or `seconds` have passed.
template <typename Ready>
bool WaitFor(double seconds, Ready ready) {
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
}

// Another process's control text: WM_GETTEXT is carried across processes,
// unlike GetWindowTextA, which would return only the caption the system keeps.
std::string ControlText(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(
          control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length)) {
    return {};
  }
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(control,
                           WM_GETTEXT,
                           text.size(),
                           reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG,
                           kMessageTimeoutMs,
                           &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::string PartsShown(HWND control) {
  std::string shown;
  for (const HWND part : morvik::ChildrenLeftToRight(control)) {
    if (!shown.empty()) shown += '|';
    shown += Escape(ControlText(part));
  }
  return shown;
}

std::string RectAnswer(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  char answer[96];
  std::snprintf(
      answer, sizeof answer, "rect %ld %ld %ld %ld", rect.left, rect.top, rect.right, rect.bottom);
  return answer;
}

struct WindowSearch {
  const std::string* title;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowWithTitle(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<WindowSearch*>(context);
  char caption[256] = "";
  GetWindowTextA(window, caption, sizeof caption);
  if (IsWindowVisible(window) && *search->title == caption) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows(const std::string& title) {
  WindowSearch search{&title, {}};
  EnumWindows(CollectWindowWithTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// File name of the program that owns the window, in lower case.
std::string ProgramName(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
  if (process == nullptr) return {};
  char path[MAX_PATH] = "";
  DWORD size = sizeof path;
  const BOOL named = QueryFullProcessImageNameA(process, 0, path, &size);
  CloseHandle(process);
  if (!named) return {};
  const std::string full(path, size);
  return Lower(full.substr(full.find_last_of("\\/") + 1));
}

class Probe {
 public:
  // Returns false for "quit".
  bool Execute(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    if (command == "quit") return false;
    if (command == "wait-window") {
      double seconds = 0;
      std::string program;
      in >> seconds >> program;
      const std::string title = Rest(in);
      const bool found = WaitFor(seconds, [&] {
        window_ = nullptr;
        for (const HWND window : TopLevelWindows(title)) {
          if (ProgramName(window) == Lower(program)) window_ = window;
        }
        return window_ != nullptr;
      });
      Answer(found ? "ok" : "timeout");
    } else if (command == "text") {
      int id = 0;
      in >> id;
      Answer("text " + Escape(ControlText(GetDlgItem(window_, id))));
    } else if (command == "wait-text") {
      double seconds = 0;
      int id = 0;
      in >> seconds >> id;
      const std::string expected = Unescape(Rest(in));
      std::string last;
      const bool shown = WaitFor(seconds, [&] {
        last = ControlText(GetDlgItem(window_, id));
        return last == expected;
      });
      Answer(shown ? "ok" : "timeout " + Escape(last));
    } else if (command == "parts") {
      int id = 0;
      in >> id;
      Answer("parts " + PartsShown(GetDlgItem(window_, id)));
    } else if (command == "wait-parts") {
      double seconds = 0;
      int id = 0;
      in >> seconds >> id;
      const std::string expected = Rest(in);
      std::string last;
      const bool shown = WaitFor(
          seconds, [&] { return (last = PartsShown(GetDlgItem(window_, id))) == expected; });
      Answer(shown ? "ok" : "timeout " + last);
    } else if (command == "part-rect") {
      int id = 0;
      std::size_t n = 0;
      in >> id >> n;
      const std::vector<HWND> parts = morvik::ChildrenLeftToRight(GetDlgItem(window_, id));
      Answer(n < parts.size() ? RectAnswer(parts[n]) : "no such part");
    } else if (command == "focus") {
      Answer(FocusAnswer());
    } else if (command == "wait-focus") {
      double seconds = 0;
      int id = 0;
      in >> seconds >> id;
      const std::string expected = "focus " + std::to_string(id);
      std::string last;
      const bool focused = WaitFor(seconds, [&] { return (last = FocusAnswer()) == expected; });
      Answer(focused ? "ok" : last);
    } else if (command == "state") {
      char answer[96];
      std::snprintf(answer,
                    sizeof answer,
                    "visible=%d iconic=%d zoomed=%d enabled=%d",
                    IsWindowVisible(window_) ? 1 : 0,
                    IsIconic(window_) ? 1 : 0,
                    IsZoomed(window_) ? 1 : 0,
                    IsWindowEnabled(window_) ? 1 : 0);
      Answer(answer);
    } else if (command == "rect") {
      int id = 0;
      in >> id;
      Answer(RectAnswer(id == 0 ? window_ : GetDlgItem(window_, id)));
    } else if (command == "wait-gone") {
      double seconds = 0;
      in >> seconds;
      Answer(WaitFor(seconds, [&] { return !IsWindow(window_); }) ? "ok" : "timeout");
    } else if (command == "close") {
      PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
      Answer("ok");
    } else if (command == "count") {
      Answer("count " + std::to_string(TopLevelWindows(Rest(in)).size()));
    } else if (command == "message-box") {
      double seconds = 0;
      in >> seconds;
      Answer(MessageBoxAnswer(seconds, Rest(in)));
    } else if (command == "dismiss") {
      const std::vector<HWND> boxes = TopLevelWindows(Rest(in));
      for (const HWND box : boxes) PostMessageA(box, WM_COMMAND, IDOK, 0);
      Answer("dismissed " + std::to_string(boxes.size()));
    } else if (command == "launch") {
      int show = SW_SHOWNORMAL;
      in >> show;
      Answer(Launch(show, Rest(in)) ? "ok" : "error " + std::to_string(GetLastError()));
    } else if (command == "wait-exit") {
      double seconds = 0;
      in >> seconds;
      Answer(ExitAnswer(seconds));
    } else {
      Answer("error unknown command");
    }
    return true;
  }

 private:
  static std::string Rest(std::istringstream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
  }

  static void Answer(const std::string& answer) { std::cout << answer << std::endl; }

  std::string FocusAnswer() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) ||
        info.hwndFocus == nullptr) {
      return "focus none";
    }
    // The IP address control keeps the focus in one of its inner fields.
    for (HWND child = info.hwndFocus; child != nullptr; child = GetParent(child)) {
      if (GetParent(child) == window_) return "focus " + std::to_string(GetDlgCtrlID(child));
    }
    return "focus other";
  }

  static std::string MessageBoxAnswer(double seconds, const std::string& title) {
    HWND box = nullptr;
    if (!WaitFor(seconds, [&] {
          const std::vector<HWND> boxes = TopLevelWindows(title);
          box = boxes.empty() ? nullptr : boxes.front();
          return box != nullptr;
        })) {
      return "timeout";
    }
    constexpr int kMessageBoxTextId = 0xFFFF;  // the static control holding the text
    std::string buttons;
    for (const int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
      const HWND button = GetDlgItem(box, id);
      if (button != nullptr && IsWindowVisible(button)) {
        buttons += (buttons.empty() ? "" : ",") + std::to_string(id);
      }
    }
    const bool topmost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const bool owned = GetWindow(box, GW_OWNER) != nullptr;
    return std::string("box topmost=") + (topmost ? "1" : "0") + " owner=" + (owned ? "1" : "0") +
           " buttons=" + buttons +
           " text=" + Escape(ControlText(GetDlgItem(box, kMessageBoxTextId)));
  }

  bool Launch(int show, std::string path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr,
                        path.data(),
                        nullptr,
                        nullptr,
                        FALSE,
                        0,
                        nullptr,
                        nullptr,
                        &startup,
                        &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    if (launched_ != nullptr) CloseHandle(launched_);
    launched_ = process.hProcess;
    return true;
  }

  std::string ExitAnswer(double seconds) const {
    if (launched_ == nullptr) return "error nothing launched";
    if (WaitForSingleObject(launched_, static_cast<DWORD>(seconds * 1000)) != WAIT_OBJECT_0) {
      return "timeout";
    }
    DWORD code = 0;
    GetExitCodeProcess(launched_, &code);
    return "exit " + std::to_string(code);
  }

  HWND window_ = nullptr;
  HANDLE launched_ = nullptr;
};

}  // namespace

int main() {
  // Under Wine the first program that needs the desktop starts it, and gives
  // up on it after a few seconds, which is too short where Wine runs
  // emulated: a window program started in that state cannot create windows.
  // Answer "ready" only once the desktop exists, so that programs started
  // afterwards find it.
  constexpr double kDesktopSeconds = 600;
  if (!WaitFor(kDesktopSeconds, [] { return GetDesktopWindow() != nullptr; })) {
    std::cout << "error no desktop" << std::endl;
    return 1;
  }
  Probe probe;
  std::cout << "ready" << std::endl;
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (!probe.Execute(line)) break;
  }
  return 0;
}
