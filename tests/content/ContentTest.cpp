// Checks every scene and prefab file the game ships: format, class strings, ids, paths,
// the objects each kind of scene needs, the scene graph, dialogue, and the authoring
// traps of docs/levels.md.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "ContentFiles.h"
#include "dialogue/DialogueBox.h"
#include "graphics/Font.h"
#include "scenemanager/ComponentFactory.h"
#include "scenemanager/SceneTable.h"

using namespace content;

namespace {

// Scene indexes by what they are.
const std::set<int> kLevels = {6, 10, 11, 1, 4, 12, 14, 13, 16};
const std::set<int> kConversations = {15, 17};
const std::set<int> kSkillLevels = {6, 10, 11, 1, 4, 12};
const std::set<int> kSimpleScreens = {2, 3, 8, 7};
const std::set<int> kMenus = {9, 0};
const std::set<int> kCredits = {5, 18};

bool IsPlayScene(int index) { return kLevels.count(index) || kConversations.count(index); }

// Keys whose value is the id of another object, and the class that object must carry.
struct IdKey {
    const char* className;
    const char* key;
    const char* targetClass;
};
const IdKey kIdKeys[] = {
    {"Camera", "playerTransform", "Transform"},
    {"Camera", "secondaryPlayerTransform", "Transform"},
    {"Follow", "follow", "Transform"},
    {"Canvas", "initialUI", "Button"},
    {"Canvas", "cursor", "SpriteRenderer"},
    {"Button", "up", "Button"},
    {"Button", "down", "Button"},
    {"Button", "left", "Button"},
    {"Button", "right", "Button"},
    {"Button", "selectedSprite", "SpriteRenderer"},
    {"MainMenu", "newGameButton", "Button"},
    {"MainMenu", "newGameConfirmationBG", "SpriteRenderer"},
    {"MainMenu", "newGameYesButton", "Button"},
    {"MainMenu", "newGameNoButton", "Button"},
    {"MainMenu", "continueButton", "Button"},
    {"MainMenu", "optionsButton", "Button"},
    {"MainMenu", "creditsButton", "Button"},
    {"MainMenu", "exitButton", "Button"},
    {"TriggerEnableAIController", "target", "AIUnitController"},
    {"TriggerEnableEnemyBehaviour", "target", "EnemyBehaviour"},
    {"TriggerRigidbodyDirection", "target", "RigidBody"},
};

template <typename F>
void ForEachFile(F check) {
    for (const auto& f : AllFiles())
        if (f->parsed) check(*f);
}

template <typename F>
void ForEachString(const JsonValue& v, F visit) {
    if (v.IsString()) visit(std::string(v.GetString()));
    else if (v.IsArray())
        for (const JsonValue& e : v.GetArray()) ForEachString(e, visit);
    else if (v.IsObject())
        for (const auto& m : v.GetObject()) ForEachString(m.value, visit);
}

std::vector<const JsonValue*> Weapons(const JsonValue& unit) {
    std::vector<const JsonValue*> out;
    if (const JsonValue* w = json::FindArray(unit, "weapons"))
        for (const JsonValue& e : w->GetArray()) out.push_back(&e);
    return out;
}

bool FaderFadesIn(const JsonValue* fader) {
    return fader && json::ReadFloat(*fader, "startingAlpha", 100) == 0 &&
           json::ReadFloat(*fader, "endingAlpha", 0) == 100 && json::ReadFloat(*fader, "fadeTime", 0) > 0;
}

int LineFlags(const JsonValue& line) { return line.IsArray() && line.Size() > 4 && line[4].IsInt() ? line[4].GetInt() : 0; }

}  // namespace

TEST(Content, EveryFileParsesWithItsMembersAndKnownClassStrings) {
    ASSERT_FALSE(AllFiles().empty());
    for (int i = 0; i < scenes::kSceneCount; ++i) {
        EXPECT_TRUE(std::filesystem::exists(scenes::PathOf(i))) << "missing scene " << i << " " << scenes::PathOf(i);
    }
    for (const auto& f : AllFiles()) {
        ASSERT_TRUE(f->parsed) << f->path;
        EXPECT_TRUE(f->Objects() && f->Components()) << f->path;
        if (f->prefab) {
            EXPECT_EQ(f->ObjectCount(), 1) << f->path;
        } else {
            EXPECT_TRUE(f->Dialogue()) << f->path << ": no Dialogue array";
        }
        for (int id = 0; id < f->ObjectCount(); ++id) {
            const JsonValue& e = (*f->Objects())[static_cast<rapidjson::SizeType>(id)];
            if (e.IsNull()) continue;  // a placeholder that keeps the ids of later entries
            EXPECT_TRUE(e.IsArray() && e.Size() >= 2 && e[0].IsString() && e[1].IsInt() &&
                        (e.Size() < 3 || e[2].IsString()) && (e.Size() < 4 || e[3].IsUint()))
                << f->path << ": object entry " << id;
        }
        for (const JsonValue& c : f->Components()->GetArray())
            EXPECT_TRUE(c.IsObject() && factory::IsClassString(ClassOf(c))) << f->path << ": class " << ClassOf(c);
    }
}

