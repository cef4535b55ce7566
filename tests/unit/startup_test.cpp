#include <gtest/gtest.h>

#include "app/startup.h"
#include "driver/helper_library.h"
#include "fakes/fake_library.h"
#include "fakes/fake_registry.h"

namespace zv {
namespace {

using test::FakeLibraryLoader;
using test::FakeRegistry;

class A3DPreload : public ::testing::Test {
protected:
    uint32_t Read() {
        RegKey key = kRegNone;
        EXPECT_EQ(kRegOk, registry.OpenKey(kHkeyCurrentUser, kQSoftKey, &key));
        uint32_t address = ReadA3DPreloadAddress(registry, key);
        registry.CloseKey(key);
        return address;
    }
    void Store(uint32_t type, std::vector<uint8_t> bytes) {
        registry.SetRaw(kHkeyCurrentUser, kQSoftKey, kA3DPreloadValue, type, std::move(bytes));
    }
    void StoreText(const std::string& text) {
        std::vector<uint8_t> bytes(text.begin(), text.end());
        bytes.push_back(0);
        Store(kRegSz, bytes);
    }
    FakeRegistry registry;
};

TEST_F(A3DPreload, DwordOutsideTheAcceptedRangeGivesTheDefault) {
    for (uint32_t value : {0x00400000u, 0x60000000u, 0xFFFFFFFFu, 0x004FFFFFu, 0u}) {
        registry.SetDword(kHkeyCurrentUser, kQSoftKey, kA3DPreloadValue, value);
        EXPECT_EQ(kDefaultA3DPreload, Read()) << std::hex << value;
    }
    for (uint32_t value : {0x00500000u, 0x5FFFFFFFu, 0x13000000u}) {
        registry.SetDword(kHkeyCurrentUser, kQSoftKey, kA3DPreloadValue, value);
        EXPECT_EQ(value, Read()) << std::hex << value;
    }
}

TEST_F(A3DPreload, TextIsReadAsHexadecimal) {
    StoreText("5a0000");
    EXPECT_EQ(0x005A0000u, Read());
    StoreText("  0x1234abcd trailing");
    EXPECT_EQ(0x1234ABCDu, Read());
    StoreText("zz");
    EXPECT_EQ(kDefaultA3DPreload, Read());
    StoreText("");
    EXPECT_EQ(kDefaultA3DPreload, Read());
    // An overflowing text reads as 0xFFFFFFFF, which is out of range in turn.
    StoreText("123456789");
    EXPECT_EQ(kDefaultA3DPreload, Read());
}

TEST_F(A3DPreload, TextWithoutTerminatorFillingTheBufferStaysInside) {
    // 32 digits and no terminator: the whole buffer is text.
    std::string digits(31, '0');
    digits += "5";
    Store(kRegSz, std::vector<uint8_t>(digits.begin(), digits.end()));
    EXPECT_EQ(kDefaultA3DPreload, Read());
    std::string address = "00000000000000000000000000500000";
    Store(kRegSz, std::vector<uint8_t>(address.begin(), address.end()));
    EXPECT_EQ(0x00500000u, Read());
}

TEST_F(A3DPreload, BinaryNeedsFourBytesAndOtherTypesAreIgnored) {
    Store(kRegBinary, {0x00, 0x00, 0x50, 0x00});
    EXPECT_EQ(0x00500000u, Read());
    Store(kRegBinary, {0x00, 0x00, 0x50, 0x00, 0x77});
    EXPECT_EQ(0x00500000u, Read());
    Store(kRegBinary, {0x00, 0x00, 0x50});
    EXPECT_EQ(kDefaultA3DPreload, Read());
    Store(7 /* REG_MULTI_SZ */, {'5', '0', '0', '0', '0', '0', 0, 0});
    EXPECT_EQ(kDefaultA3DPreload, Read());
    Store(kRegDword, {0x00, 0x00, 0x50});
    EXPECT_EQ(kDefaultA3DPreload, Read());
}

TEST_F(A3DPreload, ValueLongerThan32BytesOrMissingGivesTheDefault) {
    std::vector<uint8_t> big(33, 0);
    big[2] = 0x50;
    Store(kRegBinary, big);
    EXPECT_EQ(kDefaultA3DPreload, Read());
    EXPECT_EQ(kDefaultA3DPreload, ReadA3DPreloadAddress(registry, kRegNone));
    registry.AddKey(kHkeyCurrentUser, "Software\\Other");
    RegKey other = kRegNone;
    ASSERT_EQ(kRegOk, registry.OpenKey(kHkeyCurrentUser, "Software\\Other", &other));
    EXPECT_EQ(kDefaultA3DPreload, ReadA3DPreloadAddress(registry, other));
    registry.CloseKey(other);
}

TEST(ParseHex32, FollowsTheLibraryConversion) {
    EXPECT_EQ(0xFFFFFFFFu, ParseHex32("100000000"));
    EXPECT_EQ(0xFFFFFFFFu, ParseHex32("FFFFFFFF"));
    EXPECT_EQ(0xFFFFFFFFu, ParseHex32("-1"));
    EXPECT_EQ(0x10u, ParseHex32("+10"));
    EXPECT_EQ(0u, ParseHex32("0x"));
    EXPECT_EQ(0xABu, ParseHex32("\t\nab&cd"));
    EXPECT_EQ(0u, ParseHex32("0xg"));
}

TEST(HelperProbe, AnswersAndFreesTheLibrary) {
    FakeLibraryLoader loader;
    HelperProbe probe = ProbeHelperLibrary(loader);  // no library at all
    EXPECT_FALSE(probe.driverPresent);

    loader.AddHelperLibrary(0);
    probe = ProbeHelperLibrary(loader);
    EXPECT_FALSE(probe.driverPresent);
    EXPECT_TRUE(loader.Dll32Calls().empty());
    EXPECT_EQ(0, loader.LoadedNow());

    loader.SetVersion(0x930);
    loader.SetDll32Answer(111, 0);
    probe = ProbeHelperLibrary(loader);
    EXPECT_TRUE(probe.driverPresent);
    EXPECT_EQ(0, probe.effectsAvailability);
    EXPECT_EQ(std::vector<int32_t>{111}, loader.Dll32Calls());
    EXPECT_EQ(0, loader.LoadedNow());
    EXPECT_EQ(0, loader.BadFrees());
}

TEST(HelperProbe, MissingExports) {
    FakeLibraryLoader loader;
    loader.AddHelperLibrary(5);
    loader.RemoveExport("ZVDLL32.DLL", "DLL32Call");
    HelperProbe probe = ProbeHelperLibrary(loader);
    EXPECT_TRUE(probe.driverPresent);
    EXPECT_EQ(1, probe.effectsAvailability);  // the four-page set stands

    loader.RemoveExport("ZVDLL32.DLL", "ZVGetVersion");
    probe = ProbeHelperLibrary(loader);
    EXPECT_FALSE(probe.driverPresent);
    EXPECT_EQ(0, loader.LoadedNow());
    EXPECT_EQ(loader.Loads(), loader.Frees());
}

// The wait polls command 110 each second: at most 15 ticks end in waiting, the 16th goes on regardless.
TEST(StartupWaitTest, CountsTicks) {
    StartupWait wait;
    wait.Start();
    for (int tick = 1; tick <= 15; ++tick) EXPECT_FALSE(wait.Tick(1)) << tick;
    EXPECT_TRUE(wait.Tick(1));
    EXPECT_TRUE(wait.Ended());
    EXPECT_FALSE(wait.Tick(0));  // ended once, for good

    wait.Start();
    EXPECT_TRUE(wait.Tick(0));  // ready at once: the first tick

    wait.Start();
    EXPECT_FALSE(wait.Tick(1));
    EXPECT_FALSE(wait.Tick(-5));
    EXPECT_TRUE(wait.Tick(0));
    EXPECT_EQ(2, wait.Ticks());
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

// The wait's question to the driver: no library or no export answers 0, which ends the wait at once.
TEST(DriverBusyQuestion, MissingLibraryOrExportAnswersReady) {
    test::FakeLibraryLoader loader;
    bool found = true;
    EXPECT_EQ(0, CallDll32(loader, nullptr, kCmdDriverBusy, &found));
    EXPECT_FALSE(found);

    loader.AddHelperLibrary(1);
    loader.SetDll32Answer(kCmdDriverBusy, 1);
    LibraryHandle library = loader.Load(kHelperLibraryName);
    EXPECT_EQ(1, CallDll32(loader, library, kCmdDriverBusy, &found));
    EXPECT_TRUE(found);
    loader.RemoveExport(kHelperLibraryName, kDll32CallExport);
    EXPECT_EQ(0, CallDll32(loader, library, kCmdDriverBusy, &found));
    EXPECT_FALSE(found);
    loader.Free(library);
    EXPECT_EQ(std::vector<int32_t>{kCmdDriverBusy}, loader.Dll32Calls());
}

}  // namespace
}  // namespace zv
