// AudioSource and AudioListener in scenes.
#include <memory>

#include "AudioTestUtil.h"
#include "audio/AudioListener.h"
#include "audio/AudioSource.h"
#include "gameobjectengine/EngineState.h"
#include "gameobjectengine/JobManager.h"
#include "gameobjectengine/Transform.h"

using namespace audiotest;

namespace {

class AudioSourceTest : public AudioScene {
protected:
    // One object "Src" with a Transform at (x, 0) and an AudioSource with these extra keys.
    AudioSource* LoadSource(const std::string& keys, bool withTransform = true, float x = 0.0f) {
        std::string components;
        if (withTransform)
            components = R"({"class": "Transform", "gameObjectID": 0, "position": {"x": )" + std::to_string(x) +
                         R"(, "y": 0, "z": 0}},)";
        components += R"({"class": "AudioSource", "gameObjectID": 0)" + keys + "}";
        engine.LoadSceneText(R"({"GameObjects": [["Src", 1]], "Components": [)" + components +
                             R"(], "Dialogue": []})");
        return engine.Get<AudioSource>("Src");
    }
    static std::string Key(const std::string& name, const std::string& value) {
        return ", \"" + name + "\": " + value;
    }
    static std::string Str(const std::string& s) { return "\"" + s + "\""; }
};

TEST_F(AudioSourceTest, ReadsItsKeysAndKeepsDefaults) {
    AudioSource* source = LoadSource(Key("volume", "0.5") + Key("loop", "1") + Key("minDist", "20") +
                                     Key("soundPoolFiles", "\"not an array\""));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->volume, 0.5f);
    EXPECT_TRUE(source->loop);
    EXPECT_EQ(source->minDist, 20.0f);
    EXPECT_EQ(source->maxDist, 1000.0f);
    EXPECT_EQ(source->channelGroup, 1);
    EXPECT_EQ(source->loopCount, -1);
    EXPECT_EQ(source->loopStartPoint, -1);
    EXPECT_TRUE(source->soundPoolFiles.empty());
}

TEST_F(AudioSourceTest, GroupOneMakesEverySound3DWithOneEntryEach) {
    const std::string main = Tone("main.ogg", 300), a = Tone("a.ogg", 100), b = Tone("b.ogg", 100);
    AudioSource* source = LoadSource(Key("filePath", Str(main)) + Key("minDist", "50") + Key("maxDist", "500") +
                                     Key("soundPoolFiles", "[" + Str(a) + "," + Str(b) + "," + Str(a) + "]"));
    ASSERT_EQ(source->sourceSounds.size(), 3u);
    EXPECT_EQ(source->oneShotChannels.size(), 3u);
    for (auto& [path, sound] : source->sourceSounds) {
        audio::Mode mode = 0;
        float minDist = 0, maxDist = 0;
        sound.GetMode(&mode);
        sound.Get3DMinMaxDistance(&minDist, &maxDist);
        EXPECT_TRUE(mode & audio::Mode3D) << path;
        EXPECT_EQ(minDist, 50.0f);
        EXPECT_EQ(maxDist, 500.0f);
    }
    EXPECT_TRUE(Audio().sounds.empty());  // the source's own, not the manager's
}

TEST_F(AudioSourceTest, GroupZeroIsFlatAndPreparesNoEntries) {
    const std::string main = Tone("flat.ogg", 300), shot = Tone("shot.ogg", 100);
    AudioSource* source = LoadSource(Key("filePath", Str(main)) + Key("channelGroup", "0"));
    EXPECT_TRUE(source->oneShotChannels.empty());
    audio::Mode mode = 0;
    source->FindSound(main).GetMode(&mode);
    EXPECT_FALSE(mode & audio::Mode3D);
    source->PlayOneShot(shot, 1, 1.0f);
    EXPECT_EQ(source->oneShotChannels.size(), 1u);
    EXPECT_TRUE(Playing(source->oneShotChannels[0]));
    source->PlayOneShot(shot, 1, 1.0f);
    EXPECT_EQ(source->oneShotChannels.size(), 1u);
}

