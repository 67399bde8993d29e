// Pictures already made from a file's bytes, so that every item showing the same file
// shares one texture, and bytes that make no picture are not decoded again. Keyed by
// content rather than by name or time stamp: a file rewritten in place can never be
// shown as its old picture. Internal to platform/.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/types.hpp"

namespace platform {

class SharedPictures {
public:
    struct Known {
        TexturePtr texture;  // null: these bytes make no picture
        int width = 0;
        int height = 0;
    };

    // What these bytes gave before, while someone still holds the picture (or for good,
    // when they gave none).
    std::optional<Known> find(const std::vector<uint8_t>& file) const;
    void remember(const std::vector<uint8_t>& file, const TexturePtr& texture, int width, int height);

private:
    using Key = std::pair<size_t, size_t>;  // size and hash of the bytes
    struct Entry {
        std::weak_ptr<Texture> texture;
        int width = 0;
        int height = 0;
        bool broken = false;
    };
    static Key keyOf(const std::vector<uint8_t>& file);
    std::map<Key, Entry> entries_;
};

}  // namespace platform
