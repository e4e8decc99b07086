// Golden pictures: the game's real scenes drawn under a virtual display, read back
// before the swap and compared with the PNGs kept next to this file.
//
// Each picture is a stated early frame (fixed 1/60 s frame time, random generator
// seeded 1), read back at 1920 x 1080 and kept averaged down to 480 x 270 so that the
// repository stays small. On the Mesa version recorded in renderer.txt the pictures
// must match exactly; on another one every channel may differ by up to 24 on at most
// 2 % of the pixels (llvmpipe's rounding changes between releases).
//
// A mismatch writes <name>-actual.png, <name>-expected.png and <name>-difference.png
// into $HARROWVALE_GOLDEN_OUT (default /tmp/harrowvale-golden). HARROWVALE_BLESS=1
// records the pictures (and renderer.txt) again instead of comparing.
#include <gtest/gtest.h>
#include <lodepng.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "EngineHarness.h"
#include "HiddenGlWindow.h"
#include "combat/CombatUnit.h"
#include "graphics/GraphicsEngine.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kShrink = 4;
constexpr int kSmallWidth = kWidth / kShrink, kSmallHeight = kHeight / kShrink;
constexpr int kOtherMesaChannel = 24;
constexpr double kOtherMesaShare = 0.02;
constexpr InputAction kDown = InputAction::Down, kSpace = InputAction::Jump, kEscape = InputAction::Back;
const char* const kGoldenDir = "tests/golden";

using Picture = std::vector<unsigned char>;  // RGBA rows, top row first

// The back buffer, top row first, averaged over kShrink x kShrink blocks.
Picture ReadBackShrunk() {
    std::vector<unsigned char> full(static_cast<size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, full.data());
    Picture small(static_cast<size_t>(kSmallWidth) * kSmallHeight * 4);
    for (int y = 0; y < kSmallHeight; ++y)
        for (int x = 0; x < kSmallWidth; ++x)
            for (int c = 0; c < 4; ++c) {
                int sum = 0;
                for (int dy = 0; dy < kShrink; ++dy)
                    for (int dx = 0; dx < kShrink; ++dx) {
                        const int row = kHeight - 1 - (y * kShrink + dy);  // GL rows start at the bottom
                        sum += full[(static_cast<size_t>(row) * kWidth + x * kShrink + dx) * 4 + c];
                    }
                small[(static_cast<size_t>(y) * kSmallWidth + x) * 4 + c] =
                    static_cast<unsigned char>(c == 3 ? 255 : (sum + kShrink * kShrink / 2) / (kShrink * kShrink));
            }
    return small;
}

std::string RendererName() {
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return std::string(version ? version : "?") + " | " + (renderer ? renderer : "?");
}

std::string RecordedRendererName() {
    std::ifstream in(std::string(kGoldenDir) + "/renderer.txt");
    std::string line;
    std::getline(in, line);
    return line;
}

std::string OutDir() {
    const char* dir = std::getenv("HARROWVALE_GOLDEN_OUT");
    return dir && *dir ? dir : "/tmp/harrowvale-golden";
}

// Channels that differ by more than `tolerance`, counted by pixel; the difference
// picture shows each pixel's largest channel difference, amplified.
size_t CountDifferences(const Picture& a, const Picture& b, int tolerance, Picture& difference) {
    size_t count = 0;
    difference.assign(a.size(), 255);
    for (size_t p = 0; p < a.size(); p += 4) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(a[p + c] - b[p + c]));
        if (worst > tolerance) ++count;
        difference[p] = static_cast<unsigned char>(std::min(255, worst * 8));  // red where they differ
        difference[p + 1] = difference[p + 2] = 0;
    }
    return count;
}

struct Shot {
    const char* name;
    const char* scene;
    std::function<void(EngineHarness&)> play;  // brings the scene to the frame taken
};

void Frames(EngineHarness& engine, int n) { engine.Step(n); }

// The first level's opening conversation skipped line by line, and the HUD up.
void SkipDialogue(EngineHarness& engine) {
    engine.Step(90);
    for (int i = 0; i < 12; ++i) {
        engine.Tap(kSpace);
        engine.Step(20);
    }
    engine.Step(60);
}

void KillThief(EngineHarness& engine) {
    engine.Step(120);
    if (auto* thief = engine.Get<Combat::CombatUnit>("Thief")) thief->currentHealth = 0;
}

