#include "platform/windows/wide_path.hpp"

#include <windows.h>

namespace platform::windows {

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string narrow(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr,
                                      0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring systemPath(const std::string& utf8) {
    std::wstring path = widen(utf8);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    if (path.rfind(L"\\\\?\\", 0) == 0) return path;
    // Made absolute (and "." and ".." resolved) first: the \\?\ form takes paths literally.
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need) return path;
    full.resize(got);
    // Folders are limited a little below MAX_PATH (room for an 8.3 name).
    if (full.size() < MAX_PATH - 12) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::string gamePath(std::wstring utf16) {
    if (utf16.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        utf16 = L"\\\\" + utf16.substr(8);
    } else if (utf16.rfind(L"\\\\?\\", 0) == 0) {
        utf16 = utf16.substr(4);
    }
    std::string path = narrow(utf16);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace platform::windows
