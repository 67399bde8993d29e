// Linked into the console programs: they print UTF-8 (Russian titles, Cyrillic paths), so
// the console is switched to UTF-8 for the run and given back its code page at the end.
// Output into a file or a pipe is the same UTF-8 as on Linux.
#include <windows.h>

namespace {

struct Utf8Console {
    UINT previous = GetConsoleOutputCP();
    Utf8Console() {
        if (previous != 0) SetConsoleOutputCP(CP_UTF8);
    }
    ~Utf8Console() {
        if (previous != 0) SetConsoleOutputCP(previous);
    }
};

const Utf8Console console;

}  // namespace
