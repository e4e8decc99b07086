// The game is mostly data: these checks fail when a picture or sound that the
// code, a scene or a prefab names is missing or does not decode, and they hold
// the art and sound conventions the engine relies on.
#include <gtest/gtest.h>
#include <lodepng.h>
#include <vorbis/vorbisfile.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "FixedAssetList.h"

namespace fs = std::filesystem;
using namespace harrowvale_assets;

namespace {

bool HasExtension(const std::string& path, const char* ext) {
    const std::string e(ext);
    return path.size() > e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0;
}

bool IsMediaPath(const std::string& path) {
    return HasExtension(path, ".png") || HasExtension(path, ".ogg") || HasExtension(path, ".ttf");
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every "Assets/..." string literal of a text (code, scene or prefab file).
void CollectAssetStrings(const std::string& text, std::set<std::string>& out) {
    const std::string key = "\"Assets/";
    for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + 1)) {
        const size_t end = text.find('"', at + 1);
        if (end == std::string::npos) break;
        const std::string literal = text.substr(at + 1, end - at - 1);
        if (literal.find('\n') == std::string::npos && IsMediaPath(literal)) out.insert(literal);
    }
}

std::set<std::string> StringsUnder(const fs::path& root, const std::vector<std::string>& extensions) {
    std::set<std::string> found;
    if (!fs::exists(root)) return found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().string();
        for (const auto& ext : extensions) {
            if (HasExtension(name, ext.c_str())) {
                CollectAssetStrings(ReadFile(entry.path()), found);
                break;
            }
        }
    }
    return found;
}

struct Picture {
    unsigned width = 0, height = 0;
    std::vector<unsigned char> rgba;
    unsigned error = 1;
    unsigned char Alpha(unsigned x, unsigned y) const { return rgba[(size_t(y) * width + x) * 4 + 3]; }
};

Picture DecodePng(const std::string& path) {
    Picture p;
    p.error = lodepng::decode(p.rgba, p.width, p.height, path);
    return p;
}

struct Sound {
    bool opened = false;
    int channels = 0;
    long rate = 0;
    long long frames = 0;
    std::vector<float> samples;  // interleaved, filled only when asked
};

Sound DecodeOgg(const std::string& path, bool keepSamples) {
    Sound s;
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return s;
    s.opened = true;
    const vorbis_info* info = ov_info(&vf, -1);
    s.channels = info->channels;
    s.rate = info->rate;
    s.frames = ov_pcm_total(&vf, -1);
    long long decoded = 0;
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        const long got = ov_read_float(&vf, &pcm, 4096, &section);
        if (got <= 0) break;
        decoded += got;
        if (keepSamples)
            for (long i = 0; i < got; ++i)
                for (int c = 0; c < s.channels; ++c) s.samples.push_back(pcm[c][i]);
    }
    ov_clear(&vf);
    if (decoded != s.frames) s.opened = false;  // a truncated or damaged stream
    return s;
}

// Checks that one file exists and decodes; returns a failure text or "".
std::string CheckMedia(const std::string& path) {
    if (!fs::exists(path)) return "missing: " + path;
    if (HasExtension(path, ".png")) {
        const Picture p = DecodePng(path);
        if (p.error) return "does not decode (" + std::string(lodepng_error_text(p.error)) + "): " + path;
        if (p.width == 0 || p.height == 0) return "empty picture: " + path;
    } else if (HasExtension(path, ".ogg")) {
        const Sound s = DecodeOgg(path, false);
        if (!s.opened || s.frames <= 0) return "does not decode: " + path;
    } else if (HasExtension(path, ".ttf")) {
        FT_Library lib;
        if (FT_Init_FreeType(&lib)) return "FreeType does not start";
        FT_Face face;
        std::string failure;
        if (FT_New_Face(lib, path.c_str(), 0, &face)) {
            failure = "font does not open: " + path;
        } else {
            if (FT_Get_Char_Index(face, 'H') == 0) failure = "font lacks the glyph H: " + path;
            FT_Done_Face(face);
        }
        FT_Done_FreeType(lib);
        return failure;
    }
    return "";
}

void ExpectAllPresent(const std::set<std::string>& paths, const char* source) {
    std::vector<std::string> failures;
    for (const auto& p : paths) {
        const std::string f = CheckMedia(p);
        if (!f.empty()) failures.push_back(f);
    }
    std::string all;
    for (const auto& f : failures) all += "  " + f + "\n";
    EXPECT_TRUE(failures.empty()) << failures.size() << " file(s) named by " << source << ":\n" << all;
}

