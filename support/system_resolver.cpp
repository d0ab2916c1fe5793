// The resolver the program uses outside of tests: the platform look-up as it
// stands, so callers can be handed a fake instead.

#include "support/host_resolver.h"

namespace morvik {
namespace {

class PlatformResolver final : public HostResolver {
 public:
  NetworkAddress Resolve(const Text& name, int index) const override {
    return ResolveHostAddress(name, index);
  }
};

}  // namespace

const HostResolver& SystemResolver() {
  static const PlatformResolver resolver;
  return resolver;
}

}  // namespace morvik
