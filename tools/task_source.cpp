#include "tools/task_source.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "base/cp1251.hpp"

namespace tools {

namespace {

using nlohmann::json;

constexpr std::array<const char*, 32> kPictures = {
    "farmer", "wolf",     "goat",  "cabbage", "man",      "woman",   "boy",    "girl",
    "oldman", "oldwoman", "guard", "prince",  "princess", "mage",    "troll",  "lion",
    "monkey", "dog",      "cat",   "mouse",   "rabbit",   "bear",    "carrot", "monk",
    "hunter", "knight",   "king",  "queen",   "fox",      "chicken", "grain",  "sheep",
};

struct NamedColour {
    const char* name;
    uint32_t argb;
};
constexpr std::array<NamedColour, 5> kColours = {{
    {"white", 0xFFFFFFFF},
    {"red", 0xFFF00000},
    {"yellow", 0xFFF0F000},
    {"green", 0xFF00F000},
    {"blue", 0xFF0000F0},
}};

constexpr const char* kPicturePrefix = "textures/unit_";
constexpr const char* kPictureSuffix = ".tga";
constexpr int kItemSize = 60;  // every character picture is 60 x 60

struct Rect {
    int x, y, w, h;
    bool contains(const Rect& r) const {
        return r.x >= x && r.y >= y && r.x + r.w <= x + w && r.y + r.h <= y + h;
    }
    bool overlaps(const Rect& r) const {
        return r.x < x + w && x < r.x + r.w && r.y < y + h && y < r.y + r.h;
    }
};
constexpr Rect kLeftBank{5, 40, 270, 400};
constexpr Rect kRightBank{770, 40, 240, 250};
constexpr Rect kLeftBoat{235, 300, 200, 80};
constexpr Rect kRightBoat{675, 130, 200, 80};

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

std::string cp1251Text(const json& source, const char* field, size_t maxBytes) {
    const std::string utf8 = source.at(field).get<std::string>();
    std::string text;
    for (const char c : utf8) {  // the game's edit box gives CR LF line breaks
        if (c == '\n') text += '\r';
        if (c != '\r') text += c;
    }
    const std::optional<std::string> converted = base::cp1251::fromUtf8Exact(text);
    if (!converted) fail(std::string(field) + ": a character outside Windows-1251");
    if (converted->size() > maxBytes) {
        fail(std::string(field) + ": " + std::to_string(converted->size()) + " bytes, at most " +
             std::to_string(maxBytes));
    }
    return *converted;
}

std::array<int, 2> point(const json& value, const std::string& where) {
    if (!value.is_array() || value.size() != 2) fail(where + ": expected [x, y]");
    return {value[0].get<int>(), value[1].get<int>()};
}

model::CharacterData characterFromJson(const json& source, size_t index) {
    const std::string where = "characters[" + std::to_string(index) + "]";
    model::CharacterData c;
    const std::string picture = source.at("picture").get<std::string>();
    if (std::find_if(kPictures.begin(), kPictures.end(), [&](const char* p) { return picture == p; }) ==
        kPictures.end()) {
        fail(where + ": unknown picture \"" + picture + "\"");
    }
    c.name = kPicturePrefix + picture + kPictureSuffix;
    c.weight = source.value("weight", 1);
    const std::string colour = source.value("colour", std::string("white"));
    const auto named = std::find_if(kColours.begin(), kColours.end(),
                                    [&](const NamedColour& n) { return colour == n.name; });
    if (named == kColours.end()) fail(where + ": unknown colour \"" + colour + "\"");
    c.colour = named->argb;
    const auto left = point(source.at("left"), where + ".left");
    const auto right = point(source.at("right"), where + ".right");
    c.leftX = left[0];
    c.leftY = left[1];
    c.rightX = right[0];
    c.rightY = right[1];
    return c;
}

model::RuleData ruleFromJson(const json& source, size_t index, int characters) {
    const std::string where = "rules[" + std::to_string(index) + "]";
    model::RuleData r;
    const std::string kind = source.at("kind").get<std::string>();
    if (kind == "together") {
        r.kind = model::ForbidTogether;
    } else if (kind == "more") {
        r.kind = model::MoreThan;
    } else if (kind == "notless") {
        r.kind = model::NotLessThan;
    } else {
        fail(where + ": unknown kind \"" + kind + "\"");
    }
    r.first = source.at("first").get<int>();
    r.second = source.at("second").get<int>();
    r.third = source.value("third", -1);
    const auto inRange = [&](int i) { return i >= 0 && i < characters; };
    if (!inRange(r.first) || !inRange(r.second) || r.first == r.second) {
        fail(where + ": first and second must be two different characters");
    }
    if (r.third != -1 && (r.kind != model::ForbidTogether || !inRange(r.third))) {
        fail(where + ": third must be a character of a \"together\" rule, or absent");
    }
    return r;
}

}  // namespace

TaskSource taskFromJson(const json& source) {
    TaskSource result;
    model::TaskData& task = result.task;
    try {
        task.title = cp1251Text(source, "title", model::kTitleBytes - 1);
        task.statement = cp1251Text(source, "statement", model::kStatementBytes - 1);
        const int capacity = source.at("capacity").get<int>();
        if (capacity < 0 || capacity > static_cast<int>(model::kCapacityMask))
            fail("capacity: 0 to 65535");
        task.boat = static_cast<uint32_t>(capacity);
        if (source.value("boatman", false)) task.boat |= model::kBoatmanFlag;

        const json& characters = source.at("characters");
        if (characters.size() > static_cast<size_t>(model::kMaxCharacters)) fail("too many characters");
        for (size_t i = 0; i < characters.size(); ++i) {
            task.characters.push_back(characterFromJson(characters[i], i));
        }
        const json& rules = source.value("rules", json::array());
        if (rules.size() > static_cast<size_t>(model::kMaxRules)) fail("too many rules");
        for (size_t i = 0; i < rules.size(); ++i) {
            task.rules.push_back(ruleFromJson(rules[i], i, static_cast<int>(task.characters.size())));
        }
        result.crossings = source.at("crossings").get<int>();
        for (const json& former : source.value("formerly", json::array())) {
            const std::optional<std::string> title =
                base::cp1251::fromUtf8Exact(former.get<std::string>());
            if (!title || title->empty() || title->size() > model::kTitleBytes - 1) {
                fail("formerly: a title of at most 127 Windows-1251 bytes");
            }
            result.formerTitles.push_back(*title);
        }
    } catch (const json::exception& e) {
        fail(e.what());
    }
    return result;
}

TaskSource loadTaskSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(path + ": cannot be read");
    try {
        return taskFromJson(json::parse(in));
    } catch (const std::exception& e) {
        fail(path + ": " + e.what());
    }
}

