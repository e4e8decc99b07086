// In every level a hero can walk and jump from its start to the exit (or to the boss).
// Standing places are the navigation grid's cells on top of the level's static boxes;
// a hero walks between neighbouring cells of one surface and jumps as high as its jump
// speed lifts it under the game's gravity (twice for a double-jumping hero), as far
// sideways as it runs while in the air, and never through a solid box.
#include <gtest/gtest.h>

#include <cmath>
#include <queue>
#include <set>

#include "ContentFiles.h"
#include "physics/NavGrid.h"
#include "physics/PhysicsManager.h"

using namespace content;

namespace {

struct Box {
    float left, right, top, bottom;
    bool platform;  // thin: jump-through from below, never blocks sideways
};

struct Spot {
    int surface;  // index of the box whose top it stands on
    int column;   // navigation grid column
    bool operator<(const Spot& o) const { return surface != o.surface ? surface < o.surface : column < o.column; }
};

struct Mover {
    float rise;    // highest climb, pixels
    float airTime; // seconds in the air on a jump back to the same height
    float speed;   // pixels per second
};

const float kFeet = 100.0f;

std::vector<Box> StaticBoxes(const ContentFile& f) {
    std::vector<Box> boxes;
    const JsonValue* portal = f.First("Portal");
    for (const JsonValue* b : f.All("BoxCollider")) {
        const int id = IdOf(*b);
        if (!json::ReadFlag(*b, "isStatic", false) || (portal && IdOf(*portal) == id)) continue;  // the exit opens
        const JsonValue* t = f.First("Transform", id);
        const JsonValue* pos = t ? json::FindObject(*t, "position") : nullptr;
        if (!pos) continue;
        const float x = json::ReadFloat(*pos, "x", 0), y = json::ReadFloat(*pos, "y", 0);
        const float w = json::ReadFloat(*b, "width", 0), h = json::ReadFloat(*b, "height", 0);
        boxes.push_back({x - w, x + w, y - h, y + h, h <= 25.0f});
    }
    return boxes;
}

float CellCentre(int column) { return (static_cast<float>(column) + 0.5f) * NavGrid::kCellSize; }

bool Inside(const Box& b, float x, float y) { return x > b.left && x < b.right && y > b.top && y < b.bottom; }

// A solid box between two x positions that the arc (apex at apexY) does not clear.
bool Blocked(const std::vector<Box>& boxes, float x0, float x1, float apexY, int except1, int except2) {
    const float lo = std::min(x0, x1), hi = std::max(x0, x1);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        if (b.platform || static_cast<int>(i) == except1 || static_cast<int>(i) == except2) continue;
        if (b.right > lo && b.left < hi && b.top < apexY) return true;
    }
    return false;
}

std::vector<Spot> SpotsOf(const std::vector<Box>& boxes) {
    NavGrid grid;
    std::vector<Spot> spots;
    for (std::size_t s = 0; s < boxes.size(); ++s)
        for (int c = 0; c < grid.columns; ++c) {
            const float x = CellCentre(c);
            if (x < boxes[s].left || x > boxes[s].right) continue;
            bool covered = false;  // another box stands on this surface here
            for (const Box& o : boxes) covered |= &o != &boxes[s] && Inside(o, x, boxes[s].top - 1.0f);
            if (!covered) spots.push_back({static_cast<int>(s), c});
        }
    return spots;
}

bool CanMove(const std::vector<Box>& boxes, const Spot& a, const Spot& b, const Mover& m) {
    const float ya = boxes[a.surface].top, yb = boxes[b.surface].top;
    const float xa = CellCentre(a.column), xb = CellCentre(b.column);
    if (a.surface == b.surface) return std::abs(a.column - b.column) == 1;
    if (yb < ya - m.rise) return false;
    const float g = PhysicsManager::kGravity;
    const float drop = std::max(0.0f, yb - ya);
    const float time = m.airTime * 0.5f + std::sqrt(2.0f * (m.rise + drop) / g);
    if (std::abs(xb - xa) > m.speed * time) return false;
    return !Blocked(boxes, xa, xb, ya - m.rise, a.surface, b.surface);
}

int SpotUnder(const std::vector<Box>& boxes, const std::vector<Spot>& spots, float x, float feetY) {
    NavGrid grid;
    const int column = grid.GetNode(static_cast<int32_t>(x), static_cast<int32_t>(feetY))->column;
    int best = -1;
    float bestGap = 1e9f;
    for (std::size_t i = 0; i < spots.size(); ++i) {
        const float gap = boxes[spots[i].surface].top - feetY;
        if (spots[i].column == column && gap >= -1.0f && gap < bestGap) {
            best = static_cast<int>(i);
            bestGap = gap;
        }
    }
    return best;
}

