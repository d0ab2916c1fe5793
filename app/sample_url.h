#pragma once
// The URL the window starts with. It shows every disguise the window undoes:
// the scheme, a decoy host with a decoy "&item=" parameter before the "@",
// the real host 198.51.100.7 written as one decimal number, and the path
// "/index.htm" written entirely as percent-escapes.

#include <string_view>

namespace morvik {

inline constexpr char kSampleUrl[] =
    "http://www.mybank.example&item=account-check@3325256711"
    "%2F%69%6E%64%65%78%2E%68%74%6D";

static_assert(std::string_view(kSampleUrl).size() == 85, "the sample URL is 85 characters long");

}  // namespace morvik
