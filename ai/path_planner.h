#pragma once
// Paths for the computer drivers through the open blocks of an arena. The
// planner knows nothing of the game: it works on a plain grid of solid and
// open blocks, so that it can be built from any arena or by hand.

#include <cstdint>
#include <vector>

#include "spritebehaviors/vector2d.h"

/// Which blocks of an arena are solid: `columns` x `rows` blocks of
/// `blockWidth` x `blockHeight` pixels; everything outside the grid is solid.
struct SolidGrid {
    int columns = 0;
    int rows = 0;
    int blockWidth = 64;
    int blockHeight = 64;
    /// Row-major, 1 = solid; blocks missing from the end count as solid.
    std::vector<std::uint8_t> solid;

    /// True for a solid block and for any block outside the grid.
    bool Solid(int column, int row) const;
};

/// Paths for a round body of radius `clearance` pixels through the open
/// blocks of a grid. Planning runs on a finer grid of half blocks, so that a
/// corridor two blocks wide has a clear middle; a half-block cell is open when
/// no solid block lies nearer than `clearance` to its centre. A body whose
/// centre is anywhere inside an open cell may come up to half a cell's
/// diagonal nearer to a wall than that, so `clearance` should include a margin.
///
/// Built once per arena (the open cells are worked out in the constructor).
/// `Plan` reuses scratch buffers kept in the planner: it allocates almost
/// nothing, but one planner must not plan on two threads at once.
class PathPlanner {
public:
    PathPlanner(const SolidGrid& grid, double clearance);

    /// Waypoints (arena pixels) from `from` to `to`: A* over the open cells,
    /// 8-connected without cutting a blocked corner, then smoothed by
    /// dropping every waypoint the body can skip in a straight clear line.
    /// The first waypoint is the first one after `from`; the last is `to`, or
    /// the centre of the open cell nearest to `to` when `to` is not open (a
    /// pickup in a wall's shadow, a goal inside a wall or off the grid). When
    /// `from` is not open (a car scraping a wall), the path starts with the
    /// centre of the open cell nearest to it. `from` and `to` in the same cell
    /// give just the goal. Empty when no path exists. The nearest open cell is
    /// nearest by distance alone: when it lies in a region that `from` cannot
    /// reach, there is no path even if another open cell near `to` could be.
    std::vector<Vector2D> Plan(const Vector2D& from, const Vector2D& to) const;
    /// True when the body can drive straight from a to b: every half-block
    /// cell the segment touches is open.
    bool LineClear(const Vector2D& a, const Vector2D& b) const;
    /// Whether the half-block cell under the point is open (false off the grid).
    bool Open(const Vector2D& p) const;

private:
    /// What a plan knows of a cell; `stamp` tells whether it is from this plan.
    struct CellState {
        std::uint32_t stamp = 0;
        float cost = 0.0f;
        int parent = -1;
    };

    // Cells are indexed on the half-block grid padded with a border of closed
    // cells, so that neighbours never need a bounds check.
    int Index(int i, int j) const { return (j + 1) * stride_ + i + 1; }
    bool OpenCell(int i, int j) const;
    Vector2D Centre(int cell) const;
    /// The padded index of the cell under p when it is open, else -1.
    int OpenCellAt(const Vector2D& p) const;
    /// The padded index of the open cell whose centre is nearest to p, -1 when
    /// no cell is open.
    int NearestOpen(const Vector2D& p) const;
    /// A* from start to goal; fills `chain_` with the cells from start to goal.
    bool Search(int start, int goal) const;
    /// Drops every point of `points_` that the body can skip in a straight
    /// line and appends the rest (all but the first) to `out`.
    void Smooth(std::vector<Vector2D>& out) const;

    double cellWidth_ = 0.0;
    double cellHeight_ = 0.0;
    int columns_ = 0;  // half-block cells across
    int rows_ = 0;
    int stride_ = 0;
    bool anyOpen_ = false;
    std::vector<std::uint8_t> open_;
    std::vector<std::uint8_t> moves_;  // the steps allowed out of each cell, as bits

    // Scratch for Plan, stamped with a generation so that nothing is cleared
    // or reallocated between plans.
    mutable std::uint32_t generation_ = 0;
    mutable std::vector<CellState> state_;
    mutable std::vector<std::uint64_t> heap_;
    mutable std::vector<int> chain_;
    mutable std::vector<Vector2D> points_;
    mutable std::vector<int> corners_;
};