TEST(Content, IdsNameObjectsWithTheComponentsTheyNeed) {
    ForEachFile([](const ContentFile& f) {
        for (const JsonValue& c : f.Components()->GetArray()) {
            if (f.prefab) {
                EXPECT_EQ(IdOf(c), 0) << f.path << ": prefab components belong to object 0";
            } else {
                EXPECT_TRUE(f.IsObject(IdOf(c))) << f.path << ": " << ClassOf(c) << " on id " << IdOf(c);
            }
        }
        for (const IdKey& k : kIdKeys)
            for (const JsonValue* c : f.All(k.className)) {
                if (!json::Has(*c, k.key)) continue;
                // A prefab is built into a running scene: its ids would name that scene's objects.
                EXPECT_FALSE(f.prefab) << f.path << ": " << k.className << "." << k.key << " names a scene object";
                const int target = json::ReadInt(*c, k.key, -1);
                EXPECT_TRUE(f.Has(target, k.targetClass))
                    << f.path << ": " << k.className << "." << k.key << " = " << target << " has no " << k.targetClass;
            }
    });
}

TEST(Content, EveryPathNamesAFile) {
    ForEachFile([](const ContentFile& f) {
        ForEachString(f.doc, [&](const std::string& s) {
            if (s.rfind("Assets/", 0) == 0) {
                EXPECT_TRUE(std::filesystem::is_regular_file(s)) << f.path << ": " << s;
            }
        });
    });
}

TEST(Content, EachKindOfSceneHoldsItsObjects) {
    for (int index : kLevels) {
        const ContentFile* f = SceneAt(index);
        ASSERT_TRUE(f) << index;
        const bool portal = index != 13;
        EXPECT_EQ(f->All("Portal").size(), portal ? 1u : 0u) << f->path;
        if (portal) {
            EXPECT_TRUE(f->On("GoImage", "SpriteRenderer") && f->Has(f->First("Portal") ? IdOf(*f->First("Portal")) : -1, "BoxCollider")) << f->path;
        }
        if (kSkillLevels.count(index)) {
            EXPECT_TRUE(f->On("SkillUnlock", "Fader")) << f->path;
        }
    }
    for (int index = 0; index < scenes::kSceneCount; ++index) {
        const ContentFile* f = SceneAt(index);
        if (!f || !f->parsed) continue;  // reported by the parse test
        if (IsPlayScene(index)) {
            for (const char* hero : {"Thief", "Mage"}) {
                const int id = f->Find(hero);
                EXPECT_TRUE(id >= 0 && f->TagOf(id) == "Player" && f->Has(id, "CombatUnit") &&
                            f->Has(id, "PlayerUnitController") && f->Has(id, "AIUnitController") &&
                            f->Has(id, "NavMeshAgent"))
                    << f->path << ": hero " << hero;
            }
            EXPECT_EQ(f->All("Camera").size(), 1u) << f->path;
            const JsonValue* manager = f->First("GameManager");
            EXPECT_TRUE(manager && f->Has(IdOf(*manager), "SaveManager")) << f->path;
            const JsonValue* pause = f->First("PauseMenu");
            EXPECT_TRUE(pause && f->Has(IdOf(*pause), "Canvas")) << f->path;
            EXPECT_TRUE(f->On("LoadingOutScreen", "SceneTransition") && f->On("LoadingOutAnim", "Fader")) << f->path;
            int layers = 0;
            for (const JsonValue* s : f->All("SpriteRenderer"))
                layers += json::ReadFlag(*s, "parallax", false) && json::ReadFloat(*s, "speed", 1) < 1;
            EXPECT_GE(layers, 3) << f->path << ": parallax layers";
            EXPECT_GT(f->Dialogue()->Size(), 0u) << f->path << ": the story needs a conversation";
        }
        if (kSimpleScreens.count(index)) {
            const JsonValue* t = f->First("SceneTransition");
            EXPECT_TRUE(t && json::ReadFlag(*t, "spaceToTransit", false) && f->Has(IdOf(*t), "Fader")) << f->path;
        }
        if (kMenus.count(index)) {
            for (const char* name : {"LoadingScreen", "LoadingAnim", "BGM"}) EXPECT_GE(f->Find(name), 0) << f->path << ": " << name;
            EXPECT_TRUE(f->First("MainMenu")) << f->path;
        }
        if (kCredits.count(index)) {
            EXPECT_TRUE(f->First("CreditsFlowController")) << f->path;
            for (const char* name : {"Fader1", "Fader2", "Fader3", "Fader4"}) {
                EXPECT_TRUE(f->On(name, "Fader")) << f->path << name;
            }
        }
    }
    const ContentFile* laser = SceneAt(14);
    ASSERT_TRUE(laser);
    const int boss = laser->Find("EnemyLaser");
    EXPECT_TRUE(boss >= 0 && laser->TagOf(boss) == "Laser Boss") << "the laser boss";
    int androids = 0;
    for (const JsonValue* u : laser->All("CombatUnit")) androids += json::ReadInt(*u, "team", 0) == 2 && IdOf(*u) != boss;
    EXPECT_EQ(androids, 2);
}

