#include "app/own_pictures.hpp"

#include <cstdio>

#include "platform/system.hpp"
#include "ui/cp1251.hpp"
#include "ui/resources.hpp"

namespace app {

using namespace ui;

const std::vector<std::string>& ownPictures() {
    static const std::vector<std::string> pictures = [] {
        std::vector<std::string> paths;
        for (const char* name : {"arrow_left",
                                 "arrow_left_small",
                                 "arrow_right",
                                 "arrow_right_small",
                                 "background",
                                 "badges",
                                 "badges_small",
                                 "boat",
                                 "boat_small",
                                 "boatman",
                                 "btn_close",
                                 "btn_close_hover",
                                 "btn_hint",
                                 "btn_menu",
                                 "btn_menu_hover",
                                 "btn_next",
                                 "check_mark",
                                 "checkbox",
                                 "checkbox_hover",
                                 "list_downarrow",
                                 "list_downarrow_hover",
                                 "list_uparrow",
                                 "list_uparrow_hover",
                                 "mainmenu",
                                 "missing_unit",
                                 "missing_unit_small",
                                 "signs",
                                 "spin",
                                 "winner",
                                 "winner_plaque",
                                 "woodpanel"}) {
            paths.push_back(std::string("textures/") + name + ".tga");
        }
        return paths;
    }();
    return pictures;
}

std::vector<std::string> brokenOwnPictures() {
    std::vector<std::string> broken;
    for (const std::string& path : ownPictures()) {
        if (!loadTexture(path, nullptr, nullptr)) broken.push_back(path);
    }
    return broken;
}

bool reportBrokenOwnPictures() {
    const std::vector<std::string> broken = brokenOwnPictures();
    if (broken.empty()) return true;
    std::string text = "Эти картинки игры пропали или испорчены:"_cp;
    for (const std::string& path : broken) {
        std::fprintf(stderr, "ferrolin: cannot load %s (missing or damaged)\n", path.c_str());
        text += "\n" + path;
    }
    text += "\n\n"_cp;
    text += "Игра продолжит работу без них. Чтобы всё исправить, установите игру заново."_cp;
    platform::showErrorBox("Повреждены файлы игры"_cp, text.c_str());
    return false;
}

}  // namespace app
