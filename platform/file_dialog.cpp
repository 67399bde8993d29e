// Open and save dialogs: the desktop's GTK file chooser, or scripted answers when headless.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <clocale>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "base/cp1251.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"

namespace platform {

using base::cp1251::toUtf8;

namespace {

bool gtkReady() {
    static const bool ok = [] {
        // GTK would otherwise switch the whole process to the user's locale, and number
        // formatting elsewhere in the program would change with it. Only the language
        // of the chooser's own labels follows the desktop.
        gtk_disable_setlocale();
        std::setlocale(LC_MESSAGES, "");
        return gtk_init_check(nullptr, nullptr) != FALSE;
    }();
    return ok;
}

void drainGtkEvents() {
    while (gtk_events_pending()) gtk_main_iteration();
}

void addFilters(GtkFileChooser* chooser, const FileDialog& d) {
    for (const auto& [label, patterns] : d.filters) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, toUtf8(label).c_str());
        std::stringstream list(patterns);
        std::string pattern;
        while (std::getline(list, pattern, ';')) {
            if (!pattern.empty()) gtk_file_filter_add_pattern(filter, pattern.c_str());
        }
        gtk_file_chooser_add_filter(chooser, filter);
    }
}

// Where the last accepted dialog was; a dialog without a starting path opens there (or
// in the current folder), not in the desktop's list of recent files.
std::string& lastFolder() {
    static std::string folder;
    return folder;
}

void startAt(GtkFileChooser* chooser, const FileDialog& d) {
    std::string initial = d.initialPath;
    if (initial.empty()) initial = lastFolder().empty() ? std::string(".") : lastFolder();
    std::error_code ec;
    const std::filesystem::path start = std::filesystem::absolute(initial, ec);
    if (ec) return;
    if (std::filesystem::is_directory(start, ec)) {
        gtk_file_chooser_set_current_folder(chooser, start.c_str());
        return;
    }
    if (std::filesystem::is_directory(start.parent_path(), ec)) {
        gtk_file_chooser_set_current_folder(chooser, start.parent_path().c_str());
    }
    if (!start.has_filename()) return;
    if (d.save) {
        gchar* name = g_filename_to_utf8(start.filename().c_str(), -1, nullptr, nullptr, nullptr);
        if (name) gtk_file_chooser_set_current_name(chooser, name);
        g_free(name);
    } else if (std::filesystem::exists(start, ec)) {
        gtk_file_chooser_set_filename(chooser, start.c_str());
    }
}

// Asks before replacing a file whose name only the default extension made up (the
// chooser itself only knows the name as typed).
bool confirmReplace(GtkWindow* parent, const std::string& path) {
    gchar* shown = g_filename_display_basename(path.c_str());
    // "Файл «%s» уже существует. Заменить его?"
    GtkWidget* ask = gtk_message_dialog_new(
        parent, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
        "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB \xC2\xAB%s\xC2\xBB \xD1\x83\xD0\xB6\xD0\xB5 "
        "\xD1\x81\xD1\x83\xD1\x89\xD0\xB5\xD1\x81\xD1\x82\xD0\xB2\xD1\x83\xD0\xB5\xD1\x82. "
        "\xD0\x97\xD0\xB0\xD0\xBC\xD0\xB5\xD0\xBD\xD0\xB8\xD1\x82\xD1\x8C \xD0\xB5\xD0\xB3\xD0\xBE?",
        shown);
    g_free(shown);
    // "Да", "Нет"; replacing must be chosen, Enter keeps the file.
    gtk_dialog_add_buttons(GTK_DIALOG(ask), "\xD0\x94\xD0\xB0", GTK_RESPONSE_YES,
                           "\xD0\x9D\xD0\xB5\xD1\x82", GTK_RESPONSE_NO, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(ask), GTK_RESPONSE_NO);
    const bool yes = gtk_dialog_run(GTK_DIALOG(ask)) == GTK_RESPONSE_YES;
    gtk_widget_destroy(ask);
    return yes;
}

// The chooser belongs to the game's window: the window manager keeps it above the game
// (also above a game covering the desktop), and, being modal, gives the keyboard back to
// it when the game is clicked. False when the game's window cannot be named to GTK.
bool belongToGameWindow(GtkWidget* dialog) {
    gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
#ifdef GDK_WINDOWING_X11
    SDL_Window* game = mainWindow();
    GdkDisplay* display = gdk_display_get_default();
    if (game == nullptr || display == nullptr || !GDK_IS_X11_DISPLAY(display)) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(game, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    GdkWindow* parent = gdk_x11_window_foreign_new_for_display(display, info.info.x11.window);
    if (parent == nullptr) return false;
    gtk_widget_realize(dialog);
    gdk_window_set_transient_for(gtk_widget_get_window(dialog), parent);
    g_object_set_data_full(G_OBJECT(dialog), "ferrolin-parent", parent, g_object_unref);
    return true;
#else
    (void)dialog;
    return false;
#endif
}

std::optional<std::string> runChooser(const FileDialog& d) {
    const std::string title = toUtf8(d.title);
    // "Отмена", "Открыть", "Сохранить"
    const char* cancel = "\xD0\x9E\xD1\x82\xD0\xBC\xD0\xB5\xD0\xBD\xD0\xB0";
    const char* accept = d.save
                             ? "\xD0\xA1\xD0\xBE\xD1\x85\xD1\x80\xD0\xB0\xD0\xBD\xD0\xB8\xD1\x82\xD1\x8C"
                             : "\xD0\x9E\xD1\x82\xD0\xBA\xD1\x80\xD1\x8B\xD1\x82\xD1\x8C";
    GtkWidget* widget = gtk_file_chooser_dialog_new(
        title.c_str(), nullptr, d.save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
        cancel, GTK_RESPONSE_CANCEL, accept, GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(widget);
    // Without a parent, at least stay above the game.
    if (!belongToGameWindow(widget)) gtk_window_set_keep_above(GTK_WINDOW(widget), TRUE);
    gtk_dialog_set_default_response(GTK_DIALOG(widget), GTK_RESPONSE_ACCEPT);  // Enter accepts
    gtk_file_chooser_set_local_only(chooser, TRUE);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, d.overwritePrompt ? TRUE : FALSE);
    addFilters(chooser, d);
    startAt(chooser, d);

    std::optional<std::string> result;
    // Escape answers GTK_RESPONSE_DELETE_EVENT; everything but accept is a cancel.
    while (gtk_dialog_run(GTK_DIALOG(widget)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        if (!chosen) continue;
        const std::string typed = chosen;
        g_free(chosen);
        const std::string path = withDefaultExtension(typed, d);
        std::error_code ec;
        if (d.mustExist && !std::filesystem::exists(path, ec)) continue;
        if (d.save && d.overwritePrompt && path != typed && std::filesystem::exists(path, ec) &&
            !confirmReplace(GTK_WINDOW(widget), path)) {
            continue;
        }
        result = path;
        lastFolder() = std::filesystem::path(path).parent_path().string();
        break;
    }
    gtk_widget_destroy(widget);
    drainGtkEvents();
    // Clicks and keys aimed at the game while the chooser was up were not for it.
    if (mainWindow() != nullptr) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    }
    return result;
}

}  // namespace

std::optional<std::string> chooseFile(const FileDialog& dialog) {
    if (auto queued = takeQueuedFileDialogAnswer(dialog)) return *queued;
    if (isHeadless() || !gtkReady()) return std::nullopt;
    return runChooser(dialog);
}

}  // namespace platform
