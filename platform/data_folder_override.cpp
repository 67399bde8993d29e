// The data folder tests and scripts set instead of this computer's, the same on every system.
#include <optional>
#include <string>
#include <utility>

#include "platform/files.hpp"
#include "platform/platform_internal.hpp"

namespace platform {
namespace {

std::optional<std::string>& dataOverride() {
    static std::optional<std::string> folder;
    return folder;
}

}  // namespace

std::optional<std::string> dataFolderOverride() { return dataOverride(); }

void setDataFolderOverride(std::optional<std::string> folder) { dataOverride() = std::move(folder); }

}  // namespace platform