// Where each scene can lead. Levels lead to 0 and to themselves through the pause and
// death menus; the main menu to the first level, the credits and every level it can
// continue from.
std::map<int, std::set<int>> SceneGraph() {
    std::map<int, std::set<int>> next;
    std::set<int> saved;
    for (int i = 0; i < scenes::kSceneCount; ++i)
        if (const ContentFile* f = SceneAt(i); f && f->parsed)
            if (const JsonValue* gm = f->First("GameManager"); gm && json::ReadFlag(*gm, "saveScene", true)) saved.insert(i);
    for (int i = 0; i < scenes::kSceneCount; ++i) {
        const ContentFile* f = SceneAt(i);
        if (!f || !f->parsed) continue;
        for (const JsonValue* t : f->All("SceneTransition")) next[i].insert(json::ReadInt(*t, "sceneIndex", 0));
        for (const JsonValue* p : f->All("Portal")) next[i].insert(json::ReadInt(*p, "nextSceneIndex", 0));
        if (f->Find("Boss") >= 0) next[i].insert(15);
        if (f->First("PauseMenu") || f->First("GameManager")) next[i].insert({0, i});
        if (f->First("CreditsFlowController")) next[i].insert(0);
        if (f->First("MainMenu")) {
            next[i].insert({6, 18});
            next[i].insert(saved.begin(), saved.end());
        }
    }
    return next;
}

std::set<int> ReachableFrom(std::map<int, std::set<int>>& next, int start) {
    std::set<int> seen = {start};
    std::vector<int> todo = {start};
    while (!todo.empty()) {
        const int s = todo.back();
        todo.pop_back();
        for (int to : next[s])
            if (seen.insert(to).second) todo.push_back(to);
    }
    return seen;
}

TEST(Content, TargetsAreSceneIndexesAndTheWholeTableIsReachable) {
    auto next = SceneGraph();
    for (const auto& [from, targets] : next)
        for (int to : targets) EXPECT_TRUE(to >= 0 && to < scenes::kSceneCount) << "scene " << from << " leads to " << to;
    // The story: from the first level through every level and conversation to the victory.
    const std::set<int> story = ReachableFrom(next, 6);
    for (int i : {6, 10, 11, 1, 4, 12, 14, 13, 15, 16, 17, 7}) EXPECT_TRUE(story.count(i)) << "the story skips scene " << i;
    const std::set<int> fromSplash = ReachableFrom(next, 2);
    for (int i = 0; i < scenes::kSceneCount; ++i) {
        EXPECT_TRUE(fromSplash.count(i)) << "scene " << i << " cannot be reached from the splash screen";
        EXPECT_TRUE(ReachableFrom(next, i).count(0)) << "scene " << i << " never gets back to the main menu";
    }
}

