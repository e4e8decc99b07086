#include "physics/NavGrid.h"

#include <algorithm>
#include <cmath>

NavGrid::NavGrid() {
    nodes.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns));
    for (int32_t row = 0; row < rows; ++row) {
        for (int32_t column = 0; column < columns; ++column) {
            NavNode& node = nodes[static_cast<std::size_t>(row * columns + column)];
            node.column = column;
            node.row = row;
            node.cellSize = cellSize;
            node.worldX = static_cast<float>(cellSize * column);
            node.worldY = static_cast<float>(cellSize * row);
        }
    }
}

NavGrid::NavGrid(const NavGrid& other) { *this = other; }

NavGrid& NavGrid::operator=(const NavGrid& other) {
    if (this == &other) return *this;
    rows = other.rows;
    columns = other.columns;
    cellSize = other.cellSize;
    nodes = other.nodes;
    // Copied parents still point into the source grid; point them at our own nodes.
    for (NavNode& node : nodes) node.parent = Rebase(node.parent, other);
    return *this;
}

NavNode* NavGrid::Rebase(const NavNode* node, const NavGrid& from) {
    if (!node || from.nodes.empty()) return nullptr;
    const std::ptrdiff_t index = node - from.nodes.data();
    if (index < 0 || static_cast<std::size_t>(index) >= nodes.size()) return nullptr;
    return &nodes[static_cast<std::size_t>(index)];
}

NavNode* NavGrid::At(int32_t column, int32_t row) {
    if (column < 0 || column >= columns || row < 0 || row >= rows) return nullptr;
    return &nodes[static_cast<std::size_t>(row * columns + column)];
}

NavNode* NavGrid::GetNode(int32_t x, int32_t y) {
    if (nodes.empty() || cellSize <= 0) return nullptr;
    const int32_t column = std::clamp(x / cellSize, 0, columns - 1);
    const int32_t row = std::clamp(y / cellSize, 0, rows - 1);
    return At(column, row);
}

NavNode* NavGrid::GetNodeAt(float x, float y) {
    if (nodes.empty() || cellSize <= 0) return nullptr;
    // Clamp in float first: converting an out-of-range (or NaN) float to int is undefined.
    const float maxX = static_cast<float>(columns * cellSize - 1);
    const float maxY = static_cast<float>(rows * cellSize - 1);
    const float cx = std::isnan(x) ? 0.0f : std::clamp(x, 0.0f, maxX);
    const float cy = std::isnan(y) ? 0.0f : std::clamp(y, 0.0f, maxY);
    return GetNode(static_cast<int32_t>(cx), static_cast<int32_t>(cy));
}
