#include "platform/shared_pictures.hpp"

#include <functional>
#include <string_view>

namespace platform {

SharedPictures::Key SharedPictures::keyOf(const std::vector<uint8_t>& file) {
    const std::string_view bytes(reinterpret_cast<const char*>(file.data()), file.size());
    return {file.size(), std::hash<std::string_view>{}(bytes)};
}

std::optional<SharedPictures::Known> SharedPictures::find(const std::vector<uint8_t>& file) const {
    const auto found = entries_.find(keyOf(file));
    if (found == entries_.end()) return std::nullopt;
    const Entry& entry = found->second;
    if (entry.broken) return Known{};
    TexturePtr texture = entry.texture.lock();
    if (!texture) return std::nullopt;
    return Known{std::move(texture), entry.width, entry.height};
}

void SharedPictures::remember(const std::vector<uint8_t>& file, const TexturePtr& texture, int width,
                              int height) {
    // Pictures nobody holds any more are gone; their entries go with them.
    std::erase_if(entries_,
                  [](const auto& item) { return !item.second.broken && item.second.texture.expired(); });
    entries_[keyOf(file)] = Entry{texture, width, height, texture == nullptr};
}

}  // namespace platform
