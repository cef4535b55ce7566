#include <gtest/gtest.h>

#include <set>

#include "driver/card_sound.h"
#include "fakes/fake_sound.h"
#include "panel/centering.h"
#include "panel/help_table.h"
#include "panel/page_set.h"
#include "panel/sound_session.h"

namespace zv {
namespace {

using test::FakeSoundSystem;

TEST(Centering, SignedTruncatingMiddle) {
    // A 400 x 300 dialog at (10, 20) on a 1024 x 768 desktop.
    ScreenPoint p = CenteredOrigin({10, 20, 410, 320}, {0, 0, 1024, 768});
    EXPECT_EQ(312, p.x);
    EXPECT_EQ(234, p.y);
    // Odd sums truncate toward zero, also below zero.
    p = CenteredOrigin({0, 0, 401, 301}, {-1024, -768, 0, 0});
    EXPECT_EQ(-712, p.x);  // (-1024 + 0 - 401) / 2 = -712.5
    EXPECT_EQ(-534, p.y);  // (-768 - 301) / 2 = -534.5
    p = CenteredOrigin({0, 0, 101, 101}, {-1920, 0, 0, 1080});
    EXPECT_EQ(-1010, p.x);
    EXPECT_EQ(489, p.y);
}

TEST(HelpTable, PairsAndTopics) {
    int pairs = 0;
    std::set<uint32_t> ids;
    while (kHelpTable[2 * pairs] != 0) {
        EXPECT_NE(0u, kHelpTable[2 * pairs + 1]) << "pair " << pairs;
        EXPECT_TRUE(ids.insert(kHelpTable[2 * pairs]).second) << "id listed twice: " << kHelpTable[2 * pairs];
        ++pairs;
    }
    EXPECT_EQ(kHelpPairs, pairs);
    EXPECT_EQ(0u, kHelpTable[2 * pairs + 1]);

    EXPECT_EQ(0x10419u, HelpTopicOf(1049));  // Apply: its own topic
    EXPECT_EQ(0x1041Cu, HelpTopicOf(1052));
    EXPECT_EQ(0xFFFFFFFFu, HelpTopicOf(1062));  // the tab strip has none
    EXPECT_EQ(0x10417u, HelpTopicOf(1055));
    EXPECT_EQ(0x10421u, HelpTopicOf(1059));
    EXPECT_EQ(0x10400u, HelpTopicOf(1098));
    EXPECT_EQ(0x10441u, HelpTopicOf(1083));
    EXPECT_EQ(0x10446u, HelpTopicOf(1118));
    EXPECT_EQ(0x10447u, HelpTopicOf(1099));
    EXPECT_EQ(0x10448u, HelpTopicOf(1125));
    EXPECT_EQ(0x10449u, HelpTopicOf(1136));
    EXPECT_EQ(0x10450u, HelpTopicOf(1135));
    EXPECT_EQ(0x10451u, HelpTopicOf(1143));
    EXPECT_EQ(0x10454u, HelpTopicOf(1151));
    // The splash-logo box and the Headphone button have no entry.
    EXPECT_EQ(0u, HelpTopicOf(1072));
    EXPECT_EQ(0u, HelpTopicOf(1150));
}

TEST(PageSet, ThreePageSetDropsTheEffectsPage) {
    auto* general = reinterpret_cast<ControlPage*>(0x10);
    auto* effects = reinterpret_cast<ControlPage*>(0x20);
    auto* playback = reinterpret_cast<ControlPage*>(0x30);
    auto* record = reinterpret_cast<ControlPage*>(0x40);
    PageList list{{general, effects, playback, record}, 4};
    list.UseThreePageSet();
    EXPECT_EQ(3, list.count);
    EXPECT_EQ(general, list.pages[0]);
    EXPECT_EQ(playback, list.pages[1]);
    EXPECT_EQ(record, list.pages[2]);
}

class Session : public ::testing::Test {
protected:
    Guid device{0x1234, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
    FakeSoundSystem sound;
    SoundObject* object = reinterpret_cast<SoundObject*>(0x1);  // must come back empty on failure
    SoundPropertySet* properties = reinterpret_cast<SoundPropertySet*>(0x1);
    WindowHandle window = reinterpret_cast<WindowHandle>(0x99);
};

TEST_F(Session, OpensOnTheDeviceAndHoldsOneReferenceEach) {
    sound.AddDevice(device).Offer(kZv930PropertySet, kZv930MarkerProperty, 3);
    ASSERT_EQ(kOk, OpenSoundSession(sound, &device, window, &object, &properties));
    ASSERT_NE(nullptr, object);
    ASSERT_NE(nullptr, properties);
    EXPECT_EQ(0, sound.LiveBuffers());  // the session keeps no buffer of its own
    EXPECT_EQ(1, sound.LiveObjects());
    EXPECT_EQ(1, sound.LivePropertySets());
    EXPECT_EQ(0x14u, sound.BufferDescs().at(0).flags);
    CloseSoundSession(&object, &properties);
    EXPECT_EQ(0, sound.Live());
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(nullptr, properties);
}

TEST_F(Session, WithoutADeviceTheDefaultOneIsUsed) {
    ASSERT_EQ(kOk, OpenSoundSession(sound, nullptr, window, &object, &properties));
    ASSERT_EQ(1u, sound.CreateWasDefault().size());
    EXPECT_TRUE(sound.CreateWasDefault()[0]);
    CloseSoundSession(&object, &properties);
}

TEST_F(Session, EachFailingStepLeavesNothingBehind) {
    const HResult kBroken = static_cast<HResult>(0x88780078u);
    for (auto step : {&FakeSoundSystem::Device::create, &FakeSoundSystem::Device::cooperativeLevel,
                      &FakeSoundSystem::Device::createBuffer, &FakeSoundSystem::Device::queryPropertySet}) {
        FakeSoundSystem broken;
        broken.Default().*step = kBroken;
        object = reinterpret_cast<SoundObject*>(0x1);
        properties = reinterpret_cast<SoundPropertySet*>(0x1);
        EXPECT_EQ(kBroken, OpenSoundSession(broken, nullptr, window, &object, &properties));
        EXPECT_EQ(nullptr, object);
        EXPECT_EQ(nullptr, properties);
        EXPECT_EQ(0, broken.Live());
    }
}

}  // namespace
}  // namespace zv
