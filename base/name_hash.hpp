// The hash of a picture file name that, together with the tint, tells two characters
// apart as kinds. Header-only so that the plain puzzle logic and the tools share it.
#pragma once

#include <cstdint>

namespace base {

constexpr uint32_t nameHash(const char* path) {
    if (path == nullptr) return 0;
    int length = 0;
    while (path[length] != '\0') ++length;
    uint32_t h = 0;
    for (int i = length - 1; i >= 0; --i) {
        const uint32_t c =
            static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(path[i])));
        h = ((c << (i % 32)) + h) ^ (c * static_cast<uint32_t>(i));
    }
    return h;
}

}  // namespace base
