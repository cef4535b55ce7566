#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_library.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_sound.h"

// The fakes stand in for the system in every suite, so the behaviour those suites rely on is pinned here.

namespace zv {
namespace {

using test::FakeLibraryLoader;
using test::FakeProfile;
using test::FakeSoundSystem;

const Guid kCard = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const Guid kOther = {0x44444444, 0x5555, 0x6666, {1, 2, 3, 4, 5, 6, 7, 9}};
const Guid kSet = {0x7CA99CA0, 0xCD07, 0x11D0, {0xA6, 0xC0, 0x00, 0xA0, 0xC9, 0x24, 0x86, 0x33}};

TEST(FakeProfileTest, MatchesLikeTheProfileApi) {
    FakeProfile profile;
    char buffer[8];
    EXPECT_EQ(profile.GetString("DESCRIPTION", "LOADER", "DEFAULT.CPL", buffer, sizeof buffer, "SOUNDCFG.INI"), 7u);
    EXPECT_STREQ(buffer, "DEFAULT") << "a missing file gives the default, cut to the buffer";

    profile.Set("SoundCfg.ini", "Description", "DriverDesc", "Zolvane");
    EXPECT_EQ(profile.GetString("DESCRIPTION", "DRIVERDESC", "", buffer, sizeof buffer, "SOUNDCFG.INI"), 7u);
    EXPECT_STREQ(buffer, "Zolvane");
    EXPECT_EQ(profile.GetString("DESCRIPTION", "DRIVERDESC", "", buffer, 1, "SOUNDCFG.INI"), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(profile.LastBufferSize("description", "driverdesc"), 1u);
}

TEST(FakeSoundTest, EnumeratesThePrimaryDriverFirstAndStopsWhenAsked) {
    FakeSoundSystem sound;
    sound.AddDevice(kCard);
    sound.AddDevice(kOther);
    std::vector<const Guid*> seen;
    auto collect = [](const Guid* device, void* context) {
        static_cast<std::vector<const Guid*>*>(context)->push_back(device);
        return true;
    };
    ASSERT_EQ(sound.Enumerate(collect, &seen), kOk);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], nullptr);
    EXPECT_EQ(*seen[1], kCard);
    EXPECT_EQ(*seen[2], kOther);

    int calls = 0;
    sound.Enumerate([](const Guid*, void* context) { return ++*static_cast<int*>(context) < 2; }, &calls);
    EXPECT_EQ(calls, 2);
}

TEST(FakeSoundTest, CountsEveryObjectUntilReleased) {
    FakeSoundSystem sound;
    sound.AddDevice(kCard).Offer(kSet, 8, 1, {7, 0, 0, 0});
    SoundObject* object = nullptr;
    ASSERT_EQ(sound.Create(&kCard, &object), kOk);
    SoundBuffer* buffer = nullptr;
    ASSERT_EQ(object->CreateBuffer(SoundBufferDesc{}, &buffer), kOk);
    SoundPropertySet* properties = nullptr;
    ASSERT_EQ(buffer->QueryPropertySet(&properties), kOk);
    EXPECT_EQ(sound.Live(), 3);

    uint32_t support = 0;
    EXPECT_EQ(properties->QuerySupport(kSet, 8, &support), kOk);
    EXPECT_EQ(support, 1u);
    EXPECT_TRUE(Failed(properties->QuerySupport(kSet, 9, &support)));
    int32_t value = 0;
    uint32_t returned = 0;
    EXPECT_EQ(properties->Get(kSet, 8, &value, sizeof value, &returned), kOk);
    EXPECT_EQ(value, 7);
    value = 9;
    EXPECT_EQ(properties->Set(kSet, 8, nullptr, 0, &value, sizeof value), kOk);
    EXPECT_EQ(sound.FindDevice(&kCard)->FindProperty(kSet, 8)->data, (std::vector<uint8_t>{9, 0, 0, 0}));

    properties->Release();
    buffer->Release();
    object->Release();
    EXPECT_EQ(sound.Live(), 0);
}

TEST(FakeSoundTest, AFailingStepHandsOutNothing) {
    FakeSoundSystem sound;
    SoundObject* object = nullptr;
    EXPECT_EQ(sound.Create(&kCard, &object), test::kDsErrNoDriver);
    EXPECT_EQ(object, nullptr);

    sound.Default().createBuffer = kOutOfMemory;
    ASSERT_EQ(sound.Create(nullptr, &object), kOk);
    SoundBuffer* buffer = reinterpret_cast<SoundBuffer*>(&sound);
    EXPECT_EQ(object->CreateBuffer(SoundBufferDesc{}, &buffer), kOutOfMemory);
    EXPECT_EQ(buffer, nullptr);
    object->Release();
    EXPECT_EQ(sound.Live(), 0);
}

TEST(FakeLibraryTest, ExportsAreCallableAndRecorded) {
    FakeLibraryLoader loader;
    EXPECT_EQ(loader.Load("ZVDLL32.DLL"), nullptr);
    loader.AddHelperLibrary(5);
    loader.SetDll32Answer(111, 0);
    loader.SetDll32Answer(110, 1);

    LibraryHandle library = loader.Load("zvdll32.dll");
    ASSERT_NE(library, nullptr);
    auto version = reinterpret_cast<test::ZvGetVersionFn>(loader.Find(library, "ZVGetVersion"));
    auto call = reinterpret_cast<test::Dll32CallFn>(loader.Find(library, "DLL32Call"));
    ASSERT_TRUE(version && call);
    EXPECT_EQ(loader.Find(library, "dll32call"), nullptr) << "export names keep their case";
    EXPECT_EQ(version(), 5);
    EXPECT_EQ(call(110), 1);
    EXPECT_EQ(call(111), 0);
    loader.SetDll32Handler([](int32_t code) { return code + 1; });
    EXPECT_EQ(call(108), 109);
    EXPECT_EQ(loader.Dll32Calls(), (std::vector<int32_t>{110, 111, 108}));

    loader.Free(library);
    loader.Free(library);
    EXPECT_EQ(loader.Loads(), 1);
    EXPECT_EQ(loader.Frees(), 1);
    EXPECT_EQ(loader.BadFrees(), 1);
    call(108);
    EXPECT_EQ(loader.CallsWhileUnloaded(), 1);
}

TEST(FakeLibraryTest, A3DLoaderHookSeesTheAddress) {
    FakeLibraryLoader loader;
    loader.AddA3DLoader();
    LibraryHandle library = loader.Load("QA3DLoad");
    ASSERT_NE(library, nullptr);
    uint32_t address = 0x13790000;
    reinterpret_cast<test::InstallA3DHookFn>(loader.Find(library, "InstallA3DHook"))(&address);
    reinterpret_cast<test::RemoveA3DHookFn>(loader.Find(library, "RemoveA3DHook"))();
    loader.Free(library);
    EXPECT_EQ(loader.InstallA3DHookCalls(), std::vector<uint32_t>{0x13790000});
    EXPECT_EQ(loader.RemoveA3DHookCalls(), 1);
    EXPECT_EQ(loader.CallsWhileUnloaded(), 0);
}

}  // namespace
}  // namespace zv
