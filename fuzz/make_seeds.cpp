// Writes small hand-made starting inputs for the fuzzers, one of every picture layout the
// loader reads and a few task and solution files, so that every branch of the readers
// is reached from the first second. The built task pack and textures are added beside.
//   fuzz-make-seeds TASK_FOLDER TEXTURE_FOLDER
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "model/task_file.hpp"

namespace {

using Bytes = std::vector<uint8_t>;

bool save(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// ---- pictures --------------------------------------------------------------------

struct Tga {
    uint8_t type = 2;
    uint8_t bits = 32;
    uint8_t descriptor = 0x28;  // 8 attribute bits, top-left origin
    int width = 3;
    int height = 2;
    Bytes id;
    uint8_t mapBits = 0;  // colour-mapped pictures only
    Bytes map;
    Bytes pixels;

    Bytes bytes() const {
        Bytes out(18, 0);
        out[0] = static_cast<uint8_t>(id.size());
        out[1] = mapBits != 0 ? 1 : 0;
        out[2] = type;
        if (mapBits != 0) {
            const size_t entries = map.size() / ((mapBits + 7) / 8);
            out[5] = static_cast<uint8_t>(entries);
            out[6] = static_cast<uint8_t>(entries >> 8);
            out[7] = mapBits;
        }
        out[12] = static_cast<uint8_t>(width);
        out[13] = static_cast<uint8_t>(width >> 8);
        out[14] = static_cast<uint8_t>(height);
        out[15] = static_cast<uint8_t>(height >> 8);
        out[16] = bits;
        out[17] = descriptor;
        out.insert(out.end(), id.begin(), id.end());
        out.insert(out.end(), map.begin(), map.end());
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};

// Six texels, one of them the transparent colour key (B, G, R[, A] byte order).
Bytes texels(int bytesPerPixel) {
    static const uint8_t bgra[6][4] = {{0x00, 0x40, 0x16, 0xFF}, {0x10, 0x20, 0x30, 0xFF},
                                       {0xFF, 0x00, 0x00, 0x80}, {0x00, 0xFF, 0x00, 0x00},
                                       {0x00, 0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF, 0x40}};
    Bytes out;
    for (const auto& texel : bgra) out.insert(out.end(), texel, texel + bytesPerPixel);
    return out;
}

void writePictures(const std::string& folder) {
    Tga plain;  // 32-bit with alpha, rows top-first
    plain.pixels = texels(4);
    save(folder + "/rgba32.tga", plain.bytes());

    Tga padded = plain;  // 32-bit whose fourth byte is padding
    padded.descriptor = 0;
    save(folder + "/rgbx32_bottom_up.tga", padded.bytes());

    Tga mirrored = plain;  // rows right to left, with an id field
    mirrored.descriptor = 0x38;
    mirrored.id = {'f', 'e', 'r'};
    save(folder + "/rgba32_right_to_left.tga", mirrored.bytes());

    Tga rgb;
    rgb.bits = 24;
    rgb.descriptor = 0;
    rgb.pixels = texels(3);
    save(folder + "/rgb24.tga", rgb.bytes());

    Tga high;  // 16-bit: one attribute bit
    high.bits = 16;
    high.descriptor = 0x21;
    high.pixels = {0x00, 0x7C, 0xE0, 0x83, 0x1F, 0x80, 0xFF, 0xFF, 0x00, 0x00, 0x10, 0x42};
    save(folder + "/rgb16.tga", high.bytes());
    high.bits = 15;
    high.descriptor = 0x20;
    save(folder + "/rgb15.tga", high.bytes());

    Tga rle;  // a run of three and a raw packet of three
    rle.type = 10;
    rle.pixels = {0x82, 0x00, 0x40, 0x16, 0xFF, 0x02};
    const Bytes raw = texels(4);
    rle.pixels.insert(rle.pixels.end(), raw.begin(), raw.begin() + 12);
    save(folder + "/rle32.tga", rle.bytes());
    Tga rle24;
    rle24.type = 10;
    rle24.bits = 24;
    rle24.descriptor = 0;
    rle24.pixels = {0x85, 0x10, 0x20, 0x30};
    save(folder + "/rle24_one_run.tga", rle24.bytes());

    Tga mapped;  // colour-mapped, 24-bit map of three entries
    mapped.type = 1;
    mapped.bits = 8;
    mapped.descriptor = 0x20;
    mapped.mapBits = 24;
    mapped.map = {0x00, 0x40, 0x16, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00};
    mapped.pixels = {0, 1, 2, 2, 1, 0};
    save(folder + "/mapped8.tga", mapped.bytes());
    Tga mappedRle = mapped;
    mappedRle.type = 9;
    mappedRle.pixels = {0x81, 0x02, 0x03, 0x00, 0x01, 0x02, 0x01};
    save(folder + "/mapped8_rle.tga", mappedRle.bytes());

    Tga grey;
    grey.type = 3;
    grey.bits = 8;
    grey.descriptor = 0;
    grey.pixels = {0x00, 0x40, 0x80, 0xC0, 0xFF, 0x16};
    save(folder + "/grey8.tga", grey.bytes());
    Tga greyRle = grey;
    greyRle.type = 11;
    greyRle.pixels = {0x85, 0x7F};
    save(folder + "/grey8_rle.tga", greyRle.bytes());
}

// ---- tasks and solutions ------------------------------------------------------------

model::CharacterData character(const char* name, int x, int y, int weight, uint32_t colour) {
    model::CharacterData c;
    c.name = name;
    c.leftX = x;
    c.leftY = y;
    c.rightX = 800 + x;
    c.rightY = y - 20;
    c.weight = weight;
    c.colour = colour;
    return c;
}

void writeTasks(const std::string& folder) {
    model::TaskData small;  // the shortest useful file: a title and a boat with a boatman
    small.title = "ab";
    small.boat = 2 | model::kBoatmanFlag;
    save(folder + "/title_only.dat", model::encodeTask(small, false));

    model::TaskData farm;
    farm.title = "\xc2\xee\xeb\xea, \xea\xee\xe7\xe0 \xe8 \xea\xe0\xef\xf3\xf1\xf2\xe0";
    farm.statement = "\xcf\xe5\xf0\xe5\xe2\xe5\xe7\xe8\xf2\xe5\r\n\xe2\xf1\xe5\xf5.";
    farm.boat = 2;
    farm.characters = {character("textures/unit_farmer.tga", 20, 60, 1, 0xFFFFFFFF),
                       character("textures/unit_wolf.tga", 100, 60, 1, 0xFFFFFFFF),
                       character("textures/unit_goat.tga", 20, 150, 1, 0xFFFFFFFF),
                       character("textures/unit_cabbage.tga", 100, 150, 1, 0xFFFFFFFF)};
    farm.rules = {{1, 2, 0, model::ForbidTogether}, {2, 3, 0, model::ForbidTogether}};
    save(folder + "/farm.dat", model::encodeTask(farm, false));
    farm.moves = {{0b0101, 1}, {0b0001, -1}, {0b0011, 1}};
    save(folder + "/farm_three_moves.sln", model::encodeTask(farm, true));

    model::TaskData counted;  // every rule kind, tinted kinds, a character past bit 31
    counted.title = "counted";
    counted.boat = 3 | model::kBoatmanFlag | 0x80000000u;
    for (int i = 0; i < 34; ++i) {
        counted.characters.push_back(character(i % 2 ? "textures/unit_a.tga" : "textures/unit_b.tga",
                                               10 * i, 50 + i, i % 3, 0xFF000000u | (i * 0x10101u)));
    }
    counted.rules = {{0, 1, -1, model::MoreThan},
                     {1, 0, -1, model::NotLessThan},
                     {2, 3, 4, model::ForbidTogether},
                     {33, -1, -1, 7}};
    counted.moves = {{0xFFFFFFFFu, 1}, {0, -1}, {1, 5}};
    save(folder + "/counted.sln", model::encodeTask(counted, true));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TASK_FOLDER TEXTURE_FOLDER\n", argv[0]);
        return 2;
    }
    writeTasks(argv[1]);
    writePictures(argv[2]);
    return 0;
}