TEST(Content, DialogueLinesAreWellFormedAndTheirSpeakersExist) {
    ForEachFile([](const ContentFile& f) {
        if (f.prefab) return;
        const JsonValue& lines = *f.Dialogue();
        for (rapidjson::SizeType i = 0; i < lines.Size(); ++i) {
            const JsonValue& l = lines[i];
            ASSERT_TRUE(l.IsArray() && (l.Size() == 5 || l.Size() == 6) && l[0].IsString() && l[1].IsNumber() &&
                        l[2].IsNumber() && l[3].IsString() && l[4].IsInt() && (l.Size() == 5 || l[5].IsString()))
                << f.path << ": line " << i;
            EXPECT_GE(f.Find(l[0].GetString()), 0) << f.path << ": speaker " << l[0].GetString();
            EXPECT_EQ(l[4].GetInt() & ~7, 0) << f.path << ": line " << i << " flags";
            if (LineFlags(l) & 4) {
                EXPECT_EQ(i + 1, lines.Size()) << f.path << ": only the last line can exit";
            }
        }
        if (lines.Size() > 0) {
            EXPECT_TRUE(f.First("GameManager")) << f.path << ": nothing shows the first line";
        }
    });
}

namespace {

// The camera keeps the led hero between 35 % and 65 % of the screen's width; a walking
// hero runs up to this far past those edges before the camera catches up.
constexpr float kCameraLag = 200.0f;

float PositionX(const JsonValue* transform) {
    return transform && transform->HasMember("position") && (*transform)["position"].IsObject()
               ? json::ReadFloat((*transform)["position"], "x", 0.0f)
               : 0.0f;
}

// The left edges of the dialogue triggers, left to right: the order a party walking
// east fires them in.
std::vector<float> TriggerEdges(const ContentFile& f) {
    std::vector<float> edges;
    for (const JsonValue* trigger : f.All("TriggerDialogueNext")) {
        const int id = IdOf(*trigger);
        const JsonValue* box = f.First("BoxCollider", id);
        edges.push_back(PositionX(f.First("Transform", id)) - (box ? json::ReadFloat(*box, "width", 0.0f) : 0.0f));
    }
    std::sort(edges.begin(), edges.end());
    return edges;
}

// The part of the level that every camera shows while a led hero stands at x (group 0:
// the level's opening, the camera at the left end).
std::pair<float, float> ShownWhenTheLeaderIsAt(float x, bool opening, float levelWidth, float screen) {
    if (opening) return {0.0f, std::min(levelWidth, screen)};
    const float last = std::max(0.0f, levelWidth - screen);
    const float leftmost = std::clamp(x - 0.65f * screen - kCameraLag, 0.0f, last);
    const float rightmost = std::clamp(x - 0.35f * screen, 0.0f, last);
    return {rightmost, leftmost + screen};
}

// How far a speaker's body reaches to each side: its collider's radius (a picture has
// room around the figure), else the picture's half width.
float HalfWidthOf(const ContentFile& f, int id, const JsonValue& transform) {
    if (const JsonValue* circle = f.First("CircleCollider", id)) return json::ReadFloat(*circle, "radius", 0.0f);
    return transform.HasMember("scale") && transform["scale"].IsObject()
               ? std::fabs(json::ReadFloat(transform["scale"], "x", 0.0f))
               : 0.0f;
}

// A speaker that stays where the file puts it: not a hero, and no legs of its own.
bool StandsStill(const ContentFile& f, int id) {
    const JsonValue* unit = f.First("CombatUnit", id);
    return f.TagOf(id) != "Player" && (!unit || json::ReadFloat(*unit, "movementSpeed", 0.0f) == 0.0f);
}

}  // namespace