bool Reaches(const ContentFile& f, const Mover& m, float fromX, float fromFeet, float toX, float toFeet) {
    const auto boxes = StaticBoxes(f);
    const auto spots = SpotsOf(boxes);
    const int start = SpotUnder(boxes, spots, fromX, fromFeet), goal = SpotUnder(boxes, spots, toX, toFeet);
    if (start < 0 || goal < 0) return false;
    std::vector<bool> seen(spots.size(), false);
    std::queue<int> todo;
    todo.push(start);
    seen[static_cast<std::size_t>(start)] = true;
    while (!todo.empty()) {
        const int s = todo.front();
        todo.pop();
        if (s == goal) return true;
        for (std::size_t n = 0; n < spots.size(); ++n)
            if (!seen[n] && CanMove(boxes, spots[static_cast<std::size_t>(s)], spots[n], m)) {
                seen[n] = true;
                todo.push(static_cast<int>(n));
            }
    }
    return false;
}

bool Position(const ContentFile& f, int id, float& x, float& y) {
    const JsonValue* t = f.First("Transform", id);
    const JsonValue* pos = t ? json::FindObject(*t, "position") : nullptr;
    if (!pos) return false;
    x = json::ReadFloat(*pos, "x", 0);
    y = json::ReadFloat(*pos, "y", 0);
    return true;
}

Mover MoverOf(const ContentFile& f, int hero) {
    const JsonValue* unit = f.First("CombatUnit", hero);
    const JsonValue* control = f.First("PlayerUnitController", hero);
    const float v = unit ? json::ReadFloat(*unit, "jumpHeight", 50) : 50;
    const float jumps = control && json::ReadInt(*control, "unitClass", 0) == 1 ? 2.0f : 1.0f;
    const float g = PhysicsManager::kGravity;
    return {jumps * v * v / (2.0f * g), 2.0f * v / g, unit ? json::ReadFloat(*unit, "movementSpeed", 250) : 250};
}

}  // namespace

TEST(Reachability, EachHeroCanWalkAndJumpFromItsStartToTheExitOrTheBoss) {
    for (int index : {6, 10, 11, 1, 4, 12, 14, 13, 16}) {
        const ContentFile* f = SceneAt(index);
        ASSERT_TRUE(f && f->parsed) << index;
        const JsonValue* portal = f->First("Portal");
        const int target = portal ? IdOf(*portal) : f->Find("Boss");
        float tx = 0, ty = 0;
        ASSERT_TRUE(target >= 0 && Position(*f, target, tx, ty)) << f->path;
        // The exit's box hangs from its bottom edge; a unit's feet are 100 px below its Transform.
        const float targetFeet = portal ? ty + json::ReadFloat(*f->First("BoxCollider", target), "height", 0) : ty + kFeet;
        for (const char* hero : {"Thief", "Mage"}) {
            const int id = f->Find(hero);
            float hx = 0, hy = 0;
            ASSERT_TRUE(id >= 0 && Position(*f, id, hx, hy)) << f->path << hero;
            EXPECT_TRUE(Reaches(*f, MoverOf(*f, id), hx, hy + kFeet, tx - 60.0f, targetFeet))
                << f->path << ": " << hero << " cannot reach " << f->NameOf(target);
        }
    }
}

TEST(Reachability, AWallTallerThanAJumpCutsTheWay) {
    // The check itself: the first level with a wall too high to jump is refused.
    const ContentFile* f = SceneAt(6);
    ASSERT_TRUE(f && f->parsed);
    ContentFile walled;
    walled.path = f->path;
    walled.parsed = true;
    walled.doc.CopyFrom(f->doc, walled.doc.GetAllocator());
    auto& a = walled.doc.GetAllocator();
    JsonValue entry(rapidjson::kArrayType);
    entry.PushBack("Wall", a).PushBack(1, a);
    const int id = static_cast<int>(walled.doc["GameObjects"].Size());
    walled.doc["GameObjects"].PushBack(entry, a);
    JsonDocument parts;
    parts.Parse(R"([{"class": "Transform", "position": {"x": 1000, "y": 600}},
                    {"class": "BoxCollider", "width": 40, "height": 300, "isStatic": 1}])");
    for (auto& c : parts.GetArray()) {
        c.AddMember("gameObjectID", id, parts.GetAllocator());
        JsonValue copy(c, a);
        walled.doc["Components"].PushBack(copy, a);
    }
    const int thief = walled.Find("Thief");
    float hx = 0, hy = 0;
    ASSERT_TRUE(Position(walled, thief, hx, hy));
    EXPECT_TRUE(Reaches(*f, MoverOf(*f, thief), hx, hy + kFeet, 3000, 900));
    EXPECT_FALSE(Reaches(walled, MoverOf(walled, thief), hx, hy + kFeet, 3000, 900));
}
