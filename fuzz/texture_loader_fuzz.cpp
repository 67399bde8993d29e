// Any bytes in place of a picture file: the loader must refuse or decode them without a
// fault, and a picture it accepts must have the size its header states and draw safely.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/graphics.hpp"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "texture loader invariant broken: %s\n", what);
    std::abort();
}

platform::Graphics& surface() {
    static std::unique_ptr<platform::Graphics> graphics = platform::Graphics::createHeadless();
    require(graphics != nullptr, "headless surface");
    return *graphics;
}

unsigned word(const uint8_t* data, size_t at) { return data[at] | (data[at + 1] << 8); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> file(data, data + size);
    int width = -1;
    int height = -1;
    const platform::TexturePtr texture = surface().loadTextureFromMemory(file, &width, &height);
    if (!texture) {
        require(width == -1 && height == -1, "a refused picture leaves the sizes alone");
        return 0;
    }
    require(size >= 18, "accepted pictures have a whole header");
    require(width == static_cast<int>(word(data, 12)) && height == static_cast<int>(word(data, 14)),
            "size as the header states");
    require(platform::textureWidth(*texture) == width && platform::textureHeight(*texture) == height,
            "texture knows its size");
    // Whole, clipped and partly off-screen, as the items draw their pictures.
    surface().drawTexture(*texture, 0, 0, nullptr, 0xFFFFFFFF);
    const platform::Rect part{width / 2, height / 2, width + 5, height + 5};
    surface().drawTexture(*texture, -3, 760, &part, 0x80FF8040);
    return 0;
}
