// Clock, message loop and input routing, the document opener, file dialogs and the error
// box.
#include <algorithm>
#include <cstdlib>

#include "platform/edit_box.hpp"
#include "platform/platform_internal.hpp"
#include "platform/system.hpp"
#include "support/seen_event.hpp"
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
std::vector<test::SeenEvent> received;
int quitAfterTimers = 0;

void recordingProc(const Event& event) {
    received.push_back(test::seen(event));
    if (std::holds_alternative<Tick>(event) && --quitAfterTimers == 0) postQuit(3);
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
                            [](const test::SeenEvent& r) { return r.kind == "tick"; }));
    EXPECT_EQ(tickCount(), 1040u);
    EXPECT_TRUE(quitPosted());
    resetQuit();
    EXPECT_FALSE(quitPosted());
    useVirtualClock(100000);
}

TEST_F(Routing, MouseIsClampedToTheScreenAndCarriesTheButton) {
    deliverInput(recordingProc, MouseMove{{-20, 900}});
    deliverInput(recordingProc, MouseDown{{1100, 5}});
    deliverInput(recordingProc, MouseMove{{10, 10}, true});
    deliverInput(recordingProc, MouseUp{{10, 10}});
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].kind, "move");
    EXPECT_EQ(received[0].at, (Point{0, 767}));
    EXPECT_EQ(received[1].kind, "down");
    EXPECT_EQ(received[1].at, (Point{1023, 5}));
    EXPECT_EQ(received[2].kind, "drag");
    EXPECT_EQ(received[3].kind, "up");
}

TEST_F(Routing, APressWhoseReleaseIsLostEndsOnceWhereThePointerWas) {
    deliverInput(recordingProc, MouseDown{{300, 200}});
    deliverInput(recordingProc, MouseMove{{320, 210}, true});
    deliverPressLost(recordingProc);  // the window lost the focus
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2].kind, "up");
    EXPECT_EQ(received[2].at, (Point{320, 210}));
    deliverPressLost(recordingProc);
    deliverInput(recordingProc, MouseUp{{320, 210}});  // the real one, late
    EXPECT_EQ(received.size(), 3u);

    // A move without the button while a press is held: the release came first.
    received.clear();
    deliverInput(recordingProc, MouseDown{{10, 10}});
    deliverInput(recordingProc, MouseMove{{50, 50}});
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[1].kind, "up");
    EXPECT_EQ(received[1].at, (Point{10, 10}));
    EXPECT_EQ(received[2].kind, "move");
}

TEST_F(Routing, PressesInsideAnEditBoxStayWithTheBox) {
    EditBox box(100, 100, 200, 24, false, "hello world");
    deliverInput(recordingProc, MouseDown{{105, 110}});
    EXPECT_TRUE(box.hasFocus());
    deliverInput(recordingProc, MouseMove{{299, 110}, true});  // drag selects to the end
    deliverInput(recordingProc, MouseUp{{299, 110}});
    EXPECT_TRUE(received.empty());
    deliverText("!");
    EXPECT_EQ(box.text(), "!");
    // Once released, moves and presses elsewhere reach the game again; the box keeps focus.
    deliverInput(recordingProc, MouseMove{{500, 500}});
    deliverInput(recordingProc, MouseDown{{500, 500}});
    EXPECT_EQ(received.size(), 2u);
    EXPECT_TRUE(box.hasFocus());
}

TEST_F(Routing, EditingKeysGoToTheFocusedBoxAndEscapeAlwaysToTheGame) {
    deliverInput(recordingProc, KeyDown{Key::Left});  // no box yet
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].kind, "key");
    EXPECT_EQ(received[0].key, Key::Left);
    received.clear();

    EditBox box(0, 0, 200, 24, false, "abc");
    box.focus();
    deliverInput(recordingProc, KeyDown{Key::End});
    deliverInput(recordingProc, KeyDown{Key::Backspace});
    deliverInput(recordingProc, KeyDown{Key::A, true});
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(box.text(), "ab");
    deliverInput(recordingProc, KeyDown{Key::Escape});
    deliverInput(recordingProc, KeyDown{Key::Enter});  // a single line has no use for it
    deliverInput(recordingProc, KeyDown{Key::A});
    deliverInput(recordingProc, KeyDown{Key::Tab});
    ASSERT_EQ(received.size(), 4u);
    EXPECT_EQ(received[0].key, Key::Escape);
    EXPECT_EQ(received[1].key, Key::Enter);
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
