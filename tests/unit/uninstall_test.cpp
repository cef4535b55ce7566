#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "driver/driver_config.h"
#include "fakes/fake_files.h"
#include "fakes/fake_library.h"
#include "fakes/fake_pci.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "pages/general/uninstall.h"

namespace zv {
namespace {

using Events = std::vector<std::string>;

struct RecordingWindow : UninstallWindow {
    explicit RecordingWindow(Events& events) : events(events) {}
    void StopSpeakerTest() override { events.push_back("stop test"); }
    void ShowSynthesizerFirst() override { events.push_back("message 52"); }
    bool ConfirmUninstall() override {
        events.push_back("message 53");
        return answerYes;
    }
    void ShowRemoved() override {
        events.push_back("message 48");
        duringMessage48();  // the box's message loop runs whatever comes meanwhile
    }
    void BeginWait() override { events.push_back("wait cursor"); }
    void EndWait() override { events.push_back("cursor back"); }
    void DisableButtons() override { events.push_back("disable buttons"); }
    bool StartWait() override {
        events.push_back("start timer");
        return timerCreated;
    }
    void StopWait() override { events.push_back("stop timer"); }
    std::string SystemDirectory() override { return "C:\\WINDOWS\\SYSTEM"; }
    bool CloseFolderWindow() override {
        events.push_back("close folder");
        return folderOpen;
    }
    void StartControlPanel() override { events.push_back("control.exe"); }
    void EndProgram() override { events.push_back("end"); }

    Events& events;
    bool answerYes = true;
    bool folderOpen = false;
    bool timerCreated = true;
    std::function<void()> duringMessage48 = [] {};
};

class Uninstall : public ::testing::Test {
protected:
    Uninstall() { libraries.AddHelperLibrary(); }
    void TearDown() override { EXPECT_EQ(registry.OpenHandles(), 0); }
    // The events after the question, with the helper library's commands among them.
    void Run() {
        libraries.SetDll32Handler([this](int32_t command) {
            events.push_back("DLL32Call " + std::to_string(command));
            return 1;
        });
        uninstall.Start();
        if (uninstall.Underway()) uninstall.Complete();
    }
    void Loader(const std::string& text) { profile.Set(kSoundCfgFile, kCfgDescription, kCfgLoader, text); }

    Events events;
    test::FakeRegistry registry;
    test::FakeProfile profile;
    test::FakePci pci;
    DriverConfig driver{registry, profile, pci};
    test::FakeLibraryLoader libraries;
    test::FakeFileSystem files{&events};
    RecordingWindow window{events};
    DriverUninstall uninstall{registry, libraries, driver, files, window};
};

TEST_F(Uninstall, YesRemovesTheDriverDeletesTheLibraryAndTheAppletAndEndsTheProgram) {
    window.folderOpen = true;
    Run();
    EXPECT_EQ(events, (Events{"stop test", "message 53", "wait cursor", "disable buttons",
                              "DLL32Call 0", "start timer", "cursor back", "stop timer", "DLL32Call 1",
                              "message 48", "delete C:\\WINDOWS\\SYSTEM\\ZVDLL32.DLL", "close folder",
                              "delete C:\\WINDOWS\\SYSTEM\\ZVAUDIO.CPL", "control.exe", "end"}));
    EXPECT_EQ(libraries.LoadedNow(), 0);
}

TEST_F(Uninstall, EitherSpellingOfTheSynthesizerKeyBlocksAndNoDoesNothing) {
    for (const char* key : kSynthUninstallKeys) {
        test::FakeRegistry blocking;
        blocking.AddKey(kHkeyLocalMachine, key);
        DriverUninstall blocked{blocking, libraries, driver, files, window};
        events.clear();
        blocked.Start();
        EXPECT_EQ(events, (Events{"stop test", "message 52"})) << key;
        EXPECT_EQ(blocking.OpenHandles(), 0);
    }
    events.clear();
    window.answerYes = false;
    Run();
    EXPECT_EQ(events, (Events{"stop test", "message 53"}));
    EXPECT_EQ(libraries.Loads(), 0);
}

TEST_F(Uninstall, WithoutTheLibraryNothingHappensAndWithoutItsEntryTheProgramStillEnds) {
    libraries.RemoveLibrary(test::kHelperLibrary);
    Run();
    EXPECT_EQ(events, (Events{"stop test", "message 53", "wait cursor", "cursor back"}));

    libraries.AddLibrary(test::kHelperLibrary);
    events.clear();
    uninstall.Start();
    EXPECT_FALSE(uninstall.Underway());
    uninstall.Start();  // a second click frees the library held from the first
    EXPECT_EQ(libraries.LoadedNow(), 1);
    events.clear();
    uninstall.Complete();
    EXPECT_EQ(events, (Events{"cursor back", "stop timer", "end"}));
}

TEST_F(Uninstall, OnlyABareLoaderNameIsDeletedFromTheSystemDirectory) {
    const struct { const char* loader; const char* deleted; } cases[] = {
        {nullptr, "ZVAUDIO.CPL"},  // no key: the default applet
        {"OTHER.CPL", "OTHER.CPL"},
        {"..\\win.ini", nullptr},
        {"C:\\x\\y", nullptr},
        {"\\x", nullptr},
        {"a/b", nullptr},
        {"C:x.cpl", nullptr},
        {".", nullptr},
        {"..", nullptr},
        {"", nullptr},
        // A name that fills the buffer may have been cut short, and the start of a name is another file.
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789LONG.CPL", nullptr},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789LON", nullptr},  // exactly full
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678.CP", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678.CP"},
    };
    for (const auto& c : cases) {
        if (c.loader) Loader(c.loader);
        DriverUninstall fresh{registry, libraries, driver, files, window};  // each removal ends its program
        events.clear();
        fresh.Start();
        fresh.Complete();
        std::vector<std::string> deletes;
        for (const std::string& e : events)
            if (e.rfind("delete ", 0) == 0) deletes.push_back(e.substr(25));
        std::vector<std::string> expected{"ZVDLL32.DLL"};
        if (c.deleted) expected.push_back(c.deleted);
        EXPECT_EQ(deletes, expected) << (c.loader ? c.loader : "(none)");
    }
}

