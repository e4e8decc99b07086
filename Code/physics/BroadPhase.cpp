#include "physics/BroadPhase.h"

#include <algorithm>
#include <cmath>

#include "gameobjectengine/Transform.h"
#include "physics/Collider.h"

namespace {

constexpr int kMaxCellsPerAxis = 64;
constexpr double kMinCellSize = 128.0;
// A collider covering more cells than this is kept out of the grid and tested by its box.
constexpr int kMaxCellsPerEntry = 16;
// Horizontal reach of the side tests beyond the move (the circle's is 15 pixels).
constexpr double kSideReach = 16.0;
// Rounding allowance: the narrow tests compute in single precision, so a box edge may
// land a few units in the last place away from where double precision puts it.
constexpr double kSlack = 1.0;
constexpr double kRelativeSlack = 1e-5;

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

BroadPhase::BroadPhase() : cells_(kMaxCellsPerAxis * kMaxCellsPerAxis) {}

void BroadPhase::ReadPlace(Entry& entry) const {
    const Collider& c = *entry.collider;
    const double cx = c.CentreX(), cy = c.CentreY();
    const double ex = c.GetExtentX(), ey = c.GetExtentY();
    entry.box = {cx - ex, cx + ex, cy - ey, cy + ey};
    entry.allHeights = c.ReachesEveryHeight();
    entry.anywhere = !(Finite(cx) && Finite(cy) && Finite(ex) && Finite(ey) && ex >= 0 && ey >= 0);
}

// The 2nd and 98th percentile of the values, widened by a cell (0, 0 for none).
void BroadPhase::Spread(std::vector<double>& values, double& low, double& high) {
    low = high = 0;
    if (values.empty()) return;
    const std::size_t last = values.size() - 1;
    auto at = [&](std::size_t rank) {
        std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(rank), values.end());
        return values[rank];
    };
    low = at(last / 50) - kMinCellSize;
    high = at(last - last / 50) + kMinCellSize;
}

void BroadPhase::Build(const ColliderPool& colliders) {
    const std::size_t mark = colliders.Mark();
    entries_.assign(mark, Entry{});
    byTransform_.clear();
    wide_.clear();
    for (int i = 0; i < columns_ * rows_; ++i) cells_[i].clear();

    xs_.clear();
    ys_.clear();
    magnitude_ = 0;
    for (std::size_t slot = 0; slot < mark; ++slot) {
        Collider* c = colliders.Get(slot);
        if (!c || !c->transform) continue;
        Entry& e = entries_[slot];
        e.collider = c;
        ReadPlace(e);
        byTransform_.emplace_back(c->transform, static_cast<uint16_t>(slot));
        if (e.anywhere) continue;
        magnitude_ = std::max({magnitude_, std::fabs(e.box.minX), std::fabs(e.box.maxX), std::fabs(e.box.minY),
                               std::fabs(e.box.maxY)});
        if (e.allHeights) continue;
        xs_.push_back(0.5 * (e.box.minX + e.box.maxX));
        ys_.push_back(0.5 * (e.box.minY + e.box.maxY));
    }
    std::sort(byTransform_.begin(), byTransform_.end());

    // The grid spans where most colliders are: a body that has fallen out of the level
    // must not stretch the cells over everything else.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    Spread(xs_, minX, maxX);
    Spread(ys_, minY, maxY);
    cellSize_ = std::max({kMinCellSize, (maxX - minX) / kMaxCellsPerAxis, (maxY - minY) / kMaxCellsPerAxis});
    originX_ = minX, originY_ = minY;
    columns_ = std::clamp(static_cast<int>((maxX - minX) / cellSize_) + 1, 1, kMaxCellsPerAxis);
    rows_ = std::clamp(static_cast<int>((maxY - minY) / cellSize_) + 1, 1, kMaxCellsPerAxis);
    for (std::size_t slot = 0; slot < mark; ++slot)
        if (entries_[slot].collider) Place(static_cast<uint16_t>(slot));
}

// Places outside the grid fall into its border cells: a query clamped the same way still
// finds them.
int BroadPhase::CellX(double x) const {
    const double c = std::floor((x - originX_) / cellSize_);
    return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(columns_ - 1)));
}

int BroadPhase::CellY(double y) const {
    const double c = std::floor((y - originY_) / cellSize_);
    return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(rows_ - 1)));
}

