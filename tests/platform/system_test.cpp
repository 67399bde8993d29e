// Clock, message loop and input routing, the document opener, file dialogs and the error
// box.
#include <algorithm>
#include <cstdlib>

#include "platform/edit_box.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "tests/platform/platform_fixture.hpp"

namespace {

using namespace platform;

#ifdef _WIN32
int setenv(const char* name, const char* value, int) { return _putenv_s(name, value); }
int unsetenv(const char* name) { return _putenv_s(name, ""); }
#endif

TEST(Clock, VirtualSleepOnlyMovesTimeOn) {
    useVirtualClock(0xFFFFFFF0u);
    EXPECT_TRUE(clockIsVirtual());
    EXPECT_EQ(tickCount(), 0xFFFFFFF0u);
    sleepMs(20);  // wraps like a 32-bit tick count
    EXPECT_EQ(tickCount(), 4u);
    advanceVirtualClock(6);
    EXPECT_EQ(tickCount(), 10u);
    useRealClock();
    EXPECT_FALSE(clockIsVirtual());
    const uint32_t before = tickCount();
    sleepMs(0);
    EXPECT_GE(tickCount() - before, 0u);
    useVirtualClock(100000);
}

TEST(Clock, FramePacerCountsDrawingTowardsThePeriodAndRestartsAfterAStall) {
    useVirtualClock(500);
    FramePacer pacer(10);
    advanceVirtualClock(4);  // drawing the first frame
    pacer.wait();
    EXPECT_EQ(tickCount(), 510u);
    advanceVirtualClock(13);  // a slow frame: the next one makes up for it
    pacer.wait();
    EXPECT_EQ(tickCount(), 523u);
    advanceVirtualClock(2);
    pacer.wait();
    EXPECT_EQ(tickCount(), 530u);
    advanceVirtualClock(300);  // a stall: no rush of frames afterwards
    pacer.wait();
    EXPECT_EQ(tickCount(), 830u);
    pacer.wait();
    EXPECT_EQ(tickCount(), 840u);
    useVirtualClock(100000);
}

TEST(RendererChoice, OnlyARenderNodeOrTheNvidiaDeviceShowAGraphicsProcessor) {
    ptest::TempFolder dev;
    EXPECT_FALSE(platform::graphicsProcessorPresent(dev.path()));  // no dri folder at all
    std::filesystem::create_directories(dev.file("dri"));
    ptest::writeBytes(dev.file("dri/card0"), {});  // display output only, as in a VM
    EXPECT_FALSE(platform::graphicsProcessorPresent(dev.path()));
    ptest::writeBytes(dev.file("dri/renderD128"), {});
    EXPECT_TRUE(platform::graphicsProcessorPresent(dev.path()));
    ptest::TempFolder nvidia;
    ptest::writeBytes(nvidia.file("nvidiactl"), {});
    EXPECT_TRUE(platform::graphicsProcessorPresent(nvidia.path()));
}

// Records what the window procedure receives.
struct Received {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};
std::vector<Received> received;
int quitAfterTimers = 0;

intptr_t recordingProc(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    received.push_back({message, wParam, lParam});
    if (message == WM_TIMER && --quitAfterTimers == 0) postQuit(3);
    return 0;
}

class Routing : public ::testing::Test {
protected:
    void SetUp() override {
        deliverPressLost(nullptr);  // no press left over from another test
        received.clear();
        resetQuit();
    }
    void TearDown() override { resetQuit(); }
};

TEST_F(Routing, HeadlessLoopTicksEveryTenVirtualMillisecondsUntilQuit) {
    useVirtualClock(1000);
    quitAfterTimers = 5;
    EXPECT_EQ(runMessageLoop(recordingProc), 3);
    EXPECT_EQ(received.size(), 5u);
    EXPECT_TRUE(std::all_of(received.begin(), received.end(),
                            [](const Received& r) { return r.message == WM_TIMER; }));
    EXPECT_EQ(tickCount(), 1040u);
    EXPECT_TRUE(quitPosted());
    resetQuit();
    EXPECT_FALSE(quitPosted());
    useVirtualClock(100000);
}

TEST_F(Routing, MouseIsClampedToTheScreenAndCarriesTheButton) {
    deliverMouse(recordingProc, WM_MOUSEMOVE, -20, 900, false);
    deliverMouse(recordingProc, WM_LBUTTONDOWN, 1100, 5, true);
    deliverMouse(recordingProc, WM_MOUSEMOVE, 10, 10, true);
    deliverMouse(recordingProc, WM_LBUTTONUP, 10, 10, false);
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(mouseX(received[0].lParam), 0);
    EXPECT_EQ(mouseY(received[0].lParam), 767);
    EXPECT_EQ(received[0].wParam, 0u);
    EXPECT_EQ(mouseX(received[1].lParam), 1023);
    EXPECT_EQ(received[1].wParam, MK_LBUTTON);
    EXPECT_EQ(received[2].wParam, MK_LBUTTON);
    EXPECT_EQ(received[3].message, WM_LBUTTONUP);
    EXPECT_EQ(received[3].wParam, 0u);
}

TEST_F(Routing, APressWhoseReleaseIsLostEndsOnceWhereThePointerWas) {
    deliverMouse(recordingProc, WM_LBUTTONDOWN, 300, 200, true);
    deliverMouse(recordingProc, WM_MOUSEMOVE, 320, 210, true);
    deliverPressLost(recordingProc);  // the window lost the focus
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2].message, WM_LBUTTONUP);
    EXPECT_EQ(mouseX(received[2].lParam), 320);
    EXPECT_EQ(mouseY(received[2].lParam), 210);
    deliverPressLost(recordingProc);
    deliverMouse(recordingProc, WM_LBUTTONUP, 320, 210, false);  // the real one, late
    EXPECT_EQ(received.size(), 3u);

    // A move without the button while a press is held: the release came first.
    received.clear();
    deliverMouse(recordingProc, WM_LBUTTONDOWN, 10, 10, true);
    deliverMouse(recordingProc, WM_MOUSEMOVE, 50, 50, false);
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[1].message, WM_LBUTTONUP);
    EXPECT_EQ(mouseX(received[1].lParam), 10);
    EXPECT_EQ(received[2].message, WM_MOUSEMOVE);
}