TEST_F(Uninstall, TheCompletionRunsOnceOnlyAfterTheFirstCommandAndASecondStartDoesNothing) {
    libraries.SetDll32Handler([this](int32_t command) {
        events.push_back("DLL32Call " + std::to_string(command));
        return 1;
    });
    uninstall.Complete();  // a timer while nothing waits
    uninstall.CompleteForSessionEnd();
    EXPECT_TRUE(events.empty());

    uninstall.Start();
    EXPECT_TRUE(uninstall.Underway());
    events.clear();
    uninstall.Start();  // a posted click on the disabled button
    EXPECT_TRUE(events.empty());

    window.duringMessage48 = [this] { uninstall.Complete(); };  // a timer inside the box
    uninstall.Complete();
    uninstall.Complete();
    uninstall.CompleteForSessionEnd();
    EXPECT_EQ(std::count(events.begin(), events.end(), "DLL32Call 1"), 1);
    EXPECT_EQ(std::count(events.begin(), events.end(), "end"), 1);
    EXPECT_TRUE(uninstall.Underway()) << "until the program has ended";
    EXPECT_EQ(libraries.LoadedNow(), 0);
}

TEST_F(Uninstall, WithoutATimerOrAtASessionEndTheRemovalCompletesAtOnce) {
    window.timerCreated = false;
    Run();
    EXPECT_EQ(events, (Events{"stop test", "message 53", "wait cursor", "disable buttons", "DLL32Call 0",
                              "start timer", "cursor back", "stop timer", "DLL32Call 1", "message 48",
                              "delete C:\\WINDOWS\\SYSTEM\\ZVDLL32.DLL", "close folder",
                              "delete C:\\WINDOWS\\SYSTEM\\ZVAUDIO.CPL", "end"}));

    // Nobody sees a box, a folder or the control panel of a session that is ending.
    DriverUninstall second{registry, libraries, driver, files, window};
    window.timerCreated = true;
    window.folderOpen = true;
    second.Start();
    events.clear();
    second.CompleteForSessionEnd();
    EXPECT_EQ(events, (Events{"cursor back", "stop timer", "DLL32Call 1",
                              "delete C:\\WINDOWS\\SYSTEM\\ZVDLL32.DLL",
                              "delete C:\\WINDOWS\\SYSTEM\\ZVAUDIO.CPL", "end"}));
}

TEST(UninstallNames, BareFileNames) {
    for (const char* bare : {"ZVAUDIO.CPL", "a", "...", "x.y.z"}) EXPECT_TRUE(IsBareFileName(bare)) << bare;
    for (const char* not_bare : {"", ".", "..", "a\\b", "a/b", "c:", "\\\\server\\x"})
        EXPECT_FALSE(IsBareFileName(not_bare)) << not_bare;
    EXPECT_FALSE(IsBareFileName(nullptr));
}

}  // namespace
}  // namespace zv
