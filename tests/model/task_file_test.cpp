#include <gtest/gtest.h>

#include <cstdint>

#include <string>
#include <vector>

#include "model/task_file.hpp"
#include "model/task_key.hpp"

using namespace model;

namespace {

std::vector<uint8_t> bytesOf(std::initializer_list<int> values) {
    return std::vector<uint8_t>(values.begin(), values.end());
}

void appendU32(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void appendText(std::vector<uint8_t>& bytes, const std::string& text) {
    appendU32(bytes, static_cast<uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
}

std::vector<uint8_t> magic() {
    std::vector<uint8_t> bytes;
    appendText(bytes, "PA*GPFF*0.99*");
    return bytes;
}

// Magic, title, statement, boat, then whatever the test appends.
std::vector<uint8_t> header(const std::string& title = "t") {
    std::vector<uint8_t> bytes = magic();
    appendText(bytes, title);
    appendText(bytes, "");
    appendU32(bytes, 2);
    return bytes;
}

TaskData sampleTask() {
    TaskData task;
    task.title = "\xC2\xEE\xEB\xEA \xE8 \xEA\xEE\xE7\xE0";  // "Волк и коза" in Windows-1251
    task.statement = "\xCF\xE5\xF0\xE5\xE2\xE5\xE7\xE8.\r\n\xC2\xF1\xE5\xF5!";
    task.boat = 3 | kBoatmanFlag | 0xABC00000;
    task.characters = {
        {5, 40, 830, 40, 1, 0xFFFFFFFF, "textures/unit_wolf.tga"},
        {70, 40, 890, 40, 2, 0xFFF00000, "textures/unit_goat.tga"},
        {-3, 7, 950, 40, -4, 0x00000000, ""},
    };
    task.rules = {{0, 1, -1, ForbidTogether}, {1, 0, 2, MoreThan}, {-1, -1, -1, 9}};
    task.moves = {{0x1, 1}, {0x0, -1}, {0x6, 1}};
    return task;
}

void expectSameTask(const TaskData& a, const TaskData& b) {
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.statement, b.statement);
    EXPECT_EQ(a.boat, b.boat);
    ASSERT_EQ(a.characters.size(), b.characters.size());
    for (size_t i = 0; i < a.characters.size(); ++i) {
        const CharacterData& x = a.characters[i];
        const CharacterData& y = b.characters[i];
        EXPECT_EQ(std::tie(x.leftX, x.leftY, x.rightX, x.rightY, x.weight, x.colour, x.name),
                  std::tie(y.leftX, y.leftY, y.rightX, y.rightY, y.weight, y.colour, y.name))
            << i;
    }
    ASSERT_EQ(a.rules.size(), b.rules.size());
    for (size_t i = 0; i < a.rules.size(); ++i) {
        EXPECT_EQ(std::tie(a.rules[i].first, a.rules[i].second, a.rules[i].third, a.rules[i].kind),
                  std::tie(b.rules[i].first, b.rules[i].second, b.rules[i].third, b.rules[i].kind));
    }
    ASSERT_EQ(a.moves.size(), b.moves.size());
    for (size_t i = 0; i < a.moves.size(); ++i) {
        EXPECT_EQ(a.moves[i].mask, b.moves[i].mask);
        EXPECT_EQ(a.moves[i].direction, b.moves[i].direction);
    }
}

}  // namespace

TEST(TaskFile, SmallestTaskIsWrittenByteForByte) {
    TaskData task;
    task.title = "ab";
    task.boat = 2 | kBoatmanFlag;
    const std::vector<uint8_t> expected = bytesOf({
        0x0D, 0x00, 0x00, 0x00, 0x50, 0x41, 0x2A, 0x47, 0x50, 0x46, 0x46, 0x2A, 0x30,
        0x2E, 0x39, 0x39, 0x2A, 0x02, 0x00, 0x00, 0x00, 0x61, 0x62, 0x00, 0x00, 0x00,
        0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    });
    EXPECT_EQ(encodeTask(task, false), expected);

    const std::optional<TaskData> back = decodeTask(expected);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, "ab");
    EXPECT_EQ(back->capacity(), 2);
    EXPECT_TRUE(back->hasBoatman());
    EXPECT_TRUE(back->moves.empty());  // a task file reads as a solution without moves
}

TEST(TaskFile, RoundTripKeepsEverything) {
    const TaskData task = sampleTask();
    for (const bool withMoves : {false, true}) {
        const std::optional<TaskData> back = decodeTask(encodeTask(task, withMoves));
        ASSERT_TRUE(back);
        TaskData expected = task;
        if (!withMoves) expected.moves.clear();
        expectSameTask(*back, expected);
    }
}