TEST_F(Routing, PressesInsideAnEditBoxStayWithTheBox) {
    EditBox box(100, 100, 200, 24, false, "hello world");
    deliverMouse(recordingProc, WM_LBUTTONDOWN, 105, 110, true);
    EXPECT_TRUE(box.hasFocus());
    deliverMouse(recordingProc, WM_MOUSEMOVE, 299, 110, true);  // drag selects to the end
    deliverMouse(recordingProc, WM_LBUTTONUP, 299, 110, false);
    EXPECT_TRUE(received.empty());
    deliverText("!");
    EXPECT_EQ(box.text(), "!");
    // Once released, moves and presses elsewhere reach the game again; the box keeps focus.
    deliverMouse(recordingProc, WM_MOUSEMOVE, 500, 500, false);
    deliverMouse(recordingProc, WM_LBUTTONDOWN, 500, 500, true);
    EXPECT_EQ(received.size(), 2u);
    EXPECT_TRUE(box.hasFocus());
}

TEST_F(Routing, EditingKeysGoToTheFocusedBoxAndEscapeAlwaysToTheGame) {
    deliverKey(recordingProc, VK_LEFT, false, false);  // no box yet
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_KEYDOWN);
    EXPECT_EQ(received[0].wParam, VK_LEFT);
    received.clear();

    EditBox box(0, 0, 200, 24, false, "abc");
    box.focus();
    deliverKey(recordingProc, VK_END, false, false);
    deliverKey(recordingProc, VK_BACK, false, false);
    deliverKey(recordingProc, 'A', true, false);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(box.text(), "ab");
    deliverKey(recordingProc, VK_ESCAPE, false, false);
    deliverKey(recordingProc, VK_RETURN, false, false);  // a single line has no use for it
    deliverKey(recordingProc, 'A', false, false);
    deliverKey(recordingProc, VK_TAB, false, false);
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].wParam, VK_ESCAPE);
    EXPECT_EQ(received[1].wParam, VK_RETURN);
}