std::set<std::string> FixedPaths() {
    std::set<std::string> paths(std::begin(kFixedPaths), std::end(kFixedPaths));
    for (const auto& group : kFolderFiles)
        for (const auto& name : group.names)
            if (!name.empty()) paths.insert(std::string(group.folder) + std::string(name));
    return paths;
}

}  // namespace

TEST(AssetsExist, EveryFixedPathExistsAndDecodes) {
    const auto paths = FixedPaths();
    ASSERT_GT(paths.size(), 180u);  // the list itself must not shrink by accident
    ExpectAllPresent(paths, "the game's fixed paths");
}

TEST(AssetsExist, EveryPathInTheCodeExistsAndDecodes) {
    const auto paths = StringsUnder("Code", {".cpp", ".h", ".hpp"});
    ExpectAllPresent(paths, "the code under Code/");
}

TEST(AssetsExist, EveryPathInScenesAndPrefabsExistsAndDecodes) {
    auto paths = StringsUnder("Assets/Scenes", {".scene"});
    const auto prefabs = StringsUnder("Assets/Prefabs", {""});
    paths.insert(prefabs.begin(), prefabs.end());
    ExpectAllPresent(paths, "scene and prefab files");
}

TEST(AssetsExist, EveryPictureDecodesAndUnnamedOnesAreListed) {
    std::set<std::string> named = FixedPaths();
    for (const auto& src : {StringsUnder("Code", {".cpp", ".h"}), StringsUnder("Assets/Scenes", {".scene"}),
                            StringsUnder("Assets/Prefabs", {""})})
        named.insert(src.begin(), src.end());
    std::vector<std::string> unnamed;
    size_t pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator("Assets/Art")) {
        if (!entry.is_regular_file() || entry.path().extension() != ".png") continue;
        const std::string path = entry.path().generic_string();
        ++pictures;
        EXPECT_EQ(CheckMedia(path), "");
        if (!named.count(path)) unnamed.push_back(path);
    }
    EXPECT_GT(pictures, 0u);
    std::sort(unnamed.begin(), unnamed.end());
    std::cout << "[ info ] " << unnamed.size() << " of " << pictures
              << " pictures are not named by the code, the scenes or the prefabs yet:\n";
    for (const auto& p : unnamed) std::cout << "           " << p << "\n";
}

TEST(AssetsAudio, EffectsAndVoicesAreMonoMusicIsStereoAllAt44100) {
    size_t checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator("Assets/Audio")) {
        if (!entry.is_regular_file() || entry.path().extension() != ".ogg") continue;
        const std::string path = entry.path().generic_string();
        const Sound s = DecodeOgg(path, false);
        ASSERT_TRUE(s.opened) << path;
        EXPECT_EQ(s.rate, 44100) << path;
        const bool music = path.find("Assets/Audio/BGM/") == 0;
        EXPECT_EQ(s.channels, music ? 2 : 1) << path;
        ++checked;
    }
    EXPECT_GT(checked, 100u);
}

namespace {

// A loop plays its last sample and then its first: that step must be no
// bigger than the steps inside the music itself, or it clicks.
void ExpectSeamless(const std::string& path) {
    const Sound s = DecodeOgg(path, true);
    ASSERT_TRUE(s.opened) << path;
    ASSERT_GT(s.frames, 1000);
    const int ch = s.channels;
    for (int c = 0; c < ch; ++c) {
        std::vector<float> steps;
        steps.reserve(size_t(s.frames));
        for (long long i = 1; i < s.frames; ++i)
            steps.push_back(std::fabs(s.samples[size_t(i * ch + c)] - s.samples[size_t((i - 1) * ch + c)]));
        const size_t k = size_t(double(steps.size()) * 0.999);
        std::nth_element(steps.begin(), steps.begin() + long(k), steps.end());
        const float typical = steps[k];
        const float seam = std::fabs(s.samples[size_t(c)] - s.samples[size_t((s.frames - 1) * ch + c)]);
        EXPECT_LE(seam, typical + 1e-3f) << path << " channel " << c;
    }
}

}  // namespace

