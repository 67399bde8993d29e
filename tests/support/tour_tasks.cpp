// ferrolin-tour-tasks TOUR_FOLDER: the task files a tour needs that neither the pack nor
// the editor can make: a crowd of 40 characters, a task naming a picture this program
// lacks, a file that is not a task, and more task files than the catalogue lists, all in
// the data folder.
#include <cstdio>
#include <fstream>
#include <string>

#include "model/task_file.hpp"

namespace {

void save(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

model::CharacterData character(const std::string& picture, int lx, int ly, int rx, int ry) {
    model::CharacterData c;
    c.name = "textures/unit_" + picture + ".tga";
    c.leftX = lx;
    c.leftY = ly;
    c.rightX = rx;
    c.rightY = ry;
    return c;
}

// Windows-1251 for the few Cyrillic letters the titles use.
std::string cp1251(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
        out += static_cast<char>(cp == 0x401 ? 0xA8 : cp == 0x451 ? 0xB8 : cp - 0x410 + 0xC0);
    }
    return out;
}

void saveTask(const std::string& folder, const model::TaskData& task) {
    save(folder + "/" + model::taskFileName(task.title, 0), model::encodeTask(task, false));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ferrolin-tour-tasks TOUR_FOLDER\n");
        return 2;
    }
    // All in the pupil's data folder: the catalogue keeps those before the game's pack.
    const std::string data = std::string(argv[1]) + "/data";

    model::TaskData crowd;
    crowd.title = cp1251("Большая толпа");
    crowd.statement = cp1251("Сорок овец и волков. В лодке помещается один, и каждый умеет грести.");
    crowd.boat = 1;
    for (int i = 0; i < 40; ++i) {
        crowd.characters.push_back(character(i % 2 ? "sheep" : "wolf", 5 + (i % 4) * 55,
                                             40 + (i / 4) * 50, 760 + (i % 8) * 30, 30 + (i / 8) * 55));
    }
    saveTask(data, crowd);

    model::TaskData stranger;
    stranger.title = cp1251("Гость издалека");
    stranger.statement = cp1251("Дракона нарисовали на другом компьютере.");
    stranger.boat = 2 | model::kBoatmanFlag;
    stranger.characters = {character("dragon", 20, 60, 800, 50), character("goat", 100, 60, 880, 50)};
    saveTask(data, stranger);

    save(data + "/" + model::taskFileName(cp1251("Битый файл"), 0), {'n', 'o', 't'});
    save(std::string(argv[1]) + "/broken.sln", {'n', 'o', 't'});

    model::TaskData many = stranger;
    many.statement = cp1251("Одна из многих задач.");
    many.characters.resize(1);
    many.characters[0].name = "textures/unit_goat.tga";
    for (int i = 1; i <= 300; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", i);
        many.title = cp1251("Задача ") + number;
        saveTask(data, many);
    }
    return 0;
}
