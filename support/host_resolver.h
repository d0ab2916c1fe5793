#pragma once
// The one host look-up the program makes.

#include <cstdint>
#include <cstring>

#include "support/text.h"

namespace morvik {

// Four address bytes as they lie in memory, in network order: the first byte
// is the first dotted component. 0 stands for "no address".
using NetworkAddress = std::uint32_t;

// The address as one number, the first byte most significant.
inline std::uint32_t AddressValue(NetworkAddress address) {
  unsigned char bytes[sizeof address];
  std::memcpy(bytes, &address, sizeof address);
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Something that turns a host name into its `index`-th IPv4 address (1 is the
// first, in the resolver's order), or 0 on any failure.
class HostResolver {
 public:
  virtual ~HostResolver() = default;
  virtual NetworkAddress Resolve(const Text& name, int index) const = 0;
};

// The platform's blocking look-up: Windows Sockets on Windows, getaddrinfo
// elsewhere. Every failure gives 0.
NetworkAddress ResolveHostAddress(const Text& name, int index);

// ResolveHostAddress behind the HostResolver interface.
const HostResolver& SystemResolver();

}  // namespace morvik