// No line is spoken from off the screen. The game manager shows the first group of lines
// as a level opens (the camera at the left end, everyone where the file puts them); each
// dialogue trigger shows the next group when the led hero reaches it. Wherever the camera
// can stand then, the speaker's body and the bubble (centred over it plus the line's x
// offset) must be on the screen. The heroes walk with the camera, so after the opening
// only speakers that stand still are judged.
TEST(Content, EveryLineIsSpokenOnTheScreen) {
    GlyphTable glyphs;
    ASSERT_TRUE(LoadFontGlyphs("Assets/Fonts/Fowviel.ttf", 144, nullptr, glyphs));
    ForEachFile([&](const ContentFile& f) {
        const JsonValue* camera = f.prefab ? nullptr : f.First("Camera");
        if (!camera) return;
        const float levelWidth = json::ReadFloat(*camera, "levelWidth", 0.0f);
        const float screen = json::ReadFloat(*camera, "screenWidth", 1920.0f);
        const std::vector<float> edges = TriggerEdges(f);
        const JsonValue& lines = *f.Dialogue();
        std::size_t group = 0;
        for (rapidjson::SizeType i = 0; i < lines.Size(); group += (LineFlags(lines[i]) & 1) != 0, ++i) {
            const int speaker = f.Find(lines[i][0].GetString());
            const JsonValue* place = f.First("Transform", speaker);
            if (!place || (group > 0 && !StandsStill(f, speaker))) continue;
            ASSERT_LE(group, edges.size()) << f.path << ": line " << i << " has no trigger";
            const auto [left, right] =
                ShownWhenTheLeaderIsAt(group ? edges[group - 1] : 0.0f, group == 0, levelWidth, screen);
            const float x = PositionX(place);
            const float body = HalfWidthOf(f, speaker, *place);
            float width = 0.0f, height = 0.0f;
            MeasureText(glyphs, WrapDialogueText(lines[i][3].GetString()), 0.2f, 0.2f, width, height);
            const float bubble = x + lines[i][1].GetFloat(), half = (width + 20.0f) / 2.0f;
            EXPECT_TRUE(x - body >= left && x + body <= right && bubble - half >= left && bubble + half <= right)
                << f.path << ": line " << i << " (" << lines[i][0].GetString() << ") spoken at " << x - body
                << " to " << x + body << ", bubble " << bubble - half << " to " << bubble + half << ", while "
                << left << " to " << right << " is shown";
        }
    });
}

// The traps of docs/levels.md, one block each.
TEST(Content, AuthoringTrapsHold) {
    ForEachFile([](const ContentFile& f) {
        const JsonValue* lines = f.prefab ? nullptr : f.Dialogue();
        const bool exits = lines && lines->Size() > 0 && (LineFlags((*lines)[lines->Size() - 1]) & 4);
        const bool layered = f.First("DyanmicBGM") || f.First("TransitionalBGM");
        // 1. A conversation exit fades layered music out and starts it again.
        if (exits) {
            EXPECT_FALSE(layered) << f.path << ": exits by a conversation but plays layered music";
            bool music = false;
            for (const JsonValue* a : f.All("AudioSource")) music |= json::ReadInt(*a, "channelGroup", 1) == 0;
            EXPECT_TRUE(music) << f.path << ": no music source";
            EXPECT_TRUE(f.On("LoadingOutScreen", "SceneTransition")) << f.path;
        }
        // 2 and 7. Groups of lines: the first for the game manager, one per dialogue trigger.
        const int triggers = static_cast<int>(f.All("TriggerDialogueNext").size());
        int groups = 0;
        if (lines)
            for (rapidjson::SizeType i = 0; i < lines->Size(); ++i)
                groups += (LineFlags((*lines)[i]) & 1) || i + 1 == lines->Size();
        if (lines && lines->Size() > 0) {
            EXPECT_EQ(groups, 1 + triggers) << f.path << ": dialogue groups vs triggers";
        }
        if (f.First("TransitionalBGM")) {
            EXPECT_TRUE(groups == 1 && triggers == 0) << f.path << ": one conversation only";
        }
        // 3. The death of the unit named "Boss" ends the final level.
        const int boss = f.Find("Boss");
        if (boss >= 0) {
            EXPECT_EQ(f.index, 13) << f.path << ": only the final boss is named Boss";
        }
        // 4. The partner hero attacks only objects with an EnemyBehaviour.
        for (int id = 0; id < f.ObjectCount(); ++id) {
            if (f.Has(id, "CombatUnit") && f.TagOf(id) != "Player") {
                EXPECT_TRUE(f.Has(id, "EnemyBehaviour")) << f.path << ": " << f.NameOf(id) << " has no EnemyBehaviour";
            }
        }
        // 5. Exit and loading fades run 0 -> 100 over a time, the screen's fade changes the scene.
        for (const char* screen : {"LoadingOutScreen", "LoadingScreen"})
            if (f.Find(screen) >= 0) {
                const JsonValue* fader = f.On(screen, "Fader");
                EXPECT_TRUE(FaderFadesIn(fader) && json::ReadFlag(*fader, "sceneTransit", false)) << f.path << ": " << screen;
            }
        for (const char* anim : {"LoadingOutAnim", "LoadingAnim"})
            if (f.Find(anim) >= 0) {
                EXPECT_TRUE(FaderFadesIn(f.On(anim, "Fader"))) << f.path << ": " << anim;
            }
    });
}

