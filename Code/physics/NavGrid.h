#pragma once
// The navigation grid: square cells over the level in pixel space (y down).
// 30 rows x 160 columns of 50 px cover x 0..8000 and y 0..1500; every cell is open.
#include <cstdint>
#include <vector>

struct NavNode {
    int32_t column = 0;
    int32_t row = 0;
    int32_t cellSize = 50;
    float weight = 1.0f;
    float f = 0.0f;  // ordering cost of the last search
    float h = 0.0f;  // estimate of the last search
    NavNode* parent = nullptr;
    float worldX = 0.0f;  // pixel position of the cell's corner
    float worldY = 0.0f;
    int32_t passable = 3;  // non-zero: the search may enter the cell
};

class NavGrid {
public:
    static constexpr int32_t kRows = 30;
    static constexpr int32_t kColumns = 160;
    static constexpr int32_t kCellSize = 50;

    NavGrid();
    // Deep copy; parent links are rebased onto the copy's own nodes.
    NavGrid(const NavGrid& other);
    NavGrid& operator=(const NavGrid& other);

    // The cell under a pixel point, clamped into the grid (null only for an empty grid).
    NavNode* GetNode(int32_t x, int32_t y);
    // The same for a float point: clamped before converting, so any value is safe.
    NavNode* GetNodeAt(float x, float y);
    NavNode* At(int32_t column, int32_t row);
    int32_t IndexOf(const NavNode* node) const { return static_cast<int32_t>(node - nodes.data()); }
    // Maps a node of another grid of the same shape onto ours.
    NavNode* Rebase(const NavNode* node, const NavGrid& from);

    int32_t rows = kRows;
    int32_t columns = kColumns;
    int32_t cellSize = kCellSize;
    std::vector<NavNode> nodes;
};