// A goal at y = INT_MAX once overflowed the sums that move a character there.
TEST(TaskFile, PlacesFarOffTheScreenAreHeldWithinBounds) {
    TaskData task = sampleTask();
    task.characters[0].leftX = INT32_MIN;
    task.characters[0].leftY = -kPlaceLimit - 1;
    task.characters[0].rightX = kPlaceLimit;
    task.characters[0].rightY = INT32_MAX;
    std::optional<TaskData> back = decodeTask(encodeTask(task, true));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->characters[0].leftX, -kPlaceLimit);
    EXPECT_EQ(back->characters[0].leftY, -kPlaceLimit);
    EXPECT_EQ(back->characters[0].rightX, kPlaceLimit);
    EXPECT_EQ(back->characters[0].rightY, kPlaceLimit);
    // Everything else, and every sane place, comes back as it was written.
    task.characters[0] = sampleTask().characters[0];
    back->characters[0] = task.characters[0];
    expectSameTask(*back, task);
}

TEST(TaskFile, WriterNeverProducesWhatTheReaderRefuses) {
    TaskData task;
    task.title = std::string(200, 'x');
    task.characters.resize(130);
    task.rules.resize(300);
    task.moves.resize(300);
    const std::vector<uint8_t> bytes = encodeTask(task, true);
    // The title's length field itself, right after the 17 bytes of the magic.
    EXPECT_EQ(bytes[17] | bytes[18] << 8 | bytes[19] << 16 | bytes[20] << 24, 127);
    const std::optional<TaskData> back = decodeTask(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title.size(), 127u);
    EXPECT_EQ(back->characters.size(), 128u);
    EXPECT_EQ(back->rules.size(), 256u);
    EXPECT_EQ(back->moves.size(), 256u);
}

TEST(TaskFile, ASolutionFitsWithPassengersUpTo31AndUpTo256Moves) {
    TaskData task;
    task.characters.resize(40);
    PassengerSet last;
    last.set(31);
    task.moves = {{1, 1}, {last, -1}};
    ASSERT_TRUE(solutionFits(task));
    const std::optional<TaskData> back = decodeTask(encodeTask(task, true));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->moves[1].mask, last);

    task.moves[1].mask.set(32);
    EXPECT_FALSE(solutionFits(task));
    task.moves[1].mask = last;
    task.moves.resize(256);
    EXPECT_TRUE(solutionFits(task));
    task.moves.resize(257);
    EXPECT_FALSE(solutionFits(task));
}

TEST(TaskFile, WrongMagicIsRefused) {
    EXPECT_FALSE(decodeTask({}));
    std::vector<uint8_t> bytes;
    appendText(bytes, "PA*GPFF*0.98*");
    EXPECT_FALSE(decodeTask(bytes));
    bytes.clear();
    appendText(bytes, "PA*GPFF*0.99*x");
    EXPECT_FALSE(decodeTask(bytes));
    bytes = magic();
    bytes.resize(bytes.size() - 1);  // the magic itself cut short
    EXPECT_FALSE(decodeTask(bytes));
    bytes.clear();
    appendU32(bytes, 0xFFFFFFFF);
    EXPECT_FALSE(decodeTask(bytes));
}

// A damaged solution must not pass for a good one: only the end of the rules (a task
// file) and the end of the moves (a solution) are ends a file may have.
TEST(TaskFile, AFileCutAnywhereElseIsRefused) {
    const std::vector<uint8_t> full = encodeTask(sampleTask(), true);
    const size_t taskEnd = encodeTask(sampleTask(), false).size();
    for (size_t length = 0; length < full.size(); ++length) {
        const bool read =
            decodeTask(std::vector<uint8_t>(full.begin(), full.begin() + length)).has_value();
        EXPECT_EQ(read, length == taskEnd) << length;
    }
    // Bytes after the last move change nothing.
    std::vector<uint8_t> longer = full;
    longer.push_back(0x55);
    const std::optional<TaskData> back = decodeTask(longer);
    ASSERT_TRUE(back);
    expectSameTask(*back, sampleTask());
}

TEST(TaskFile, ALengthOrCountPastTheEndIsRefused) {
    std::vector<uint8_t> title = magic();
    appendU32(title, 0xFFFFFFF0);  // a title of almost 4 GB, with 3 bytes present
    title.insert(title.end(), {'x', 'y', 'z'});
    EXPECT_FALSE(decodeTask(title));

    std::vector<uint8_t> name = header();
    appendU32(name, 1);
    for (int v : {5, 40, 830, 40, 1, 0}) appendU32(name, static_cast<uint32_t>(v));
    appendU32(name, 1000);  // the picture name's length
    appendText(name, "textures/unit_wolf.tga");
    appendU32(name, 0);
    EXPECT_FALSE(decodeTask(name));

    std::vector<uint8_t> rules = header();
    appendU32(rules, 0);
    appendU32(rules, 3);  // three rules, two present
    for (int i = 0; i < 8; ++i) appendU32(rules, 0);
    EXPECT_FALSE(decodeTask(rules));
}

