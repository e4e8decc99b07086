// The canvas and its elements: navigation along links, confirm, the looks of buttons
// and toggles, and menus that are gone or could not be built.
#include "UiFixture.h"
#include "physics/SceneBuilder.h"
#include "ui/Button.h"
#include "ui/OptionsMenu.h"
#include "ui/ToggleButton.h"

namespace {

// A canvas over three buttons A, B, C: A down B and right C, B up A, down C and right C; C has no
// Transform on request. Every button has a selected picture "<name>Sel".
std::string ThreeButtons(bool cWithTransform = true, int selectMode = 0) {
    SceneBuilder s;
    const int canvas = s.Object("Canvas");
    int ids[3];
    int sel[3];
    const char* names[3] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        ids[i] = s.Object(names[i]);
        sel[i] = s.Object(std::string(names[i]) + "Sel");
    }
    const int cursor = s.Object("Cursor");
    for (int i = 0; i < 3; ++i) {
        if (i < 2 || cWithTransform) s.At(ids[i], 100.0f * (i + 1), 50.0f);
        s.Add(ids[i], "SpriteRenderer").Add(sel[i], "SpriteRenderer", "\"enabled\": 0");
    }
    s.At(cursor, 0, 0).Add(cursor, "SpriteRenderer");
    s.Add(ids[0], "Button", "\"down\": " + std::to_string(ids[1]) + ", \"right\": " + std::to_string(ids[2]) +
                                ", \"selectedSprite\": " + std::to_string(sel[0]));
    s.Add(ids[1], "Button", "\"up\": " + std::to_string(ids[0]) + ", \"down\": " + std::to_string(ids[2]) +
                                ", \"right\": " + std::to_string(ids[2]) +
                                ", \"selectedSprite\": " + std::to_string(sel[1]));
    s.Add(ids[2], "Button", "\"selectedSprite\": " + std::to_string(sel[2]));
    s.Add(canvas, "Canvas", "\"initialUI\": " + std::to_string(ids[0]) + ", \"cursor\": " + std::to_string(cursor) +
                                ", \"selectMode\": " + std::to_string(selectMode) +
                                ", \"cursorOffset\": {\"x\": -10, \"y\": 5}");
    return s.Json();
}

}  // namespace

using CanvasTest = UiTest;