TEST_F(AudioSourceTest, OneShotsFollowTheObject) {
    const std::string shot = Tone("follow.ogg", 1000);
    AudioSource* source = LoadSource("", true, 30.0f);
    source->PlayOneShot(shot, 1, 0.5f);
    ASSERT_EQ(source->oneShotChannels.size(), 1u);
    audio::Channel channel = source->oneShotChannels[0];
    audio::Vec3 at;
    channel.Get3DAttributes(&at);
    EXPECT_EQ(at.x, 30.0f);
    EXPECT_FLOAT_EQ(Volume(channel), 0.5f);
    engine.Get<Transform>("Src")->x = 250.0f;
    engine.Get<Transform>("Src")->y = -40.0f;
    engine.Step();
    channel.Get3DAttributes(&at);
    EXPECT_EQ(at.x, 250.0f);
    EXPECT_EQ(at.y, -40.0f);
}

TEST_F(AudioSourceTest, TheSameOneShotAgainRestartsIt) {
    const std::string shot = Tone("again.ogg", 1000);
    AudioSource* source = LoadSource("");
    source->PlayOneShot(shot, 1, 1.0f);
    audio::Channel first = source->oneShotChannels[0];
    Render(300);
    source->PlayOneShot(shot, 1, 1.0f);
    EXPECT_FALSE(Playing(first));
    ASSERT_EQ(source->oneShotChannels.size(), 1u);
    EXPECT_TRUE(Playing(source->oneShotChannels[0]));
    EXPECT_EQ(PositionMs(source->oneShotChannels[0]), 0u);
}

TEST_F(AudioSourceTest, AMissingOneShotFileAddsNothing) {
    AudioSource* source = LoadSource("");
    for (int i = 0; i < 5; ++i) source->PlayOneShot(dir.File("missing.ogg"), 1, 1.0f);
    source->PlayOneShot("", 1, 1.0f);
    EXPECT_TRUE(source->oneShotChannels.empty());
    EXPECT_TRUE(source->sourceSounds.empty());
    EXPECT_EQ(Audio().system->GetPlayingChannels(), 0);
}

TEST_F(AudioSourceTest, PlayWithoutAMainSoundDoesNothing) {
    AudioSource* source = LoadSource(Key("filePath", Str(dir.File("missing.ogg"))) + Key("playOnAwake", "1"));
    engine.Step();
    source->Play();
    EXPECT_TRUE(source->mainChannel.IsNull());
    EXPECT_EQ(JobManager::GetInstance().Count(JobKind::AfterRender), 0u);
    EXPECT_EQ(Audio().system->GetPlayingChannels(), 0);
}

TEST_F(AudioSourceTest, WithoutATransformNothingIsPositioned) {
    AudioSource* source = LoadSource("", false);
    source->PlayOneShot(Tone("nowhere.ogg", 500), 1, 1.0f);
    ASSERT_EQ(source->oneShotChannels.size(), 1u);
    engine.Step();
    audio::Vec3 at{1, 1, 1};
    source->oneShotChannels[0].Get3DAttributes(&at);
    EXPECT_EQ(at.x, 0.0f);
    EXPECT_EQ(at.y, 0.0f);
    EXPECT_TRUE(Playing(source->oneShotChannels[0]));
}

TEST_F(AudioSourceTest, PlayOnAwakeStartsTheMainSoundWithItsLoopPoints) {
    const std::string main = Tone("awake.ogg", 500);
    AudioSource* source = LoadSource(Key("filePath", Str(main)) + Key("playOnAwake", "1") + Key("loop", "1") +
                                     Key("loopStartPoint", "100") + Key("loopEndPoint", "200") +
                                     Key("channelGroup", "0") + Key("volume", "0.6"));
    engine.Step();  // Start, then the loop points after the render
    ASSERT_TRUE(Playing(source->mainChannel));
    EXPECT_FLOAT_EQ(Volume(source->mainChannel), 0.6f);
    uint32_t start = 0, end = 0;
    source->FindSound(main).GetLoopPoints(&start, &end);
    EXPECT_EQ(start, 100u);
    EXPECT_EQ(end, 200u);
    Render(1000);
    EXPECT_TRUE(Playing(source->mainChannel));
}

