// Host look-up through getaddrinfo, for the native builds: IPv4 answers only,
// in the order the resolver gives them.

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <cstring>
#include <memory>

#include "support/host_resolver.h"

namespace morvik {
namespace {

struct AddressListRelease {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListRelease>;

// The resolver's IPv4 answer for `name`, empty on any failure.
AddressList LookUp(const Text& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  // Without a socket type every address comes back once per type (stream,
  // datagram, raw), which would shift the index.
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &list) != 0) return nullptr;
  return AddressList(list);
}

}  // namespace

NetworkAddress ResolveHostAddress(const Text& name, int index) {
  // No entry has an index of 0 or less: the resolver need not be asked.
  if (index <= 0) return 0;

  const AddressList list = LookUp(name);
  int position = 1;
  for (const addrinfo* entry = list.get(); entry != nullptr; entry = entry->ai_next, ++position) {
    if (position != index) continue;
    sockaddr_in address;
    std::memcpy(&address, entry->ai_addr, sizeof address);
    NetworkAddress result;
    std::memcpy(&result, &address.sin_addr, sizeof result);  // already in network order
    return result;
  }
  return 0;
}

}  // namespace morvik
