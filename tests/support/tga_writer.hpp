// Tiny pictures for tests: an uncompressed 32-bit TGA of one colour, rows top-first.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace test {

inline bool writeTga(const std::string& path, int width, int height, uint32_t argb = 0xFFFFFFFF) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;  // uncompressed true colour
    bytes[12] = static_cast<uint8_t>(width & 0xFF);
    bytes[13] = static_cast<uint8_t>(width >> 8);
    bytes[14] = static_cast<uint8_t>(height & 0xFF);
    bytes[15] = static_cast<uint8_t>(height >> 8);
    bytes[16] = 32;
    bytes[17] = 0x28;  // 8 alpha bits, top-left origin
    for (int i = 0; i < width * height; ++i) {
        bytes.push_back(static_cast<uint8_t>(argb));
        bytes.push_back(static_cast<uint8_t>(argb >> 8));
        bytes.push_back(static_cast<uint8_t>(argb >> 16));
        bytes.push_back(static_cast<uint8_t>(argb >> 24));
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace test
