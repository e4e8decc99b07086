// The AudioManager: sound cache, channel slots, groups, loop points and the tick's calls.
#include "AudioTestUtil.h"

#include <fstream>

#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/JobManager.h"

using namespace audiotest;

namespace {

using AudioManagerTest = AudioScene;

TEST_F(AudioManagerTest, StartsWithThreeGroupsAndEmptySlots) {
    for (int i = 0; i < AudioManager::kGroups; ++i) EXPECT_FALSE(Audio().groups[static_cast<size_t>(i)].IsNull());
    EXPECT_NE(Audio().groups[0], Audio().groups[1]);
    EXPECT_EQ(Audio().GetFreeChannel(), &Audio().channels[0]);
    EXPECT_TRUE(Audio().sounds.empty());
}

TEST_F(AudioManagerTest, ThePathIsLoadedOnceAndPlaysOnASecondSlot) {
    const std::string path = Tone("click.ogg", 500);
    audio::Channel first, second;
    Audio().PlaySound(path, 1, false, -1, 1.0f, 0, &first);
    Audio().PlaySound(path, 1, false, -1, 1.0f, 0, &second);
    ASSERT_EQ(Audio().sounds.size(), 1u);
    EXPECT_EQ(Audio().channels[0], first);
    EXPECT_EQ(Audio().channels[1], second);
    audio::Sound a, b;
    first.GetCurrentSound(&a);
    second.GetCurrentSound(&b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, Audio().FindSound(path));
    EXPECT_TRUE(Playing(first));
    EXPECT_TRUE(Playing(second));
}

TEST_F(AudioManagerTest, APlayWithoutLoopIgnoresTheLoopCount) {
    audio::Channel channel;
    Audio().PlaySound(Tone("once.ogg", 100), 1, false, 3, 1.0f, 0, &channel);
    Render(100);
    EXPECT_FALSE(Playing(channel));
}

TEST_F(AudioManagerTest, ALoopCountPlaysTheSoundThatManyTimesMore) {
    audio::Channel channel;
    Audio().PlaySound(Tone("thrice.ogg", 100), 1, true, 2, 0.7f, 0, &channel);
    EXPECT_FLOAT_EQ(Volume(channel), 0.7f);
    Render(299);
    EXPECT_TRUE(Playing(channel));
    Render(1);
    EXPECT_FALSE(Playing(channel));
}

TEST_F(AudioManagerTest, AFullChannelTablePlaysNothingAndHandsBackANullChannel) {
    const std::string path = Tone("busy.ogg", 200);
    for (int i = 0; i < AudioManager::kChannelSlots; ++i) Audio().PlaySound(path, 1, true);
    ASSERT_EQ(Audio().GetFreeChannel(), nullptr);
    audio::Channel out = Audio().channels[0];  // whatever was there before must not come back
    Audio().PlaySound(path, 1, true, -1, 1.0f, 0, &out);
    EXPECT_TRUE(out.IsNull());
    EXPECT_EQ(Audio().system->GetPlayingChannels(), AudioManager::kChannelSlots);
    audio::Channel positioned = Audio().channels[3];
    Audio().PlaySound3D(Audio().FindSound(path), 1, false, -1, 1.0f, &positioned, {}, {});
    EXPECT_TRUE(positioned.IsNull());
    Audio().channels[7].Stop();  // a slot frees up when its channel stops
    EXPECT_EQ(Audio().GetFreeChannel(), &Audio().channels[7]);
}

TEST_F(AudioManagerTest, AGroupOutsideZeroToTwoPlaysOnGroupOne) {
    const std::string path = Tone("group.ogg", 500);
    audio::Channel high, low;
    Audio().PlaySound(path, 7, false, -1, 1.0f, 0, &high);
    Audio().PlaySound(path, -1, false, -1, 1.0f, 0, &low);
    ASSERT_TRUE(Playing(high));
    Audio().groups[1].SetMute(true);
    float gain = 1.0f;
    high.GetAudibility(&gain);
    EXPECT_EQ(gain, 0.0f);
    low.GetAudibility(&gain);
    EXPECT_EQ(gain, 0.0f);
}

TEST_F(AudioManagerTest, MusicGroupSettingsReachPlayingMusic) {
    audio::Channel music;
    Audio().PlaySound(Tone("music.ogg", 500), 0, true, -1, 1.0f, 1, &music);
    Audio().Group(0).SetVolume(0.25f);
    float gain = 0.0f;
    music.GetAudibility(&gain);
    EXPECT_FLOAT_EQ(gain, 0.25f);
}

TEST_F(AudioManagerTest, AFailedLoadIsRetriedAndTheLaterSoundIsCachedAndReleased) {
    const std::string path = dir.File("late.ogg");
    Audio().PlaySound(path, 1);
    EXPECT_EQ(Audio().lastResult, audio::Result::ErrFileNotFound);
    ASSERT_EQ(Audio().sounds.count(path), 1u);
    EXPECT_TRUE(Audio().FindSound(path).IsNull());
    ASSERT_TRUE(fixture::WriteOggTone(path, kRate));
    audio::Channel channel;
    Audio().PlaySound(path, 1, true, -1, 1.0f, 0, &channel);
    ASSERT_TRUE(Playing(channel));
    EXPECT_FALSE(Audio().FindSound(path).IsNull());
    Audio().ReleaseAllSounds();  // owned by the cache now: released with it
    EXPECT_FALSE(Playing(channel));
}

TEST_F(AudioManagerTest, CreateSoundModesAndTheCacheStaysUntouched) {
    const std::string path = Tone("modes.ogg", 100);
    audio::Sound whole = Audio().CreateSound(path, 0);
    audio::Sound stream = Audio().CreateSound(path, 1);
    EXPECT_FALSE(whole.IsNull());
    EXPECT_FALSE(stream.IsNull());
    EXPECT_TRUE(Audio().CreateSound(path, 2).IsNull());
    EXPECT_TRUE(Audio().sounds.empty());
    whole.Release();
    stream.Release();
}

TEST_F(AudioManagerTest, LoopPointsWithMinusOneCoverTheWholeSound) {
    const std::string path = Tone("whole.ogg", 500);
    Audio().PlaySound(path, 0, true);
    Audio().SetLoopPoints(path, 100, 200);
    uint32_t start = 0, end = 0;
    Audio().FindSound(path).GetLoopPoints(&start, &end);
    EXPECT_EQ(start, 100u);
    EXPECT_EQ(end, 200u);
    Audio().SetLoopPoints(path, -1, -1);
    Audio().FindSound(path).GetLoopPoints(&start, &end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 500u);
    Audio().SetLoopPoints(dir.File("never-played.ogg"), 0, 10);  // not cached: nothing
    Audio().SetLoopPoints(audio::Sound{}, 0, 10);
}

TEST_F(AudioManagerTest, DeferredLoopPointsLandAfterTheNextRender) {
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    const std::string path = Tone("deferred.ogg", 500);
    audio::Channel channel;
    Audio().PlaySound(path, 0, true, -1, 1.0f, 1, &channel);
    Audio().SetLoopPointsDeferred(path, 100, 200);
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::AfterRender), 1u);
    uint32_t start = 0, end = 0;
    Audio().FindSound(path).GetLoopPoints(&start, &end);
    EXPECT_EQ(end, 500u);
    engine.Step();
    Audio().FindSound(path).GetLoopPoints(&start, &end);
    EXPECT_EQ(start, 100u);
    EXPECT_EQ(end, 200u);
    Render(450);
    EXPECT_EQ(PositionMs(channel), 150u);  // 0..200, then 100..200 laps
}

