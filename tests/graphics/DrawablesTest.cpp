// Bars, damage numbers, nine-piece frames and the Render transform look-up (no GL).
#include <gtest/gtest.h>

#include <cmath>

#include "EngineHarness.h"
#include "GraphicsTestSupport.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Transform.h"
#include "graphics/DamageText.h"
#include "graphics/ProgressBar.h"
#include "graphics/ScaleableSprite.h"
#include "graphics/SpriteRenderer.h"

namespace {

TEST(FillRatioTest, ClampedSubtractsMinAndNeverNaN) {
    EXPECT_FLOAT_EQ(FillRatio(0, 100, 150), 1.0f);
    EXPECT_FLOAT_EQ(FillRatio(0, 100, -5), 0.0f);
    EXPECT_FLOAT_EQ(FillRatio(0, 100, 25), 0.25f);
    EXPECT_FLOAT_EQ(FillRatio(50, 150, 100), 0.5f);
    EXPECT_FLOAT_EQ(FillRatio(0, 0, 0), 1.0f);  // max <= min: full once value reaches max
    EXPECT_FLOAT_EQ(FillRatio(0, 0, -1), 0.0f);
    EXPECT_FLOAT_EQ(FillRatio(10.0f, 5.0f, 7.0f), 1.0f);
    EXPECT_FLOAT_EQ(FillRatio(10.0f, 5.0f, 4.0f), 0.0f);
    EXPECT_FLOAT_EQ(FillRatio(0.0f, 1.0f, NAN), 0.0f);
    EXPECT_FALSE(std::isnan(FillRatio(0.0f, 0.0f, NAN)));
}

class DrawablesTest : public ::testing::Test {
protected:
    EngineHarness harness;
    ScopedGraphics graphics;
    GraphicsEngine& engine = GraphicsEngine::GetInstance();

    void SetUp() override {
        harness.LoadSceneText(R"({"GameObjects": [], "Components": [], "Dialogue": []})");
        // Every scene load builds the speech bubble and its overlay; these tests count only their own drawables.
        for (const char* name : {"Dialogue", "DialogueOverlay"})
            if (GameObject* object = SceneManager::GetInstance().GetGameObjectByName(name))
                SceneManager::GetInstance().DestroyGameObjectNow(object->id);
    }