TEST_F(CanvasTest, ArrowsFollowTheLinks) {
    constexpr InputAction kBoth = static_cast<InputAction>(-2);  // no action: Down and Right at once
    struct Case {
        const char* what;
        std::vector<InputAction> presses;  // frames of one action each; kBoth for two arrows in one frame
        std::string selected;
        bool cTransform = true;
        int selectMode = 0;
    };
    const Case cases[] = {
        {"start selects initialUI", {}, "A"},
        {"down, down", {InputAction::Down, InputAction::Down}, "C"},
        {"down, up", {InputAction::Down, InputAction::Up}, "A"},
        {"a missing link does nothing", {InputAction::Up, InputAction::Left}, "A"},
        {"right", {InputAction::Right}, "C"},
        {"two arrows in one frame move twice", {kBoth}, "C"},
        {"an element without Transform is never selected", {InputAction::Right}, "A", false},
        {"select mode 1 keeps the first selection", {InputAction::Down}, "A", true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        engine.LoadSceneText(ThreeButtons(c.cTransform, c.selectMode));
        for (InputAction action : c.presses) {
            if (action == kBoth) {  // Down and Right fresh in the same frame
                engine.Press(InputAction::Down);
                engine.Press(InputAction::Right);
                engine.Step();
                engine.Release(InputAction::Down);
                engine.Release(InputAction::Right);
                continue;
            }
            Key(action);
        }
        EXPECT_EQ(Selected(), c.selected);
    }
}

TEST_F(CanvasTest, SelectionSwapsLooksAndPlacesTheCursor) {
    engine.LoadSceneText(ThreeButtons());
    engine.Step();  // transforms found
    Key(InputAction::Down);
    EXPECT_TRUE(Shown("BSel"));
    EXPECT_FALSE(Shown("B"));
    EXPECT_TRUE(Shown("A"));
    EXPECT_FALSE(Shown("ASel"));
    auto* cursor = engine.Get<Transform>("Cursor");
    EXPECT_FLOAT_EQ(cursor->x, 190.0f);
    EXPECT_FLOAT_EQ(cursor->y, 55.0f);
}

TEST_F(CanvasTest, ConfirmClicksTheSelectionWithSpaceOrEnter) {
    engine.LoadSceneText(ThreeButtons());
    int clicks = 0;
    engine.Get<UI::Button>("A")->onClick = [&clicks]() { ++clicks; };
    Key(InputAction::Jump);
    Key(InputAction::Enter);
    EXPECT_EQ(clicks, 2);
    // Select mode 1 never moves the selection, but confirm still clicks it.
    engine.LoadSceneText(ThreeButtons(true, 1));
    engine.Get<UI::Button>("A")->onClick = [&clicks]() { ++clicks; };
    Key(InputAction::Down);
    Key(InputAction::Jump);
    EXPECT_EQ(clicks, 3);
}

TEST_F(CanvasTest, AToggleClickedWhileSelectedShowsTheOtherStatesSelectedLook) {
    engine.LoadSceneText(R"({"GameObjects": [["T", 1], ["ZeroSel", 1], ["One", 1], ["OneSel", 1]], "Components": [
        {"class": "Transform", "gameObjectID": 0}, {"class": "SpriteRenderer", "gameObjectID": 0},
        {"class": "SpriteRenderer", "gameObjectID": 1, "enabled": 0},
        {"class": "SpriteRenderer", "gameObjectID": 2, "enabled": 0},
        {"class": "SpriteRenderer", "gameObjectID": 3, "enabled": 0}]})");
    auto* toggle = engine.Find("T")->AddComponent<UI::ToggleButton>();
    toggle->stateZeroSelected = engine.Get<SpriteRenderer>("ZeroSel");
    toggle->stateOneNormal = engine.Get<SpriteRenderer>("One");
    toggle->stateOneSelected = engine.Get<SpriteRenderer>("OneSel");
    bool seen = true;
    toggle->onClick = [&]() { seen = toggle->state; };
    toggle->OnSelect();
    toggle->OnClick();
    EXPECT_FALSE(seen);  // the callback saw the old state
    EXPECT_TRUE(toggle->state);
    EXPECT_TRUE(Shown("OneSel"));
    EXPECT_FALSE(Shown("ZeroSel") || Shown("T") || Shown("One"));
    toggle->OnDeselect();
    EXPECT_TRUE(Shown("One"));
    toggle->OnClick();
    EXPECT_TRUE(Shown("T"));
    EXPECT_FALSE(Shown("One"));
    toggle->SetEnabled(false);
    EXPECT_FALSE(Shown("T") || Shown("ZeroSel") || Shown("One") || Shown("OneSel"));
}

TEST_F(CanvasTest, AMenuThatCannotCreateItsObjectsStaysClosed) {
    engine.LoadSceneText(ThreeButtons());
    GameObject* host = engine.Find("Canvas");
    // Fill the object table but for four slots: the options screen needs fifteen.
    while (SceneManager::GetInstance().Objects().FirstFree() + 4 < SceneManager::kMaxObjects)
        SceneManager::GetInstance().CreateGameObject("filler");
    auto* options = host->AddComponent<UI::OptionsMenu>();
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(options->IsBuilt());
    options->SetOpen(true);
    EXPECT_FALSE(options->IsOpen());
    EXPECT_EQ(Selected(), "A");
    EXPECT_EQ(SceneManager::GetInstance().Objects().FirstFree(), SceneManager::kMaxObjects);
    engine.Step(2);
}
