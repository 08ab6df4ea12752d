#pragma once
// The Day world's board: forty cells in eight staggered columns of five, and
// the three boards' variant tables that decide which of its three voices
// (a, b, c) a piece sounds in on each cell. Plain geometry and data.

#include <optional>

#include "platform/Geometry.h"

namespace day {

inline constexpr int kColumns = 8;
inline constexpr int kRows = 5;
inline constexpr int kBoardCount = 3;
inline constexpr int kVariantCount = 3;

struct Cell {
    int col = 0;  // 0..7
    int row = 0;  // 0..4
    // 0..39, the key the variant tables and a piece's m_nCell use.
    int Key() const { return col * kRows + row; }
};

// A cell's anchor in stage coordinates: where a piece placed on it has its
// left-top corner. Odd columns stand 34 pixels higher than even ones.
plat::Point CellAnchor(Cell cell);

// The cell whose anchor is nearest (x + y distance) to the stage point; a tie
// goes to the lower column, then the lower row. Nullopt when every anchor is
// 1000 or more away (a point from a file far off the board).
std::optional<Cell> NearestCell(int x, int y);

// The variant (0 a, 1 b, 2 c) that board 0..2 gives cell key 0..39.
int BoardVariant(int board, int key);

// 'a', 'b' or 'c' for variant 0..2.
inline char VariantLetter(int variant) { return static_cast<char>('a' + variant); }

}  // namespace day
