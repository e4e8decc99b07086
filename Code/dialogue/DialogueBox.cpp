#include "dialogue/DialogueBox.h"

#include "audio/AudioManager.h"
#include "dialogue/DialogueManager.h"
#include "gameobjectengine/GameFlags.h"
#include "gameobjectengine/Time.h"
#include "gameobjectengine/Transform.h"
#include "graphics/GraphicsEngine.h"

namespace {

constexpr const char* kPiecePictures[ScaleableSprite::kPieces] = {
    "Assets/Art/UI/SpeechBubble/SBTopLeft.png",    "Assets/Art/UI/SpeechBubble/SBTop.png",
    "Assets/Art/UI/SpeechBubble/SBTopRight.png",   "Assets/Art/UI/SpeechBubble/SBLeft.png",
    "Assets/Art/UI/SpeechBubble/SBMiddle.png",     "Assets/Art/UI/SpeechBubble/SBRight.png",
    "Assets/Art/UI/SpeechBubble/SBBottomLeft.png", "Assets/Art/UI/SpeechBubble/SBBottom.png",
    "Assets/Art/UI/SpeechBubble/SBBottomRight.png"};
constexpr const char* kPointerPicture = "Assets/Art/UI/SpeechBubble/SBPointer.png";
constexpr int32_t kPieceLayer = 4;
constexpr int32_t kPointerAndTextLayer = 6;
constexpr float kTextScale = 0.2f;
constexpr int kWrapAfter = 20;
constexpr int kMiddle = 4;
constexpr float kSeamCover = 1.5f;  // pixels a stretched piece reaches over its neighbours  // characters on a line before a space may break it

const std::string& TypingSound() {
    static const std::string path = "Assets/Audio/SFX/Dialogue_Play.ogg";
    return path;
}

}  // namespace

std::string WrapDialogueText(const std::string& text) {
    std::string wrapped = text;
    // The counter is 0 at the first character and 1 at the one after a break.
    int counter = -1;
    for (char& c : wrapped) {
        ++counter;
        if (counter > kWrapAfter && c == ' ') {
            c = '\n';
            counter = 0;
        }
    }
    return wrapped;
}

DialogueBox::DialogueBox(int32_t objectID) : ScaleableSprite(objectID, 0) {}

DialogueBox::DialogueBox(const JsonValue& json) : ScaleableSprite(json) {}

DialogueBox::~DialogueBox() { DeleteOwnChildren(); }

void DialogueBox::Awake() {
    ScaleableSprite::Awake();  // makes the nine pieces only where none exist yet
    // A second wake must neither rebuild nor list anything twice.
    if (pointer) return;
    CreateChildren();
}

void DialogueBox::Pictures(std::vector<std::string>& out) {
    out.push_back(kPointerPicture);
    for (const char* piece : kPiecePictures) out.push_back(piece);
}

void DialogueBox::CreateChildren() {
    GraphicsEngine& graphics = GraphicsEngine::GetInstance();
    textTransform = new Transform(gameObjectID);
    textChild = new UIText(gameObjectID);
    textChild->layer = kPointerAndTextLayer;
    textChild->type = kText;
    textChild->color[0] = textChild->color[1] = textChild->color[2] = 0.0f;
    textChild->transform = textTransform;
    graphics.AddRender(textChild);

    pointerTransform = new Transform(gameObjectID);
    pointer = new SpriteRenderer(gameObjectID);
    pointer->LoadTexture(kPointerPicture);
    pointer->layer = kPointerAndTextLayer;
    pointer->transform = pointerTransform;
    graphics.AddRender(pointer);

    // Listed middle first, then the edges, then the corners, so that each is drawn over the
    // next (equal layers draw the newest first): reaching a little over its neighbours, a
    // piece hides the seam where the neighbour's far side shows through at its edge.
    for (int i : {kMiddle, 1, 3, 5, 7, 0, 2, 6, 8}) {
        pieces[i]->LoadTexture(kPiecePictures[i]);
        pieces[i]->layer = kPieceLayer;
        pieces[i]->transform = pieceTransforms[i];
        graphics.AddRender(pieces[i]);
    }
}

void DialogueBox::Update() {
    if (GameFlags::Any(GameFlags::Paused | GameFlags::GameOver) || !enabled) return;
    FollowBox();
    const float dt = Time::GetInstance().deltaTime;
    if (!pendingText.empty()) {
        TypeNextCharacter(dt);
        return;
    }
    revealed = true;
    if (!autoAdvance) return;
    timer += dt;
    if (timer > autoAdvanceDelay) {
        timer = 0.0f;
        Dialogue::DialogueManager::GetInstance().NextDialogue(true);
    }
}