TEST_F(AudioManagerTest, ASceneChangeEmptiesTheCacheAndResetsListeners) {
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    const std::string path = Tone("scene.ogg", 500);
    audio::Channel channel;
    Audio().PlaySound(path, 0, true, -1, 1.0f, 0, &channel);
    Audio().system->Set3DNumListeners(2);
    Audio().listenerCount = 2;
    EngineState::GetInstance().state = EngineState::SceneChange;
    engine.Step();
    EXPECT_TRUE(Audio().sounds.empty());
    EXPECT_FALSE(Playing(channel));
    int listeners = -1;
    Audio().system->Get3DNumListeners(&listeners);
    EXPECT_EQ(listeners, 0);
    EXPECT_EQ(Audio().listenerCount, 0u);
    audio::Channel again;
    Audio().PlaySound(path, 0, false, -1, 1.0f, 0, &again);  // loads anew
    EXPECT_TRUE(Playing(again));
    EXPECT_EQ(Audio().sounds.size(), 1u);
}

TEST_F(AudioManagerTest, TheRunningFrameKeepsTheUpdateResult) {
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    Audio().PlaySound(dir.File("absent.ogg"), 1);
    EXPECT_NE(Audio().lastResult, audio::Result::Ok);
    engine.Step();
    EXPECT_EQ(Audio().lastResult, audio::Result::Ok);
}

TEST_F(AudioManagerTest, QuitReleasesSoundsAndListeners) {
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    audio::Channel channel;
    Audio().PlaySound(Tone("quit.ogg", 500), 0, true, -1, 1.0f, 0, &channel);
    Audio().listenerCount = 1;
    EngineState::GetInstance().state = EngineState::QuitState;
    engine.Step();
    EXPECT_TRUE(Audio().sounds.empty());
    EXPECT_FALSE(Playing(channel));
    EXPECT_EQ(Audio().listenerCount, 0u);
}

}  // namespace
