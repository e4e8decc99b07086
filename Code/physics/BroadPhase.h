#pragma once
// Finds, for one moving collider, the registered colliders it could possibly touch this
// frame, so the step runs its narrow tests only on those instead of on every collider.
//
// The answer is conservative: every collider left out would have given "no contact" and
// changed nothing, whatever its flags, so the step's results stay exactly those of
// testing every pair. Candidates come back in slot (registration) order.
//
// What a collider can reach, as the narrow tests are written:
//  - horizontally, its box widened by the mover's move plus 15 pixels (the side tests);
//  - vertically, its box against the moved mover's box, except for a slope (its top test
//    lifts a mover from any depth) and a static circle (its side tests have no vertical
//    condition): those two reach every height.
//
// Build() reads every collider's box once per step; Moved() re-reads the ones that share
// a transform the step has just moved (a body moving, or snapped against a wall), so the
// boxes stay current while the step walks the bodies.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "gameobjectengine/SlotPool.h"
#include "gameobjectengine/Vector.h"

class Collider;
class Transform;

class BroadPhase {
public:
    using ColliderPool = SlotPool<Collider, PoolOwnership::Borrowing>;

    BroadPhase();

    // Takes the place of every registered collider that has a Transform.
    void Build(const ColliderPool& colliders);
    // Slots, ascending and above `after` (-1 for all), of the colliders that mover
    // (displaced by move this frame) could touch from where it is now.
    const std::vector<uint16_t>& Query(const Collider& mover, TVector2<float> move, int after = -1);
    // Re-reads the place of every collider held with this transform.
    void Moved(const Transform* transform);

private:
    struct Box {
        double minX = 0, maxX = 0, minY = 0, maxY = 0;
    };
    struct Entry {
        Collider* collider = nullptr;
        Box box;
        bool allHeights = false;  // reaches every height (slope, static circle)
        bool anywhere = false;    // place not finite or extents negative: always a candidate
        bool inGrid = false;
        int cellX0 = 0, cellX1 = -1, cellY0 = 0, cellY1 = -1;
        uint32_t stamp = 0;
    };

    void ReadPlace(Entry& entry) const;
    void Place(uint16_t slot);
    void Unplace(uint16_t slot);
    int CellX(double x) const;
    int CellY(double y) const;
    bool Reaches(const Entry& entry, const Box& query) const;
    void CollectAll(int after);
    static void Spread(std::vector<double>& values, double& low, double& high);

    std::vector<Entry> entries_;                      // by slot
    std::vector<std::pair<const Transform*, uint16_t>> byTransform_;  // sorted by transform
    std::vector<std::vector<uint16_t>> cells_;        // slots per grid cell
    std::vector<uint16_t> wide_;                      // slots tested against every query
    std::vector<uint16_t> result_;
    std::vector<double> xs_, ys_;                     // centres, for the grid's extent
    double originX_ = 0, originY_ = 0, cellSize_ = 128;
    int columns_ = 1, rows_ = 1;
    double magnitude_ = 0;  // largest coordinate seen: rounding allowance of the bounds
    uint32_t stamp_ = 0;
};
