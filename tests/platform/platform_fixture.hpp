// Helpers shared by the platform tests: a fresh headless surface, a scratch folder and
// a TGA writer that can produce every variant the loader must read.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/graphics.hpp"

namespace ptest {

class TempFolder {
public:
    TempFolder() {
        const auto base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto folder = base / ("ferrolin-platform-" + std::to_string(random()));
            std::error_code ec;
            if (std::filesystem::create_directory(folder, ec)) path_ = folder.generic_string();
        }
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct TgaOptions {
    int bits = 32;  // 24 or 32
    bool rle = false;
    bool topDown = true;
    bool rightToLeft = false;
    bool alphaBits = true;  // 32-bit: whether the descriptor announces 8 alpha bits
};

// pixels: ARGB, rows top first.
inline std::vector<uint8_t> encodeTga(int width, int height, const std::vector<uint32_t>& pixels,
                                      const TgaOptions& o) {
    std::vector<uint8_t> out(18, 0);
    out[2] = o.rle ? 10 : 2;
    out[12] = static_cast<uint8_t>(width);
    out[13] = static_cast<uint8_t>(width >> 8);
    out[14] = static_cast<uint8_t>(height);
    out[15] = static_cast<uint8_t>(height >> 8);
    out[16] = static_cast<uint8_t>(o.bits);
    out[17] = static_cast<uint8_t>((o.topDown ? 0x20 : 0) | (o.rightToLeft ? 0x10 : 0) |
                                   (o.bits == 32 && o.alphaBits ? 8 : 0));
    std::vector<uint32_t> order;
    for (int r = 0; r < height; ++r) {
        const int row = o.topDown ? r : height - 1 - r;
        for (int c = 0; c < width; ++c) {
            const int col = o.rightToLeft ? width - 1 - c : c;
            order.push_back(pixels[static_cast<size_t>(row * width + col)]);
        }
    }
    auto put = [&](uint32_t p) {
        out.push_back(static_cast<uint8_t>(p));
        out.push_back(static_cast<uint8_t>(p >> 8));
        out.push_back(static_cast<uint8_t>(p >> 16));
        if (o.bits == 32) out.push_back(static_cast<uint8_t>(p >> 24));
    };
    if (!o.rle) {
        for (uint32_t p : order) put(p);
        return out;
    }
    // Runs of equal pixels become run packets, the rest raw packets; packets may
    // cross rows, as many writers do.
    size_t i = 0;
    while (i < order.size()) {
        size_t run = 1;
        while (i + run < order.size() && run < 128 && order[i + run] == order[i]) ++run;
        if (run > 1) {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            put(order[i]);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < order.size() && raw < 128 &&
               (i + raw + 1 >= order.size() || order[i + raw] != order[i + raw + 1])) {
            ++raw;
        }
        out.push_back(static_cast<uint8_t>(raw - 1));
        for (size_t k = 0; k < raw; ++k) put(order[i + k]);
        i += raw;
    }
    return out;
}

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        g = platform::Graphics::createHeadless();
        ASSERT_TRUE(g);
        g->clear(0);
    }
    std::unique_ptr<platform::Graphics> g;
};

}  // namespace ptest
