#pragma once
// How a game object makes sound: one main sound (loop, play on start, fade,
// loop points), a pool of files loaded in advance, and one-shots played at the
// object's position. All its sounds are its own: loaded at Awake, released at
// OnDestroy, never in the AudioManager's cache.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "gameobjectengine/Component.h"
#include "platform/audio/AudioHandles.h"

class AudioSource : public Component {
public:
    explicit AudioSource(int32_t objectID);
    // "filePath", "volume", "channelGroup", "loop", "loopCount", "audioType", "playOnAwake",
    // "loopStartPoint", "loopEndPoint", "soundPoolFiles" (array of strings), "minDist", "maxDist".
    explicit AudioSource(const JsonValue& json);

    void Awake() override;
    void Start() override;
    void Update() override;
    void OnDestroy() override;
    // The settings only: a clone loads its own sounds (two owners would release them twice).
    Component* Clone() const override;

    // Plays the main sound; resumes it when paused, restarts it when playing.
    void Play();
    // Plays a file once on `group` at the object's position; an empty path does nothing.
    void PlayOneShot(const std::string& path, int32_t group, float volume);
    void StopAll();
    // Fades the main sound from `volume` to target (clamped to [0, 1]) over duration seconds.
    void FadeVolume(float duration, float target);
    audio::Sound FindSound(const std::string& path) const;

    std::string filePath;
    float volume = 1.0f;
    int32_t channelGroup = 1;
    bool loop = false;
    int32_t loopCount = -1;
    int32_t audioType = 0;
    bool playOnAwake = false;
    int32_t loopStartPoint = -1;
    int32_t loopEndPoint = -1;
    std::vector<std::string> soundPoolFiles;
    float minDist = 100.0f;
    float maxDist = 1000.0f;

    std::map<std::string, audio::Sound> sourceSounds;
    std::vector<audio::Channel> oneShotChannels;
    audio::Channel mainChannel;

    bool fading = false;
    float fadeDuration = 0.0f;
    float fadeElapsed = 0.0f;
    float fadeTarget = 0.0f;

private:
    // Loads path into sourceSounds unless it is there already; null when it cannot be loaded.
    audio::Sound LoadOwnSound(const std::string& path);
    void MakeSpatial(audio::Sound sound) const;
    // The object's Transform position as a 3D point; false without a Transform.
    bool ObjectPosition(audio::Vec3& out) const;
    void RunFade();
};