std::vector<std::string> layoutProblems(const model::TaskData& task) {
    std::vector<std::string> problems;
    const size_t n = task.characters.size();
    const auto at = [](int x, int y) { return Rect{x, y, kItemSize, kItemSize}; };
    for (size_t i = 0; i < n; ++i) {
        const model::CharacterData& c = task.characters[i];
        const std::string who = "character " + std::to_string(i) + " (" + shortPictureName(c.name) + ")";
        const Rect left = at(c.leftX, c.leftY);
        const Rect right = at(c.rightX, c.rightY);
        if (!kLeftBank.contains(left)) problems.push_back(who + ": start place outside the left bank");
        if (!kRightBank.contains(right)) problems.push_back(who + ": goal place outside the right bank");
        if (left.overlaps(kLeftBoat)) problems.push_back(who + ": start place over the boat");
        if (right.overlaps(kRightBoat)) problems.push_back(who + ": goal place over the boat");
        if (c.leftX == c.rightX && c.leftY == c.rightY)
            problems.push_back(who + ": goal place equals start place");
        for (size_t j = i + 1; j < n; ++j) {
            const model::CharacterData& d = task.characters[j];
            if (left.overlaps(at(d.leftX, d.leftY))) {
                problems.push_back(who + ": start place overlaps character " + std::to_string(j));
            }
            if (right.overlaps(at(d.rightX, d.rightY))) {
                problems.push_back(who + ": goal place overlaps character " + std::to_string(j));
            }
        }
    }
    return problems;
}

std::string shortPictureName(const std::string& name) {
    std::string result = name;
    const std::string prefix = kPicturePrefix;
    const std::string suffix = kPictureSuffix;
    if (result.starts_with(prefix)) result.erase(0, prefix.size());
    if (result.ends_with(suffix)) result.erase(result.size() - suffix.size());
    return result;
}

std::string colourName(uint32_t colour) {
    for (const NamedColour& n : kColours) {
        if (n.argb == colour) return n.name;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "#%08X", static_cast<unsigned>(colour));
    return hex;
}

}  // namespace tools