void BroadPhase::Place(uint16_t slot) {
    Entry& e = entries_[slot];
    e.inGrid = false;
    if (!e.anywhere && !e.allHeights) {
        e.cellX0 = CellX(e.box.minX), e.cellX1 = CellX(e.box.maxX);
        e.cellY0 = CellY(e.box.minY), e.cellY1 = CellY(e.box.maxY);
        e.inGrid = (e.cellX1 - e.cellX0 + 1) * (e.cellY1 - e.cellY0 + 1) <= kMaxCellsPerEntry;
    }
    if (!e.inGrid) {
        wide_.push_back(slot);
        return;
    }
    for (int y = e.cellY0; y <= e.cellY1; ++y)
        for (int x = e.cellX0; x <= e.cellX1; ++x) cells_[y * columns_ + x].push_back(slot);
}

void BroadPhase::Unplace(uint16_t slot) {
    auto drop = [slot](std::vector<uint16_t>& list) {
        auto it = std::find(list.begin(), list.end(), slot);
        if (it == list.end()) return;
        *it = list.back();
        list.pop_back();
    };
    const Entry& e = entries_[slot];
    if (!e.inGrid) {
        drop(wide_);
        return;
    }
    for (int y = e.cellY0; y <= e.cellY1; ++y)
        for (int x = e.cellX0; x <= e.cellX1; ++x) drop(cells_[y * columns_ + x]);
}

void BroadPhase::Moved(const Transform* transform) {
    auto range = std::equal_range(byTransform_.begin(), byTransform_.end(), std::make_pair(transform, uint16_t{0}),
                                  [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto it = range.first; it != range.second; ++it) {
        const uint16_t slot = it->second;
        Entry& e = entries_[slot];
        const Entry before = e;
        ReadPlace(e);
        if (!e.anywhere)
            magnitude_ = std::max({magnitude_, std::fabs(e.box.minX), std::fabs(e.box.maxX),
                                   std::fabs(e.box.minY), std::fabs(e.box.maxY)});
        if (e.anywhere == before.anywhere && e.allHeights == before.allHeights) {
            if (!e.inGrid) continue;  // wide entries are tested by their box, which is now current
            if (CellX(e.box.minX) == e.cellX0 && CellX(e.box.maxX) == e.cellX1 && CellY(e.box.minY) == e.cellY0 &&
                CellY(e.box.maxY) == e.cellY1)
                continue;
        }
        Entry moved = e;
        e = before;
        Unplace(slot);
        e = moved;
        Place(slot);
    }
}

bool BroadPhase::Reaches(const Entry& e, const Box& q) const {
    if (e.anywhere) return true;
    if (e.box.maxX < q.minX || e.box.minX > q.maxX) return false;
    return e.allHeights || !(e.box.maxY < q.minY || e.box.minY > q.maxY);
}

void BroadPhase::CollectAll(int after) {
    for (std::size_t slot = static_cast<std::size_t>(after + 1); slot < entries_.size(); ++slot)
        if (entries_[slot].collider) result_.push_back(static_cast<uint16_t>(slot));
}

const std::vector<uint16_t>& BroadPhase::Query(const Collider& mover, TVector2<float> move, int after) {
    result_.clear();
    const double cx = mover.CentreX(), cy = mover.CentreY();
    const double ex = mover.GetExtentX(), ey = mover.GetExtentY();
    const double dx = move.x, dy = move.y;
    if (!(Finite(cx) && Finite(cy) && Finite(ex) && Finite(ey) && Finite(dx) && Finite(dy) && ex >= 0 && ey >= 0)) {
        CollectAll(after);
        return result_;
    }
    const double slack = kSlack + kRelativeSlack * (magnitude_ + std::fabs(cx) + std::fabs(cy) + ex + ey +
                                                    std::fabs(dx) + std::fabs(dy));
    const double reachX = std::fabs(dx) + kSideReach + slack;
    const Box q{cx - ex + std::min(dx, 0.0) - reachX, cx + ex + std::max(dx, 0.0) + reachX,
                cy - ey + std::min(dy, 0.0) - slack, cy + ey + std::max(dy, 0.0) + slack};

    if (++stamp_ == 0) {  // wrapped: old marks could read as this query's
        for (Entry& e : entries_) e.stamp = 0;
        stamp_ = 1;
    }
    auto consider = [&](uint16_t slot) {
        Entry& e = entries_[slot];
        if (static_cast<int>(slot) <= after || e.stamp == stamp_) return;
        e.stamp = stamp_;
        if (Reaches(e, q)) result_.push_back(slot);
    };
    const int x0 = CellX(q.minX), x1 = CellX(q.maxX), y0 = CellY(q.minY), y1 = CellY(q.maxY);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (uint16_t slot : cells_[y * columns_ + x]) consider(slot);
    for (uint16_t slot : wide_) consider(slot);
    std::sort(result_.begin(), result_.end());
    return result_;
}
