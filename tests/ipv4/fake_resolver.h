#pragma once
// A resolver that knows one name and records every name it is asked for.

#include <cstring>
#include <vector>

#include "support/host_resolver.h"

namespace morvik::testing {

class FakeResolver : public HostResolver {
 public:
  NetworkAddress Resolve(const Text& name, int index) const override {
    asked_.push_back(name);
    if (name != "SERVER1.EXAMPLE.TEST" || index != 1) return 0;
    const unsigned char bytes[] = {10, 0, 0, 5};  // network order, as a resolver hands it over
    NetworkAddress address;
    std::memcpy(&address, bytes, sizeof address);
    return address;
  }

  const std::vector<Text>& asked() const { return asked_; }

 private:
  mutable std::vector<Text> asked_;
};

}  // namespace morvik::testing