TEST(AssetsAudio, LayeredMusicLayersMatchAndEveryLoopIsSeamless) {
    const std::vector<std::vector<std::string>> layered = {
        {"SlumsBase", "SlumsLead1", "SlumsLead2"}, {"MagitekBase", "MagitekLead1", "MagitekLead2"}};
    for (const auto& piece : layered) {
        const Sound first = DecodeOgg("Assets/Audio/BGM/" + piece[0] + ".ogg", false);
        ASSERT_TRUE(first.opened) << piece[0];
        for (const auto& layer : piece) {
            const Sound s = DecodeOgg("Assets/Audio/BGM/" + layer + ".ogg", false);
            ASSERT_TRUE(s.opened) << layer;
            EXPECT_EQ(s.frames, first.frames) << layer << " differs in length from " << piece[0];
            EXPECT_EQ(s.rate, first.rate) << layer;
            EXPECT_EQ(s.channels, first.channels) << layer;
        }
    }
    for (const char* loop : {"MenuTheme", "SlumsBase", "SlumsLead1", "SlumsLead2", "MagitekBase", "MagitekLead1",
                             "MagitekLead2", "BossBase", "BossNext", "Credits"})
        ExpectSeamless(std::string("Assets/Audio/BGM/") + loop + ".ogg");
}

namespace {

bool CellEmpty(const Picture& p, unsigned n, unsigned col, unsigned row) {
    const unsigned cw = p.width / n, chh = p.height / n;
    for (unsigned y = row * chh; y < (row + 1) * chh; ++y)
        for (unsigned x = col * cw; x < (col + 1) * cw; ++x)
            if (p.Alpha(x, y)) return false;
    return true;
}

bool CellBorderClear(const Picture& p, unsigned n, unsigned col, unsigned row) {
    const unsigned cw = p.width / n, chh = p.height / n;
    const unsigned x0 = col * cw, y0 = row * chh, x1 = x0 + cw - 1, y1 = y0 + chh - 1;
    for (unsigned x = x0; x <= x1; ++x)
        if (p.Alpha(x, y0) || p.Alpha(x, y1)) return false;
    for (unsigned y = y0; y <= y1; ++y)
        if (p.Alpha(x0, y) || p.Alpha(x1, y)) return false;
    return true;
}

}  // namespace

TEST(AssetsAtlas, DamageDigitsSitInTheCellsTheDigitPassReads) {
    for (const char* sheet : {"DamageFont", "DamageFontNormal", "DamageFontShield", "DamageFontHeal"}) {
        const Picture p = DecodePng(std::string("Assets/Art/UI/") + sheet + ".png");
        ASSERT_EQ(p.error, 0u) << sheet;
        ASSERT_EQ(p.width, p.height) << sheet;
        // '0'..'3' on the bottom row, '4'..'7' above, '8' and '9' at the left of row 1
        for (unsigned c = 0; c < 4; ++c) {
            EXPECT_FALSE(CellEmpty(p, 4, c, 3)) << sheet << " digit " << c;
            EXPECT_FALSE(CellEmpty(p, 4, c, 2)) << sheet << " digit " << 4 + c;
        }
        EXPECT_FALSE(CellEmpty(p, 4, 0, 1)) << sheet << " digit 8";
        EXPECT_FALSE(CellEmpty(p, 4, 1, 1)) << sheet << " digit 9";
        EXPECT_TRUE(CellEmpty(p, 4, 0, 0)) << sheet << ": other characters show an empty cell";
        for (unsigned r = 0; r < 4; ++r)
            for (unsigned c = 0; c < 4; ++c) EXPECT_TRUE(CellBorderClear(p, 4, c, r)) << sheet << " cell " << c << "," << r;
    }
}

TEST(AssetsAtlas, CharacterSheetsAreSquareGridsWithClearCellBorders) {
    // sheet, cells per row and column (docs/art.md gives the rows of each)
    const std::map<std::string, unsigned> sheets = {
        {"ThiefAtlas", 9}, {"MageAtlas", 9}, {"SlumBruteAtlas", 8}, {"SlumSlingerAtlas", 8},
        {"MagitekAndroidRedAtlas", 8}, {"FinalBossAtlas", 11}, {"LaserBossAtlas", 8}};
    for (const auto& [name, n] : sheets) {
        const Picture p = DecodePng("Assets/Art/Characters/" + name + ".png");
        ASSERT_EQ(p.error, 0u) << name;
        ASSERT_EQ(p.width, p.height) << name;
        ASSERT_EQ(p.width % n, 0u) << name;
        EXPECT_FALSE(CellEmpty(p, n, 0, 0)) << name << ": the first idle cell shows the character";
        for (unsigned r = 0; r < n; ++r)
            for (unsigned c = 0; c < n; ++c)
                EXPECT_TRUE(CellBorderClear(p, n, c, r)) << name << " cell " << c << "," << r;
    }
    const Picture shield = DecodePng("Assets/Art/Effects/Shield.png");
    ASSERT_EQ(shield.error, 0u);
    for (unsigned c = 0; c < 4; ++c) EXPECT_FALSE(CellEmpty(shield, 4, c, 3)) << "shield loop cell " << c;
}
