// Host look-up through Windows Sockets. The socket library is started and
// released around every single look-up: the program uses it for nothing else,
// so nothing of it is held between two presses of the Resolve button, and no
// answer is kept.

#include <winsock.h>

#include <cstring>

#include "support/host_resolver.h"

namespace morvik {
namespace {

constexpr WORD kSocketsVersion = MAKEWORD(2, 0);

// One start of the socket library, released when the look-up ends, whichever
// way it ends. The release is owed even when the start failed.
class SocketsSession {
 public:
  SocketsSession() : started_(WSAStartup(kSocketsVersion, &data_) == 0) {}
  ~SocketsSession() { WSACleanup(); }

  SocketsSession(const SocketsSession&) = delete;
  SocketsSession& operator=(const SocketsSession&) = delete;

  // Only the granted major version matters: 2.x speaks the calls used here.
  bool Usable() const { return started_ && LOBYTE(data_.wVersion) == 2; }

 private:
  WSADATA data_{};
  bool started_;
};

// The entry at `index` (1 is the first) of a list ended by a null pointer, or
// null when the list ends first. No entry has an index of 0 or less.
const char* EntryAt(char* const* list, int index) {
  for (int position = 1; *list != nullptr; ++list, ++position) {
    if (position == index) return *list;
  }
  return nullptr;
}

}  // namespace

NetworkAddress ResolveHostAddress(const Text& name, int index) {
  const SocketsSession session;
  if (!session.Usable()) return 0;

  // The answer lives in the socket library's own storage until the session
  // ends, so the bytes are copied out before that.
  const hostent* host = gethostbyname(name.c_str());
  if (host == nullptr || host->h_addr_list == nullptr) return 0;
  const char* address = EntryAt(host->h_addr_list, index);
  if (address == nullptr) return 0;

  NetworkAddress result;
  std::memcpy(&result, address, sizeof result);
  return result;
}

}  // namespace morvik
