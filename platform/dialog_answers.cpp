// What every build's file chooser shares: the answers tests and scripts queue in place of a
// person, the dialog asked last, and the default extension a typed name gets.
#include <deque>
#include <optional>
#include <string>

#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {
namespace {

std::deque<std::optional<std::string>>& answers() {
    static std::deque<std::optional<std::string>> queued;
    return queued;
}

FileDialog& lastDialog() {
    static FileDialog dialog;
    return dialog;
}

}  // namespace

std::string withDefaultExtension(const std::string& path, const FileDialog& d) {
    if (!d.save || d.defaultExtension.empty()) return path;
#ifdef _WIN32
    const size_t slash = path.find_last_of("/\\");
#else
    const size_t slash = path.find_last_of('/');
#endif
    const size_t dot = path.find_last_of('.');
    // A leading dot names a hidden file, not its extension.
    if (dot != std::string::npos && (slash == std::string::npos ? dot > 0 : dot > slash + 1))
        return path;
    std::string ext = d.defaultExtension;
    if (ext.front() != '.') ext.insert(ext.begin(), '.');
    return path + ext;
}

void rememberFileDialog(const FileDialog& dialog) { lastDialog() = dialog; }

bool fileDialogAnswerQueued() { return !answers().empty(); }

std::optional<std::optional<std::string>> takeQueuedFileDialogAnswer(const FileDialog& dialog) {
    rememberFileDialog(dialog);
    if (answers().empty()) return std::nullopt;
    std::optional<std::string> answer = answers().front();
    answers().pop_front();
    if (answer) answer = withDefaultExtension(*answer, dialog);
    return answer;
}

void queueFileDialogAnswer(std::optional<std::string> answer) { answers().push_back(std::move(answer)); }

void clearFileDialogAnswers() { answers().clear(); }

const FileDialog& lastFileDialog() { return lastDialog(); }

}  // namespace platform
