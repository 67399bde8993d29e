#include "model/task_file.hpp"

#include <algorithm>
#include <cstring>

namespace model {

namespace {

constexpr char kMagic[] = "PA*GPFF*0.99*";
constexpr size_t kMagicLength = sizeof(kMagic) - 1;

// The game keeps every text as a zero-terminated buffer: whatever follows a zero byte
// is never seen, so it is neither written nor kept.
std::string_view visiblePart(const std::string& text, size_t limit) {
    const size_t zero = text.find('\0');
    return std::string_view(text).substr(0, std::min({zero, text.size(), limit}));
}

class Writer {
public:
    // Little-endian, appended in one piece: after four single pushes GCC 12 loses track of
    // the buffer's size and warns of writes past it.
    void u32(uint32_t value) {
        const uint8_t little[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                                   static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
        bytes_.insert(bytes_.end(), little, little + 4);
    }
    void i32(int32_t value) { u32(static_cast<uint32_t>(value)); }
    void text(std::string_view value) {
        u32(static_cast<uint32_t>(value.size()));
        bytes_.insert(bytes_.end(), value.begin(), value.end());
    }
    std::vector<uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// A field the file does not hold in full marks the file as cut short: what such a file
// would read as is a guess, and a damaged solution must never pass for a good one.
class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

    uint32_t u32() {
        if (bytes_.size() - pos_ < 4) {
            pos_ = bytes_.size();
            cut_ = true;
            return 0;
        }
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i, ++pos_) value |= static_cast<uint32_t>(bytes_[pos_]) << (8 * i);
        return value;
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    // A place as far away as a file may claim would overflow the arithmetic that moves and
    // hit-tests items; one off the screen stays just as far off when held within bounds.
    int32_t place() { return std::clamp(i32(), -kPlaceLimit, kPlaceLimit); }

    // The length field is never trusted for allocation: a length past the end cuts the
    // file short; of the text the first `limit` bytes are kept and the others skipped.
    std::string text(size_t limit) {
        const uint32_t stated = u32();
        if (stated > bytes_.size() - pos_) {
            pos_ = bytes_.size();
            cut_ = true;
            return std::string();
        }
        const size_t kept = std::min<size_t>(stated, limit);
        std::string value(reinterpret_cast<const char*>(bytes_.data() + pos_), kept);
        pos_ += stated;
        value.resize(std::min(value.size(), value.find('\0')));
        return value;
    }

    // Whether `count` entries of `size` bytes each are still in the file.
    bool holds(size_t count, size_t size) const { return count <= (bytes_.size() - pos_) / size; }
    bool atEnd() const { return pos_ == bytes_.size(); }
    bool cut() const { return cut_; }

    // The magic is refused on its length alone before any of its bytes are read.
    bool magic() {
        const uint32_t length = u32();
        if (length != kMagicLength || bytes_.size() - pos_ < kMagicLength) return false;
        const bool same = std::memcmp(bytes_.data() + pos_, kMagic, kMagicLength) == 0;
        pos_ += kMagicLength;
        return same;
    }

private:
    const std::vector<uint8_t>& bytes_;
    size_t pos_ = 0;
    bool cut_ = false;
};

}  // namespace

std::vector<uint8_t> encodeTask(const TaskData& task, bool withMoves) {
    Writer out;
    out.text(kMagic);
    out.text(visiblePart(task.title, kTitleBytes - 1));
    out.text(visiblePart(task.statement, kStatementBytes - 1));
    out.u32(task.boat);

    // The tables of the game hold no more than these; a longer list could not be read back.
    const size_t characters = std::min<size_t>(task.characters.size(), kMaxCharacters);
    out.i32(static_cast<int32_t>(characters));
    for (size_t i = 0; i < characters; ++i) {
        const CharacterData& c = task.characters[i];
        out.i32(c.leftX);
        out.i32(c.leftY);
        out.i32(c.rightX);
        out.i32(c.rightY);
        out.i32(c.weight);
        out.u32(c.colour);
        out.text(visiblePart(c.name, kNameBytes));
    }

    const size_t rules = std::min<size_t>(task.rules.size(), kMaxRules);
    out.i32(static_cast<int32_t>(rules));
    for (size_t i = 0; i < rules; ++i) {
        const RuleData& r = task.rules[i];
        out.i32(r.first);
        out.i32(r.second);
        out.i32(r.third);
        out.i32(r.kind);
    }

    if (withMoves) {
        const size_t moves = std::min<size_t>(task.moves.size(), kMaxMoves);
        out.i32(static_cast<int32_t>(moves));
        for (size_t i = 0; i < moves; ++i) {
            const PassengerSet low = task.moves[i].mask & PassengerSet(0xFFFFFFFFu);
            out.u32(static_cast<uint32_t>(low.to_ulong()));
            out.i32(task.moves[i].direction);
        }
    }
    return out.take();
}

std::optional<TaskData> decodeTask(const std::vector<uint8_t>& bytes) {
    Reader in(bytes);
    if (!in.magic()) return std::nullopt;

    TaskData task;
    task.title = in.text(kTitleBytes - 1);
    task.statement = in.text(kStatementBytes - 1);
    task.boat = in.u32();

    const int32_t characters = in.i32();
    if (characters < 0 || characters > kMaxCharacters) return std::nullopt;
    task.characters.resize(static_cast<size_t>(characters));
    for (CharacterData& c : task.characters) {
        c.leftX = in.place();
        c.leftY = in.place();
        c.rightX = in.place();
        c.rightY = in.place();
        c.weight = in.i32();
        c.colour = in.u32();
        c.name = in.text(kNameBytes);
    }

    const int32_t rules = in.i32();
    if (rules < 0 || rules > kMaxRules || !in.holds(static_cast<size_t>(rules), 16)) return std::nullopt;
    task.rules.resize(static_cast<size_t>(rules));
    for (RuleData& r : task.rules) {
        r.first = in.i32();
        r.second = in.i32();
        r.third = in.i32();
        r.kind = in.i32();
    }
    if (in.cut()) return std::nullopt;
    // A task file ends here; a solution goes on with every one of its moves.
    if (in.atEnd()) return task;

    const int32_t moves = in.i32();
    if (moves < 0 || !in.holds(static_cast<size_t>(moves), 8)) return std::nullopt;
    task.moves.resize(static_cast<size_t>(std::min<int32_t>(moves, kMaxMoves)));
    for (MoveData& m : task.moves) {
        m.mask = PassengerSet(in.u32());
        m.direction = in.i32();
    }
    if (in.cut()) return std::nullopt;
    return task;
}

bool solutionFits(const TaskData& task) {
    if (task.moves.size() > static_cast<size_t>(kMaxMoves)) return false;
    for (const MoveData& move : task.moves) {
        if ((move.mask >> kFileMaskBits).any()) return false;
    }
    return true;
}

std::string taskFileStem(const std::string& title) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string stem = "_";
    for (const char c : title) {
        const auto byte = static_cast<unsigned char>(c);
        stem += kHex[byte >> 4];
        stem += kHex[byte & 0xF];
    }
    return stem;
}

std::string taskFileName(const std::string& title, int number) {
    std::string name = taskFileStem(title);
    if (number > 0) name += " - " + std::to_string(number);
    return name + ".dat";
}

std::string decodeTaskFileName(const std::string& stem) {
    if (stem.empty() || stem[0] != '_') return stem;
    // The catalogue builds the text in a 512-byte buffer with its terminating zero.
    constexpr size_t kLimit = 511;
    const auto digit = [](signed char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return 0;
    };
    std::string text;
    for (size_t i = 1; i + 1 < stem.size() && text.size() < kLimit; i += 2) {
        const auto high = static_cast<signed char>(stem[i]);
        const auto low = static_cast<signed char>(stem[i + 1]);
        if (high < '0' || low < '0') break;
        const auto byte = static_cast<char>((digit(high) << 4) | digit(low));
        // The text is shown as a zero-terminated string: a zero byte ends it.
        if (byte == '\0') break;
        text += byte;
    }
    return text;
}

}  // namespace model
