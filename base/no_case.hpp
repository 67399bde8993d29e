// File names compared without the case of their Latin letters, so that "TASK.DAT" is a task
// like "task.dat" on every system; other bytes (Cyrillic in UTF-8) compare as they are.
#pragma once

#include <cstddef>
#include <string>

namespace base {

inline char lowerLatin(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool endsWithNoCase(const std::string& s, const std::string& tail) {
    if (tail.size() > s.size()) return false;
    const size_t start = s.size() - tail.size();
    for (size_t i = 0; i < tail.size(); ++i) {
        if (lowerLatin(s[start + i]) != lowerLatin(tail[i])) return false;
    }
    return true;
}

inline bool startsWithNoCase(const std::string& s, const std::string& head) {
    if (head.size() > s.size()) return false;
    for (size_t i = 0; i < head.size(); ++i) {
        if (lowerLatin(s[i]) != lowerLatin(head[i])) return false;
    }
    return true;
}

// Whether a listed name starts with prefix and ends with suffix, the two not overlapping.
inline bool nameMatchesNoCase(const std::string& name, const std::string& prefix,
                              const std::string& suffix) {
    return name.size() >= prefix.size() + suffix.size() && startsWithNoCase(name, prefix) &&
           endsWithNoCase(name, suffix);
}

}  // namespace base