const Shot kShots[] = {
    {"splash", "Assets/Scenes/SplashScreen.scene", [](EngineHarness& e) { Frames(e, 45); }},
    {"main-menu", "Assets/Scenes/MainMenu.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"options", "Assets/Scenes/MainMenu.scene",
     [](EngineHarness& e) {
         Frames(e, 90);
         e.Tap(kDown);
         e.Tap(kSpace);
         Frames(e, 10);
     }},
    {"credits", "Assets/Scenes/Credits.scene", [](EngineHarness& e) { Frames(e, 120); }},
    {"menu-credits", "Assets/Scenes/MenuCredits.scene", [](EngineHarness& e) { Frames(e, 120); }},
    {"you-won", "Assets/Scenes/YouWon.scene", [](EngineHarness& e) { Frames(e, 60); }},
    // Levels one second in (the fade done, the first dialogue bubble up).
    {"level-1", "Assets/Scenes/1_Slums.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-2", "Assets/Scenes/2_Slums.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-3", "Assets/Scenes/3_Slums.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-6", "Assets/Scenes/6_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-7", "Assets/Scenes/7_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-8", "Assets/Scenes/8_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-9", "Assets/Scenes/9_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-10", "Assets/Scenes/10_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-10b", "Assets/Scenes/10b_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-10c", "Assets/Scenes/10c_Magitek.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"level-11", "Assets/Scenes/11_Epilogue.scene", [](EngineHarness& e) { Frames(e, 90); }},
    {"hud", "Assets/Scenes/1_Slums.scene", SkipDialogue},
    {"pause", "Assets/Scenes/1_Slums.scene",
     [](EngineHarness& e) {
         SkipDialogue(e);  // the pause menu does not open over a conversation
         e.Tap(kEscape);
         Frames(e, 5);
     }},
    {"game-over", "Assets/Scenes/1_Slums.scene",
     [](EngineHarness& e) {
         KillThief(e);
         Frames(e, 60);  // the fallen hero's picture half faded in
     }},
    {"death-menu", "Assets/Scenes/1_Slums.scene",
     [](EngineHarness& e) {
         KillThief(e);
         Frames(e, 130);  // the picture whole and the death menu over it
     }},
};

class GoldenPictureTest : public ::testing::TestWithParam<Shot> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        ASSERT_TRUE(OpenHiddenGlWindow()) << "no GL 4.5 compatibility window or GraphicsEngine::Init failed";
    }
};

TEST_P(GoldenPictureTest, MatchesTheRecordedPicture) {
    const Shot& shot = GetParam();
    Picture actual;
    {
        EngineHarness engine;
        {
            FramesUndrawn quick;  // only the frame taken is drawn
            engine.LoadSceneFile(shot.scene);
            engine.FinishSceneChange();
            shot.play(engine);
        }
        GraphicsEngine::GetInstance().DrawFrame();
        actual = ReadBackShrunk();
    }
    const std::string golden = std::string(kGoldenDir) + "/" + shot.name + ".png";
    if (const char* bless = std::getenv("HARROWVALE_BLESS"); bless && std::string(bless) == "1") {
        ASSERT_EQ(lodepng::encode(golden, actual, kSmallWidth, kSmallHeight), 0u) << golden;
        std::ofstream(std::string(kGoldenDir) + "/renderer.txt") << RendererName() << "\n";
        return;
    }
    Picture expected;
    unsigned w = 0, h = 0;
    ASSERT_EQ(lodepng::decode(expected, w, h, golden), 0u) << golden << " missing: record it with HARROWVALE_BLESS=1";
    ASSERT_EQ(w, static_cast<unsigned>(kSmallWidth));
    ASSERT_EQ(h, static_cast<unsigned>(kSmallHeight));

    const bool sameMesa = RendererName() == RecordedRendererName();
    Picture difference;
    const size_t differing = CountDifferences(actual, expected, sameMesa ? 0 : kOtherMesaChannel, difference);
    const size_t allowed = sameMesa ? 0 : static_cast<size_t>(kOtherMesaShare * kSmallWidth * kSmallHeight);
    if (differing <= allowed) return;
    const std::string out = OutDir();
    std::filesystem::create_directories(out);
    lodepng::encode(out + "/" + shot.name + "-actual.png", actual, kSmallWidth, kSmallHeight);
    lodepng::encode(out + "/" + shot.name + "-expected.png", expected, kSmallWidth, kSmallHeight);
    lodepng::encode(out + "/" + shot.name + "-difference.png", difference, kSmallWidth, kSmallHeight);
    ADD_FAILURE() << shot.name << ": " << differing << " of " << kSmallWidth * kSmallHeight
                  << " pixels differ (renderer " << RendererName() << ", recorded " << RecordedRendererName()
                  << "); pictures in " << out;
}

INSTANTIATE_TEST_SUITE_P(Scenes, GoldenPictureTest, ::testing::ValuesIn(kShots),
                         [](const ::testing::TestParamInfo<Shot>& shotInfo) {
                             std::string testName = shotInfo.param.name;
                             for (char& c : testName)
                                 if (c == '-') c = '_';
                             return testName;
                         });

}  // namespace

// The golden pictures draw whole scenes with llvmpipe's threads still alive at exit, where
// LeakSanitizer's own thread stop now and then crashes after every test has passed. Leaks
// are the soak test's job, so this binary skips the exit-time leak check.
extern "C" int __lsan_is_turned_off() { return 1; }