TEST_F(AudioSourceTest, PlayResumesAPausedMainSoundAndRestartsAPlayingOne) {
    const std::string main = Tone("resume.ogg", 1000);
    AudioSource* source = LoadSource(Key("filePath", Str(main)));
    source->Play();
    Render(300);
    source->mainChannel.SetPaused(true);
    source->Play();
    EXPECT_TRUE(Playing(source->mainChannel));
    EXPECT_EQ(PositionMs(source->mainChannel), 300u);
    audio::Channel before = source->mainChannel;
    source->Play();
    EXPECT_FALSE(Playing(before));
    EXPECT_TRUE(Playing(source->mainChannel));
    EXPECT_EQ(PositionMs(source->mainChannel), 0u);
    Render(1000);
    EXPECT_FALSE(Playing(source->mainChannel));
    source->Play();  // ended: plays again
    EXPECT_TRUE(Playing(source->mainChannel));
}

TEST_F(AudioSourceTest, FadeVolumeClampsItsTargetAndFadesLinearly) {
    AudioSource* source = LoadSource(Key("filePath", Str(Tone("fade.ogg", 5000))) + Key("volume", "0.5"));
    source->Play();
    source->FadeVolume(2.0f, 1.5f);
    EXPECT_EQ(source->fadeTarget, 1.0f);
    engine.Step(60);
    EXPECT_NEAR(Volume(source->mainChannel), 0.75f, 0.01f);
    engine.Step(61);
    EXPECT_FALSE(source->fading);
    EXPECT_EQ(source->volume, 1.0f);
    EXPECT_EQ(Volume(source->mainChannel), 1.0f);
}

TEST_F(AudioSourceTest, AFadeOfNoDurationLandsAtOnceWithFiniteVolumes) {
    AudioSource* source = LoadSource(Key("filePath", Str(Tone("zero.ogg", 1000))));
    source->Play();
    source->FadeVolume(0.0f, 0.3f);
    engine.Step();
    EXPECT_FLOAT_EQ(Volume(source->mainChannel), 0.3f);
    source->FadeVolume(1.0f, NAN);
    engine.Step(61);
    EXPECT_EQ(Volume(source->mainChannel), 0.0f);
}

TEST_F(AudioSourceTest, DestroyStopsAndReleasesItsSounds) {
    const std::string main = Tone("gone.ogg", 1000);
    AudioSource* source = LoadSource(Key("filePath", Str(main)));
    source->Play();
    source->PlayOneShot(main, 1, 1.0f);
    audio::Sound sound = source->FindSound(main);
    audio::Channel channel = source->mainChannel;
    source->OnDestroy();
    EXPECT_FALSE(Playing(channel));
    EXPECT_TRUE(source->sourceSounds.empty());
    uint32_t length = 0;
    EXPECT_EQ(sound.GetLength(&length), audio::Result::ErrInvalidHandle);
}

TEST_F(AudioSourceTest, ACloneNeverSharesSounds) {
    const std::string main = Tone("clone.ogg", 1000);
    AudioSource* source = LoadSource(Key("filePath", Str(main)) + Key("volume", "0.4"));
    source->Play();
    std::unique_ptr<AudioSource> copy(static_cast<AudioSource*>(source->Clone()));
    EXPECT_EQ(copy->volume, 0.4f);
    EXPECT_EQ(copy->filePath, main);
    EXPECT_TRUE(copy->sourceSounds.empty());
    EXPECT_TRUE(copy->mainChannel.IsNull());
    copy->OnDestroy();  // must not release the original's sounds
    EXPECT_TRUE(Playing(source->mainChannel));
    EXPECT_FALSE(source->FindSound(main).IsNull());
}