TEST_F(Routing, TextWithoutAFocusedBoxIsDropped) {
    EditBox box(0, 0, 200, 24, false, "abc");
    deliverText("x");
    EXPECT_EQ(box.text(), "abc");
    EXPECT_EQ(focusedEditBox(), nullptr);
}

TEST(Shell, OpensAnExistingDocumentByAbsolutePathWithoutAShell) {
    ptest::TempFolder dir;
    ptest::writeBytes(dir.file("index.html"), {'<'});
    std::vector<std::vector<std::string>> started;
    setDocumentOpener([&](const std::vector<std::string>& argv) { started.push_back(argv); });
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    openDocument("./index.html");
    openDocument("missing.html");
    std::filesystem::current_path(before);
    setDocumentOpener(nullptr);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], (std::vector<std::string>{"xdg-open", dir.file("index.html")}));
    openDocument(dir.file("index.html"));  // headless without an opener: nothing starts
}

TEST(FileDialogs, ScriptedAnswersInOrderThenCancel) {
    FileDialog save;
    save.save = true;
    save.title = "\xD1\xEE\xF5\xF0\xE0\xED\xE8\xF2\xFC";  // "Сохранить"
    save.filters = {{"\xD0\xE5\xF8\xE5\xED\xE8\xFF", "*.sln"}};
    save.defaultExtension = "sln";
    queueFileDialogAnswer(std::string("/tmp/answer"));
    queueFileDialogAnswer(std::string("/tmp/answer.txt"));
    queueFileDialogAnswer(std::nullopt);
    EXPECT_EQ(chooseFile(save), "/tmp/answer.sln");  // typed without extension
    EXPECT_EQ(chooseFile(save), "/tmp/answer.txt");
    EXPECT_EQ(chooseFile(save), std::nullopt);
    EXPECT_EQ(chooseFile(save), std::nullopt);  // empty queue, headless: cancelled
    EXPECT_EQ(lastFileDialog().title, save.title);
    EXPECT_EQ(lastFileDialog().filters, save.filters);

    FileDialog open;
    open.defaultExtension = "sln";
    queueFileDialogAnswer(std::string("/tmp/plain"));
    EXPECT_EQ(chooseFile(open), "/tmp/plain");  // opening adds nothing
    EXPECT_FALSE(lastFileDialog().save);
}

TEST(FileDialogs, ClearedAnswersAreNotTaken) {
    queueFileDialogAnswer(std::string("/tmp/left-over.sln"));
    clearFileDialogAnswers();
    EXPECT_EQ(chooseFile(FileDialog{}), std::nullopt);
}

TEST(ErrorBox, HeadlessRunsRecordTheBox) {
    const size_t before = shownErrorBoxes().size();
    showErrorBox("\xCA\xF0\xE8\xF2\xE8\xF7\xE5\xF1\xEA\xE0\xFF \xEE\xF8\xE8\xE1\xEA\xE0", "text");
    ASSERT_EQ(shownErrorBoxes().size(), before + 1);
    EXPECT_EQ(shownErrorBoxes().back().second, "text");
    showErrorBox(nullptr, nullptr);
    EXPECT_EQ(shownErrorBoxes().back().first, "");
}

// Started with no display, SDL would pick a driver that draws into memory: the game must
// refuse it at the video step instead of running unseen.
TEST(ErrorBox, NoDisplayFailsTheVideoStep) {
    const char* old = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = old ? old : "";
    for (const char* driver : {"offscreen", "dummy"}) {
        SCOPED_TRACE(driver);
        setenv("SDL_VIDEODRIVER", driver, 1);
        std::string reason;
        int step = -1;
        EXPECT_EQ(Graphics::createWindowed(&reason, &step), nullptr);
        EXPECT_EQ(step, 0);
        EXPECT_NE(reason.find("no display"), std::string::npos) << reason;
    }
    if (old) {
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    } else {
        unsetenv("SDL_VIDEODRIVER");
    }
}

}  // namespace