void DialogueBox::FollowBox() {
    if (!transform) return;
    for (SpriteRenderer* piece : pieces) {
        if (!piece) continue;
        piece->offset[0] = transform->x;
        piece->offset[1] = transform->y;
    }
    for (Render* child : {static_cast<Render*>(pointer), static_cast<Render*>(textChild)}) {
        if (!child) continue;
        child->offset[0] = transform->x;
        child->offset[1] = transform->y;
    }
}

void DialogueBox::TypeNextCharacter(float dt) {
    timer += dt;
    // At most one character a frame, however long the frame was.
    if (!(timer > 1.0f / charactersPerSecond)) return;
    AudioManager::GetInstance().PlaySound(TypingSound(), 1, false, -1, 0.3f);
    if (textChild) textChild->stringValue.push_back(pendingText.front());
    pendingText.erase(0, 1);
    timer = 0.0f;
}

void DialogueBox::RevealAll() {
    if (textChild) textChild->stringValue += pendingText;
    pendingText.clear();
}

void DialogueBox::SetText(const std::string& line) {
    const std::string wrapped = WrapDialogueText(line);
    pendingText = wrapped;
    float measuredWidth = 0.0f, measuredHeight = 0.0f;
    if (textChild && textTransform) {
        textTransform->scaleX = kTextScale;
        textTransform->scaleY = kTextScale;
        textChild->stringValue = wrapped;
        textChild->MeasureText(measuredWidth, measuredHeight);
        textChild->stringValue.clear();  // keeps its capacity: typing allocates nothing
    }
    width = static_cast<int32_t>(measuredWidth + 20.0f);
    height = static_cast<int32_t>(measuredHeight + 10.0f);
    Layout();
}

void DialogueBox::Layout() {
    Resize(width, height);
    // The middle stretches both ways, the top and bottom edges across, the side edges down.
    const bool acrossAndDown[kPieces][2] = {{false, false}, {true, false}, {false, false},
                                            {false, true},  {true, true},  {false, true},
                                            {false, false}, {true, false}, {false, false}};
    for (int i = 0; i < kPieces; ++i) {
        if (!pieceTransforms[i]) continue;
        if (acrossAndDown[i][0]) pieceTransforms[i]->scaleX += kSeamCover;
        if (acrossAndDown[i][1]) pieceTransforms[i]->scaleY += kSeamCover;
    }
    const float w = static_cast<float>(width), h = static_cast<float>(height);
    const float p = width > height ? h * 0.5f : w / 10.0f;
    if (pointerTransform) {
        pointerTransform->scaleX = p * 0.5f;
        pointerTransform->scaleY = p * 0.5f;
        pointerTransform->x = 0.0f;
        pointerTransform->y = h * 0.5f;
        pointerTransform->z = 0.0f;
    }
    if (textTransform) {
        // The text starts at the bubble's top-left corner.
        textTransform->x = static_cast<float>(-(width / 2));
        textTransform->y = static_cast<float>(-(height / 2));
        textTransform->z = 0.0f;
    }
}

void DialogueBox::SetEnabled(bool on) {
    ScaleableSprite::SetEnabled(on);
    if (pointer) pointer->enabled = on;
    if (pointerTransform) pointerTransform->enabled = on;
    if (textChild) textChild->enabled = on;
    if (textTransform) textTransform->enabled = on;
    // Shown where the box is now: the pieces would otherwise draw one frame at the last
    // line's place (or the origin) when the line starts after this frame's Update.
    if (on) FollowBox();
}

void DialogueBox::ToggleEnabled() { SetEnabled(!enabled); }

void DialogueBox::OnDestroy() {
    if (textChild) textChild->OnDestroy();
    if (pointer) pointer->OnDestroy();
    if (pointerTransform) pointerTransform->OnDestroy();
    DeleteOwnChildren();
    ScaleableSprite::OnDestroy();
}

void DialogueBox::DeleteOwnChildren() {
    delete textChild;
    delete textTransform;
    delete pointer;
    delete pointerTransform;
    textChild = nullptr;
    textTransform = nullptr;
    pointer = nullptr;
    pointerTransform = nullptr;
}
