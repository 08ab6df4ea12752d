#include "scenes/day/DayBoard.h"

#include <cstdint>
#include <cstdlib>

namespace day {

namespace {

constexpr int kCellPitch = 69;
constexpr int kLeft = 24;
constexpr int kEvenTop = 46;
constexpr int kOddTop = 12;
constexpr int64_t kFarAway = 1000;

// Rows 0..4, each by columns 0..7.
constexpr const char* kVariants[kBoardCount][kRows] = {
    {"aababbcc", "bbccacaa", "acaabbcb", "bbcbccaa", "ccaababb"},
    {"cacacaca", "abababab", "bcbcbcbc", "cacacaca", "abababab"},
    {"cababcbc", "baccaaca", "abababab", "cccacbac", "bacbbcba"},
};

}  // namespace

plat::Point CellAnchor(Cell cell) {
    return {cell.col * kCellPitch + kLeft, (cell.col % 2 == 0 ? kEvenTop : kOddTop) + cell.row * kCellPitch};
}

std::optional<Cell> NearestCell(int x, int y) {
    std::optional<Cell> best;
    int64_t bestDistance = kFarAway;
    for (int col = 0; col < kColumns; ++col)
        for (int row = 0; row < kRows; ++row) {
            const plat::Point a = CellAnchor({col, row});
            // 64 bits: the point may come from a file and lie anywhere.
            const int64_t d = std::llabs(int64_t{x} - a.x) + std::llabs(int64_t{y} - a.y);
            if (d < bestDistance) {
                bestDistance = d;
                best = Cell{col, row};
            }
        }
    return best;
}

int BoardVariant(int board, int key) {
    const int col = key / kRows, row = key % kRows;
    return kVariants[board][row][col] - 'a';
}

}  // namespace day
