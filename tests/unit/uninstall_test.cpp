#include <gtest/gtest.h>

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
    void ShowRemoved() override { events.push_back("message 48"); }
    void BeginWait() override { events.push_back("wait cursor"); }
    void EndWait() override { events.push_back("cursor back"); }
    void DisableButtons() override { events.push_back("disable buttons"); }
    void StartWait() override { events.push_back("start timer"); }
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
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789LONG.CPL", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789LON"},
    };
    for (const auto& c : cases) {
        if (c.loader) Loader(c.loader);
        events.clear();
        Run();
        std::vector<std::string> deletes;
        for (const std::string& e : events)
            if (e.rfind("delete ", 0) == 0) deletes.push_back(e.substr(25));
        std::vector<std::string> expected{"ZVDLL32.DLL"};
        if (c.deleted) expected.push_back(c.deleted);
        EXPECT_EQ(deletes, expected) << (c.loader ? c.loader : "(none)");
    }
}

TEST(UninstallNames, BareFileNames) {
    for (const char* bare : {"ZVAUDIO.CPL", "a", "...", "x.y.z"}) EXPECT_TRUE(IsBareFileName(bare)) << bare;
    for (const char* not_bare : {"", ".", "..", "a\\b", "a/b", "c:", "\\\\server\\x"})
        EXPECT_FALSE(IsBareFileName(not_bare)) << not_bare;
    EXPECT_FALSE(IsBareFileName(nullptr));
}

}  // namespace
}  // namespace zv