TEST(Content, WeaponsGiveManaBackHaveCooldownsAndTheTimesTheEffectsRead) {
    // weapon slot -> (cast time needed, recovery needed), by unit name or tag
    struct Need {
        const char* who;
        int slot;
        bool cast, recovery;
    };
    const Need needs[] = {{"Thief", 1, false, true}, {"Thief", 3, false, true}, {"Mage", 2, true, true},
                          {"Mage", 3, true, false},  {"MagitekBoss", 2, false, true}, {"MagitekBoss", 4, false, true},
                          {"MagitekBoss", 5, true, false}};
    ForEachFile([&](const ContentFile& f) {
        for (const JsonValue* u : f.All("CombatUnit")) {
            const int id = IdOf(*u);
            const auto weapons = Weapons(*u);
            if (f.TagOf(id) == "Player") {
                // 6. Mana comes back only through the caster-mana effect of weapon 0.
                ASSERT_FALSE(weapons.empty()) << f.path << ": " << f.NameOf(id);
                bool vamp = false;
                if (const JsonValue* e = json::FindArray(*weapons[0], "effects"))
                    for (const JsonValue& x : e->GetArray()) vamp |= json::ReadInt(x, "effectType", 0) == 3;
                EXPECT_TRUE(vamp) << f.path << ": " << f.NameOf(id) << " weapon 0 gives no mana back";
                for (std::size_t k = 1; k < weapons.size() && k < 4; ++k)
                    EXPECT_GT(json::ReadFloat(*weapons[k], "cooldown", 1), 0) << f.path << " weapon " << k;
            }
            for (const Need& n : needs) {
                if (f.NameOf(id) != n.who && f.TagOf(id) != n.who) continue;
                if (static_cast<int>(weapons.size()) <= n.slot) continue;
                const JsonValue& w = *weapons[static_cast<std::size_t>(n.slot)];
                if (n.cast) {
                    EXPECT_GT(json::ReadFloat(w, "castTime", 1), 0) << f.path << " " << n.who << " " << n.slot;
                }
                if (n.recovery) {
                    EXPECT_GT(json::ReadFloat(w, "vfxDuration", 0), 0) << f.path << " " << n.who << " " << n.slot;
                }
            }
            if (f.TagOf(id) == "Laser Boss") {
                bool laser = false;
                for (const JsonValue* w : weapons)
                    laser |= json::ReadString(*w, "name", "") == "EnemyLaser" && json::ReadFloat(*w, "castTime", 1) > 0;
                EXPECT_TRUE(laser && f.NameOf(id) == "EnemyLaser") << f.path << ": the laser needs its name and a charge";
            }
            for (const JsonValue* w : weapons) {
                // Field weapons hit someone, with a collider, on their second frame at the latest.
                const int kind = json::ReadInt(*w, "weaponType", 0);
                if (kind == 1 || kind == 2) {
                    const int shape = json::ReadInt(*w, "colliderType", 0);
                    EXPECT_TRUE(json::ReadInt(*w, "targetGroup", 0) != 0 && (shape == 1 || shape == 2) &&
                                json::ReadFloat(*w, "lifetime", 1) > 2.0f / 60.0f)
                        << f.path << ": weapon " << json::ReadString(*w, "name", "");
                }
                // An effect without a timing rule never ends and blocks its name for good.
                if (const JsonValue* e = json::FindArray(*w, "effects")) {
                    for (const JsonValue& x : e->GetArray()) {
                        const int rule = json::ReadInt(x, "resolveType", 0);
                        EXPECT_TRUE(rule >= 1 && rule <= 3) << f.path << ": effect " << json::ReadString(x, "name", "");
                    }
                }
            }
            for (const JsonValue* w : weapons)
                if (const JsonValue* e = json::FindArray(*w, "effects"))
                    for (const JsonValue& x : e->GetArray())
                        if (json::ReadInt(x, "effectType", 0) == 12) {
                            int markers = 0;
                            const std::string tag = json::ReadString(x, "positionMarkerTag", "");
                            for (int m = 0; m < f.ObjectCount(); ++m) markers += f.TagOf(m) == tag;
                            EXPECT_GT(markers, 0) << f.path << ": no summon markers tagged " << tag;
                        }
        }
    });
}