class AudioListenerTest : public AudioScene {
protected:
    void LoadHeroes(const std::string& extra = "") {
        engine.LoadSceneText(R"({"GameObjects": [["Thief", 1], ["Mage", 1]], "Components": [
            {"class": "Transform", "gameObjectID": 0, "position": {"x": 300, "y": 400, "z": 5}},
            {"class": "AudioListener", "gameObjectID": 0, "rolloffscale": 2.5)" + extra + R"(},
            {"class": "Transform", "gameObjectID": 1, "position": {"x": -10, "y": 20, "z": 0}},
            {"class": "AudioListener", "gameObjectID": 1}], "Dialogue": []})");
    }
    static audio::Vec3 ListenerAt(int index) {
        audio::Vec3 at;
        Audio().system->Get3DListenerAttributes(index, &at);
        return at;
    }
};

TEST_F(AudioListenerTest, EachListenerAnnouncesOneMore) {
    LoadHeroes();
    EXPECT_EQ(Audio().listenerCount, 2u);
    int count = 0;
    Audio().system->Get3DNumListeners(&count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(engine.Get<AudioListener>("Thief")->listenerIndex, 0u);
    EXPECT_EQ(engine.Get<AudioListener>("Mage")->listenerIndex, 1u);
    float doppler = 0, distance = 0, rolloff = 0;
    Audio().system->Get3DSettings(&doppler, &distance, &rolloff);
    EXPECT_EQ(rolloff, 1.0f);  // the last listener to wake sets the settings
    EXPECT_EQ(engine.Get<AudioListener>("Thief")->rolloffscale, 2.5f);
}

TEST_F(AudioListenerTest, EnabledListenersFollowTheirObjects) {
    LoadHeroes();
    engine.Step();
    EXPECT_EQ(ListenerAt(0).x, 300.0f);
    EXPECT_EQ(ListenerAt(0).y, 400.0f);
    EXPECT_EQ(ListenerAt(0).z, 0.0f);
    EXPECT_EQ(ListenerAt(1).x, -10.0f);
    engine.Get<AudioListener>("Mage")->enabled = false;
    engine.Get<Transform>("Mage")->x = 900.0f;
    engine.Get<Transform>("Thief")->x = 350.0f;
    engine.Step();
    EXPECT_EQ(ListenerAt(0).x, 350.0f);
    EXPECT_EQ(ListenerAt(1).x, -10.0f);  // stays where it was last put
}

TEST_F(AudioListenerTest, TheNearestHeroHearsA3DOneShot) {
    LoadHeroes();
    engine.Step();
    audio::Channel channel;
    audio::Sound sound = Audio().CreateSound(Tone("near.ogg", 500), 0);
    sound.SetMode(audio::Mode3D);
    sound.Set3DMinMaxDistance(100.0f, 1000.0f);
    Audio().PlaySound3D(sound, 1, false, -1, 1.0f, &channel, audio::Vec3{-10, 220, 0}, {});
    float gain = 0.0f;
    channel.GetAudibility(&gain);
    EXPECT_FLOAT_EQ(gain, 0.5f);  // 200 px from the mage, farther from the thief
    sound.Release();
}

TEST_F(AudioListenerTest, ASceneChangeStartsTheCountAgain) {
    LoadHeroes();
    EngineState::GetInstance().state = EngineState::SceneChange;
    engine.Step();
    EXPECT_EQ(Audio().listenerCount, 0u);
    LoadHeroes();
    EXPECT_EQ(engine.Get<AudioListener>("Thief")->listenerIndex, 0u);
}

TEST_F(AudioListenerTest, CloneCopiesEveryField) {
    LoadHeroes();
    AudioListener* mage = engine.Get<AudioListener>("Mage");
    std::unique_ptr<AudioListener> copy(static_cast<AudioListener*>(mage->Clone()));
    EXPECT_EQ(copy->listenerIndex, 1u);
    EXPECT_EQ(copy->transform.Get(), engine.Get<Transform>("Mage"));
}

}  // namespace