TEST(TaskFile, OverlongStringsAreCutAndSkipped) {
    std::vector<uint8_t> bytes = magic();
    appendText(bytes, std::string(300, 'T'));
    appendText(bytes, std::string(2000, 'S'));
    appendU32(bytes, 1);
    appendU32(bytes, 1);  // one character
    for (int i = 0; i < 6; ++i) appendU32(bytes, 9);
    appendText(bytes, std::string(400, 'n'));
    appendU32(bytes, 0);  // no rules
    const std::optional<TaskData> task = decodeTask(bytes);
    ASSERT_TRUE(task);
    EXPECT_EQ(task->title, std::string(127, 'T'));
    EXPECT_EQ(task->statement, std::string(1023, 'S'));
    EXPECT_EQ(task->boat, 1u);  // the rest of the statement was not read as the boat word
    ASSERT_EQ(task->characters.size(), 1u);
    EXPECT_EQ(task->characters[0].name, std::string(255, 'n'));
    EXPECT_TRUE(task->rules.empty());
}

TEST(TaskFile, TextEndsAtItsFirstZero) {
    std::vector<uint8_t> bytes = header(std::string("ab\0cd", 5));
    appendU32(bytes, 0);  // no characters
    appendU32(bytes, 0);  // no rules
    const std::optional<TaskData> task = decodeTask(bytes);
    ASSERT_TRUE(task);
    EXPECT_EQ(task->title, "ab");
}

TEST(TaskFile, CountsOutOfBoundsAreRefused) {
    const auto withCounts = [](int32_t characters, int32_t rules, int32_t moves) {
        std::vector<uint8_t> bytes = header();
        appendU32(bytes, static_cast<uint32_t>(characters));
        for (int i = 0; i < characters && i < 200; ++i) {
            for (int f = 0; f < 7; ++f) appendU32(bytes, 0);
        }
        appendU32(bytes, static_cast<uint32_t>(rules));
        for (int i = 0; i < rules && i < 300; ++i) {
            for (int f = 0; f < 4; ++f) appendU32(bytes, 0);
        }
        appendU32(bytes, static_cast<uint32_t>(moves));
        for (int i = 0; i < moves && i < 300; ++i) {
            for (int f = 0; f < 2; ++f) appendU32(bytes, 0);
        }
        return decodeTask(bytes);
    };
    EXPECT_TRUE(withCounts(128, 256, 0));
    EXPECT_FALSE(withCounts(129, 0, 0));
    EXPECT_FALSE(withCounts(-1, 0, 0));
    EXPECT_FALSE(withCounts(0x7FFFFFFF, 0, 0));
    EXPECT_FALSE(withCounts(0, 257, 0));
    EXPECT_FALSE(withCounts(0, -1, 0));
    EXPECT_FALSE(withCounts(0, 0, -1));

    // Moves past 256 are dropped; a count the file does not hold is a damaged file.
    const std::optional<TaskData> many = withCounts(0, 0, 300);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->moves.size(), 256u);
    EXPECT_FALSE(withCounts(0, 0, 0x7FFFFFFF));
}

TEST(TaskFileName, TitleBytesInLowercaseHex) {
    EXPECT_EQ(taskFileName("ab", 0), "_6162.dat");
    EXPECT_EQ(taskFileName("ab", 1), "_6162 - 1.dat");
    EXPECT_EQ(taskFileName("ab", 99), "_6162 - 99.dat");
    EXPECT_EQ(taskFileName("", 0), "_.dat");
    EXPECT_EQ(taskFileStem("\xC2\xEE\xEB\xEA"), "_c2eeebea");
}

TEST(TaskFileName, DecodingAsTheCatalogueShowsIt) {
    EXPECT_EQ(decodeTaskFileName("_6162"), "ab");
    EXPECT_EQ(decodeTaskFileName("_C2EEebEA"), "\xC2\xEE\xEB\xEA");
    EXPECT_EQ(decodeTaskFileName("_6162 - 1"), "ab");  // stops at the space
    EXPECT_EQ(decodeTaskFileName("_61626"), "ab");     // a single last digit is dropped
    EXPECT_EQ(decodeTaskFileName("_"), "");
    EXPECT_EQ(decodeTaskFileName("plain name"), "plain name");
    EXPECT_EQ(decodeTaskFileName(""), "");
    EXPECT_EQ(decodeTaskFileName("_6z7g"), std::string("\x60\x70"));  // other digits count 0
    EXPECT_EQ(decodeTaskFileName("_61\xC0"
                                 "162"),
              "a");                                 // a byte of 0x80 and above stops it
    EXPECT_EQ(decodeTaskFileName("_610062"), "a");  // a zero byte ends the text
    const std::string title = "\xC7\xE0\xE4\xE0\xF7\xE0 \xB9 1";
    EXPECT_EQ(decodeTaskFileName(taskFileStem(title)), title);
}

TEST(TaskKey, FollowsTheTaskPartOnly) {
    TaskData task;
    task.title = "Wolf";
    task.boat = 2;
    task.characters.push_back(CharacterData{10, 20, 800, 20, 1, 0xFFFFFFFF, "textures/unit_wolf.tga"});
    const uint64_t key = taskKey(task);

    TaskData solved = task;
    solved.moves.push_back({1, 1});
    EXPECT_EQ(taskKey(solved), key);

    TaskData heavier = task;
    heavier.characters[0].weight = 2;
    EXPECT_NE(taskKey(heavier), key);
    TaskData renamed = task;
    renamed.title = "Wolf 2";
    EXPECT_NE(taskKey(renamed), key);
}