    GameObject* MakeObject(const char* name, float x, float y) {
        GameObject* object = SceneManager::GetInstance().CreateGameObject(name, true);
        auto* t = object->AddComponent<Transform>();
        t->x = x;
        t->y = y;
        return object;
    }
};

TEST_F(DrawablesTest, BarListsBackgroundFillBorderAndFollowsItsOwner) {
    GameObject* unit = MakeObject("Unit", 100, 200);
    auto* bar = unit->AddComponent<ProgressBar<int32_t>>();
    harness.Step();  // Start runs as a job
    ASSERT_NE(bar->border, nullptr);
    // Background drawn first, border last, all on layer 11.
    ASSERT_EQ(engine.renderList.size(), 3u);
    EXPECT_EQ(engine.renderList[0], bar->background);
    EXPECT_EQ(engine.renderList[1], bar->fill);
    EXPECT_EQ(engine.renderList[2], bar->border);
    EXPECT_EQ(bar->border->transform, bar->barTransform);  // not overwritten by the look-up job
    EXPECT_EQ(bar->fill->transform, bar->fillTransform);

    bar->max = 100;
    bar->value = 25;
    bar->width = 50;
    bar->barOffset[1] = -30;
    harness.Step();
    EXPECT_FLOAT_EQ(bar->barTransform->x, 100.0f);
    EXPECT_FLOAT_EQ(bar->barTransform->y, 170.0f);
    EXPECT_FLOAT_EQ(bar->fillTransform->scaleX, 12.5f);
    EXPECT_FLOAT_EQ(bar->fill->offset[0], 12.5f);  // from the left end
    EXPECT_FLOAT_EQ(bar->border->offset[0], 50.0f);

    bar->fillMode = ProgressBarBase::kFromRight;
    harness.Step();
    // Spans [x + 2w - 2f, x + 2w]: inside the bar's [x, x + 2w].
    EXPECT_FLOAT_EQ(bar->fill->offset[0] - bar->fillTransform->scaleX, 75.0f);
    EXPECT_FLOAT_EQ(bar->fill->offset[0] + bar->fillTransform->scaleX, 100.0f);

    bar->width = 0;  // follows the owner's scale x
    unit->GetComponent<Transform>()->scaleX = 80;
    unit->GetComponent<Transform>()->x = 300;
    harness.Step();
    EXPECT_FLOAT_EQ(bar->fillTransform->scaleX, 20.0f);
    EXPECT_FLOAT_EQ(bar->fillTransform->x, 300.0f);

    GameFlags::word = GameFlags::Paused;  // bars keep following while paused
    unit->GetComponent<Transform>()->x = 400;
    harness.Step();
    EXPECT_FLOAT_EQ(bar->barTransform->x, 400.0f);
    GameFlags::word = 0;

    SceneManager::GetInstance().DestroyGameObjectNow(unit->id);
    EXPECT_TRUE(engine.renderList.empty());
}

TEST_F(DrawablesTest, DamageNumberRisesFromItsSourceAndJittersWhenCritical) {
    GameObject* unit = MakeObject("Unit", 500, 400);
    GameObject* hit = MakeObject("Hit", 0, 0);
    auto* number = hit->AddComponent<DamageText>();
    number->source = unit->GetComponent<Transform>();
    number->baseX = 500;
    number->SetValue(600, DamageText::kHeal);
    EXPECT_EQ(number->style, DamageText::kCritical);  // big numbers always show as critical
    EXPECT_EQ(number->stringValue, "600");
    EXPECT_EQ(number->layer, 11);
    harness.SetFrameTime(0.1f);
    harness.Step();  // Start (a job at the end of the frame) moves it to the source
    Transform* t = hit->GetComponent<Transform>();
    EXPECT_EQ(number->textKind, 1);
    EXPECT_FLOAT_EQ(t->scaleX, 1.0f);
    const float y = t->y;
    EXPECT_FLOAT_EQ(y, 400.0f);
    harness.Step();
    EXPECT_NEAR(t->y, y - 30.0f, 0.01f);
    EXPECT_GE(t->x, 485.0f);
    EXPECT_LE(t->x, 494.0f);
    GameFlags::word = GameFlags::Paused;
    harness.Step();
    EXPECT_NEAR(t->y, y - 30.0f, 0.01f);
    GameFlags::word = 0;
}

TEST_F(DrawablesTest, DamageNumberWithoutOrAfterItsSourceStaysPut) {
    GameObject* hit = MakeObject("Hit", 70, 80);
    auto* number = hit->AddComponent<DamageText>();
    number->SetValue(12, 0);
    harness.Step(3);
    Transform* t = hit->GetComponent<Transform>();
    EXPECT_FLOAT_EQ(t->x, 70.0f);
    EXPECT_FLOAT_EQ(t->y, 80.0f);

    GameObject* unit = MakeObject("Unit", 10, 10);
    GameObject* other = MakeObject("Other", 0, 0);
    auto* second = other->AddComponent<DamageText>();
    second->source = unit->GetComponent<Transform>();
    harness.Step();
    SceneManager::GetInstance().DestroyGameObjectNow(unit->id);
    const float y = other->GetComponent<Transform>()->y;
    harness.Step(2);  // the source is gone: no dangling read, the number stays
    EXPECT_FLOAT_EQ(other->GetComponent<Transform>()->y, y);
}

class Bubble : public ScaleableSprite {
public:
    explicit Bubble(int32_t id) : ScaleableSprite(id, 12) {}
};

TEST_F(DrawablesTest, NinePieceFrameLaysOutCornersEdgesAndMiddle) {
    GameObject* object = MakeObject("Bubble", 0, 0);
    auto* frame = object->AddComponent<Bubble>();
    frame->Resize(400, 100);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[0]->scaleX, 25.0f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[1]->scaleX, 175.0f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[1]->scaleY, 25.0f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[4]->scaleX, 175.0f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[4]->scaleY, 25.0f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[0]->x, -199.95f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[0]->y, -49.95f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[8]->x, 199.95f);
    frame->Resize(100, 400);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[4]->scaleX, 45.0f);
    EXPECT_FLOAT_EQ(frame->pieceTransforms[4]->scaleY, 195.0f);

    frame->SetEnabled(false);
    for (int i = 0; i < ScaleableSprite::kPieces; ++i) {
        EXPECT_FALSE(frame->pieces[i]->enabled);
        EXPECT_FALSE(frame->pieceTransforms[i]->enabled);
    }
    frame->ToggleEnabled();
    EXPECT_TRUE(frame->enabled);
    EXPECT_TRUE(frame->pieces[8]->enabled);

    object->GetComponent<Transform>()->x = 640;
    harness.Step(2);
    EXPECT_FLOAT_EQ(frame->pieces[3]->offset[0], 640.0f);
    for (int i = 0; i < ScaleableSprite::kPieces; ++i) frame->pieces[i]->Awake();  // the subclass lists them
    EXPECT_EQ(engine.renderList.size(), 9u);
    SceneManager::GetInstance().DestroyGameObjectNow(object->id);
    EXPECT_TRUE(engine.renderList.empty());
}

TEST_F(DrawablesTest, TransformLookupFillsOnlyAnEmptyTransformOfALiveComponent) {
    GameObject* object = MakeObject("Owner", 0, 0);
    Transform own = Transform(object->id);
    auto* sprite = object->AddComponent<SpriteRenderer>(true);
    sprite->Awake();  // queues the kind-3 look-up
    sprite->transform = &own;
    harness.Step();
    EXPECT_EQ(sprite->transform, &own);  // a transform set by code stays

    auto* late = object->AddComponent<SpriteRenderer>(true);
    late->Awake();
    EXPECT_EQ(late->transform, nullptr);
    harness.Step();
    EXPECT_EQ(late->transform, object->GetComponent<Transform>());

    auto* gone = new SpriteRenderer(object->id);
    gone->Awake();
    delete gone;      // destroyed before its job runs
    harness.Step();   // ASan reports a write to the freed sprite if the job ran
    sprite->transform = nullptr;
    SUCCEED();
}

}  // namespace
