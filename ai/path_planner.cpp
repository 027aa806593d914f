#include "ai/path_planner.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numbers>

namespace {

constexpr float kDiagonal = std::numbers::sqrt2_v<float>;
// The eight steps between cells, straight ones first: bit d of a cell's moves
// is the step (kDx[d], kDy[d]).
constexpr int kDx[8] = {1, -1, 0, 0, 1, 1, -1, -1};
constexpr int kDy[8] = {0, 0, 1, -1, 1, -1, 1, -1};
// Crossings of the two axes nearer than this (in units of the segment) are
// taken as passing through a cell corner, which then needs both side cells.
constexpr double kCornerTie = 1e-9;

// The distance from (x, y) to the rectangle [x0, x1] x [y0, y1], squared.
double DistanceSq(double x, double y, double x0, double y0, double x1, double y1) {
    const double dx = std::max({x0 - x, 0.0, x - x1});
    const double dy = std::max({y0 - y, 0.0, y - y1});
    return dx * dx + dy * dy;
}

}  // namespace

bool SolidGrid::Solid(int column, int row) const {
    if (column < 0 || row < 0 || column >= columns || row >= rows) return true;
    const std::size_t i = static_cast<std::size_t>(row) * columns + column;
    return i >= solid.size() || solid[i] != 0;
}

PathPlanner::PathPlanner(const SolidGrid& grid, double clearance) {
    if (grid.columns <= 0 || grid.rows <= 0 || grid.blockWidth <= 0 || grid.blockHeight <= 0) {
        return;
    }
    const double bw = grid.blockWidth, bh = grid.blockHeight;
    const double reach = std::max(clearance, 0.0);
    cellWidth_ = bw / 2;
    cellHeight_ = bh / 2;
    columns_ = grid.columns * 2;
    rows_ = grid.rows * 2;
    stride_ = columns_ + 2;
    const std::size_t cells = static_cast<std::size_t>(stride_) * (rows_ + 2);
    open_.assign(cells, 0);

    // Only blocks within `reach` of a centre can close its cell. Blocks off the
    // grid are all solid, so the ring just outside it stands for all of them.
    const auto blockAt = [](double v, double size, int count) {
        return static_cast<int>(std::clamp(std::floor(v / size), -1.0, static_cast<double>(count)));
    };
    for (int j = 0; j < rows_; ++j) {
        const double cy = (j + 0.5) * cellHeight_;
        const int r0 = blockAt(cy - reach, bh, grid.rows), r1 = blockAt(cy + reach, bh, grid.rows);
        for (int i = 0; i < columns_; ++i) {
            if (grid.Solid(i / 2, j / 2)) continue;
            const double cx = (i + 0.5) * cellWidth_;
            const int c0 = blockAt(cx - reach, bw, grid.columns);
            const int c1 = blockAt(cx + reach, bw, grid.columns);
            bool open = true;
            for (int r = r0; open && r <= r1; ++r) {
                for (int c = c0; open && c <= c1; ++c) {
                    open = !grid.Solid(c, r) || DistanceSq(cx, cy, c * bw, r * bh, (c + 1) * bw,
                                                           (r + 1) * bh) >= reach * reach;
                }
            }
            open_[Index(i, j)] = open ? 1 : 0;
            anyOpen_ = anyOpen_ || open;
        }
    }

    // The steps out of each open cell: to an open neighbour, and diagonally
    // only when both cells beside the step are open too (no corner cutting).
    moves_.assign(cells, 0);
    for (int j = 0; j < rows_; ++j) {
        for (int i = 0; i < columns_; ++i) {
            if (!OpenCell(i, j)) continue;
            std::uint8_t m = 0;
            for (int d = 0; d < 8; ++d) {
                const bool step = OpenCell(i + kDx[d], j + kDy[d]) && OpenCell(i + kDx[d], j) &&
                                  OpenCell(i, j + kDy[d]);
                if (step) m |= static_cast<std::uint8_t>(1u << d);
            }
            moves_[Index(i, j)] = m;
        }
    }
    state_.assign(cells, CellState{});
    heap_.reserve(cells);
    chain_.reserve(cells);
    points_.reserve(cells);
    corners_.reserve(cells);
}

bool PathPlanner::OpenCell(int i, int j) const {
    return i >= 0 && j >= 0 && i < columns_ && j < rows_ && open_[Index(i, j)] != 0;
}

Vector2D PathPlanner::Centre(int cell) const {
    const int i = cell % stride_ - 1, j = cell / stride_ - 1;
    return Vector2D((i + 0.5) * cellWidth_, (j + 0.5) * cellHeight_);
}

int PathPlanner::OpenCellAt(const Vector2D& p) const {
    if (columns_ == 0) return -1;
    const double u = p.x / cellWidth_, v = p.y / cellHeight_;
    // Written so that NaN and far-away points fail before any cast.
    if (!(u >= 0 && v >= 0 && u < columns_ && v < rows_)) return -1;
    const int cell = Index(static_cast<int>(u), static_cast<int>(v));
    return open_[cell] ? cell : -1;
}

bool PathPlanner::Open(const Vector2D& p) const {
    return OpenCellAt(p) >= 0;
}

int PathPlanner::NearestOpen(const Vector2D& p) const {
    if (!anyOpen_ || std::isnan(p.x) || std::isnan(p.y)) return -1;
    // Rings of cells round the cell under p (clamped onto the grid), nearest
    // first. A cell on ring r has its centre at least (r - 1/2) cells from p,
    // so the search stops once that bound passes the best distance found.
    const double qx = std::clamp(p.x, 0.0, columns_ * cellWidth_);
    const double qy = std::clamp(p.y, 0.0, rows_ * cellHeight_);
    const int i0 = std::min(static_cast<int>(qx / cellWidth_), columns_ - 1);
    const int j0 = std::min(static_cast<int>(qy / cellHeight_), rows_ - 1);
    const double unit = std::min(cellWidth_, cellHeight_);
    int best = -1;
    double bestSq = std::numeric_limits<double>::infinity();
    const auto consider = [&](int i, int j) {
        if (!open_[Index(i, j)]) return;
        const double dx = (i + 0.5) * cellWidth_ - p.x, dy = (j + 0.5) * cellHeight_ - p.y;
        const double d = dx * dx + dy * dy;
        if (d < bestSq) {
            bestSq = d;
            best = Index(i, j);
        }
    };
    const int maxRing = std::max(columns_, rows_);
    for (int r = 0; r <= maxRing; ++r) {
        const double bound = (r - 0.5) * unit;
        if (best >= 0 && bound > 0 && bound * bound >= bestSq) break;
        const int jLo = std::max(j0 - r, 0), jHi = std::min(j0 + r, rows_ - 1);
        const int iLo = std::max(i0 - r, 0), iHi = std::min(i0 + r, columns_ - 1);
        for (int j = jLo; j <= jHi; ++j) {
            if (j == j0 - r || j == j0 + r) {
                for (int i = iLo; i <= iHi; ++i) consider(i, j);
            } else {
                if (i0 - r >= 0) consider(i0 - r, j);
                if (i0 + r < columns_) consider(i0 + r, j);
            }
        }
    }
    return best;
}

bool PathPlanner::LineClear(const Vector2D& a, const Vector2D& b) const {
    if (OpenCellAt(a) < 0 || OpenCellAt(b) < 0) return false;
    // A walk through every cell the segment touches, in cell units.
    const double u0 = a.x / cellWidth_, v0 = a.y / cellHeight_;
    const double u1 = b.x / cellWidth_, v1 = b.y / cellHeight_;
    int i = static_cast<int>(u0), j = static_cast<int>(v0);
    const int iEnd = static_cast<int>(u1), jEnd = static_cast<int>(v1);
    const double du = u1 - u0, dv = v1 - v0;
    const int si = du > 0 ? 1 : du < 0 ? -1 : 0;
    const int sj = dv > 0 ? 1 : dv < 0 ? -1 : 0;
    constexpr double kNever = std::numeric_limits<double>::infinity();
    // The segment parameter of one cell's width and of the next crossing.
    const double stepU = si != 0 ? 1.0 / std::abs(du) : kNever;
    const double stepV = sj != 0 ? 1.0 / std::abs(dv) : kNever;
    double nextU = si > 0 ? (i + 1 - u0) * stepU : si < 0 ? (u0 - i) * stepU : kNever;
    double nextV = sj > 0 ? (j + 1 - v0) * stepV : sj < 0 ? (v0 - j) * stepV : kNever;
    // The cells touched lie between the end cells, so each axis moves exactly
    // as often as its end cells differ, whatever the rounding of the crossings.
    int leftI = std::abs(iEnd - i), leftJ = std::abs(jEnd - j);
    while (leftI > 0 || leftJ > 0) {
        const bool corner = std::abs(nextU - nextV) < kCornerTie;
        // Through a cell corner: both cells beside it must be open too.
        if (corner && (!OpenCell(i + si, j) || !OpenCell(i, j + sj))) return false;
        const bool moveI = leftI > 0 && (leftJ == 0 || corner || nextU < nextV);
        const bool moveJ = leftJ > 0 && (leftI == 0 || corner || nextV < nextU);
        if (moveI) {
            i += si;
            nextU += stepU;
            --leftI;
        }
        if (moveJ) {
            j += sj;
            nextV += stepV;
            --leftJ;
        }
        if (!OpenCell(i, j)) return false;
    }
    return true;
}

bool PathPlanner::Search(int start, int goal) const {
    // Stamps of this plan: `seen` once a cell has a cost, `seen + 1` once it
    // is closed; anything older is from an earlier plan.
    if (generation_ > std::numeric_limits<std::uint32_t>::max() - 4) {
        for (CellState& s : state_) s.stamp = 0;
        generation_ = 0;
    }
    generation_ += 2;
    const std::uint32_t seen = generation_, closed = seen + 1;
    const int gx = goal % stride_, gy = goal / stride_;
    // Octile distance (diagonal steps while both axes differ, straight after),
    // nudged up by a thousandth so that of two cells equally good the one
    // nearer the goal goes first and open ground is crossed without fanning
    // out. A path may come out at most that thousandth longer than the best.
    const auto estimate = [gx, gy](int x, int y) {
        const int dx = std::abs(x - gx), dy = std::abs(y - gy);
        return (static_cast<float>(dx + dy) + (kDiagonal - 2.0f) * std::min(dx, dy)) * 1.001f;
    };
    // Heap entries are the f bits above the cell: a non-negative float orders
    // like its bits, so one integer comparison orders the heap.
    const auto entry = [](float f, int cell) {
        return std::uint64_t{std::bit_cast<std::uint32_t>(f)} << 32 |
               static_cast<std::uint32_t>(cell);
    };
    int offset[8];
    for (int d = 0; d < 8; ++d) offset[d] = kDy[d] * stride_ + kDx[d];

    heap_.clear();
    state_[start] = {seen, 0.0f, -1};
    heap_.push_back(entry(estimate(start % stride_, start / stride_), start));
    while (!heap_.empty()) {
        std::pop_heap(heap_.begin(), heap_.end(), std::greater<>{});
        const int cell = static_cast<int>(heap_.back() & 0xffffffffu);
        heap_.pop_back();
        CellState& here = state_[cell];
        // A cell pushed again with a lower cost leaves its older entries behind.
        if (here.stamp == closed) continue;
        here.stamp = closed;
        if (cell == goal) {
            chain_.clear();
            for (int c = goal; c >= 0; c = state_[c].parent) chain_.push_back(c);
            std::reverse(chain_.begin(), chain_.end());
            return true;
        }
        const int x = cell % stride_, y = cell / stride_;
        for (unsigned m = moves_[cell]; m != 0; m &= m - 1) {
            const int d = std::countr_zero(m);
            const int next = cell + offset[d];
            CellState& there = state_[next];
            if (there.stamp == closed) continue;
            const float g = here.cost + (d < 4 ? 1.0f : kDiagonal);
            if (there.stamp == seen && g >= there.cost) continue;
            there = {seen, g, cell};
            heap_.push_back(entry(g + estimate(x + kDx[d], y + kDy[d]), next));
            std::push_heap(heap_.begin(), heap_.end(), std::greater<>{});
        }
    }
    return false;
}

void PathPlanner::Smooth(std::vector<Vector2D>& out) const {
    // Consecutive points are always in clear sight of each other, and so are
    // the ends of a straight run, so from each anchor only the corners between
    // runs are tried, in order. When a corner is out of sight, the point in
    // sight on the run before it is found by halving, as if sight along a run,
    // once lost, did not come back; the point chosen has always been checked.
    const int last = static_cast<int>(points_.size()) - 1;
    std::size_t c = 0;
    for (int anchor = 0; anchor < last;) {
        int reach = anchor + 1;
        while (c < corners_.size() && corners_[c] <= reach) ++c;
        for (; c < corners_.size(); ++c) {
            const int corner = corners_[c];
            if (LineClear(points_[anchor], points_[corner])) {
                reach = corner;
                continue;
            }
            for (int blocked = corner; blocked - reach > 1;) {
                const int mid = reach + (blocked - reach) / 2;
                if (LineClear(points_[anchor], points_[mid])) {
                    reach = mid;
                } else {
                    blocked = mid;
                }
            }
            break;
        }
        out.push_back(points_[reach]);
        anchor = reach;
    }
}

std::vector<Vector2D> PathPlanner::Plan(const Vector2D& from, const Vector2D& to) const {
    std::vector<Vector2D> path;
    if (!anyOpen_) return path;
    int start = OpenCellAt(from);
    const bool fromOpen = start >= 0;
    if (!fromOpen) start = NearestOpen(from);
    int goal = OpenCellAt(to);
    const bool toOpen = goal >= 0;
    if (!toOpen) goal = NearestOpen(to);
    if (start < 0 || goal < 0) return path;
    const Vector2D end = toOpen ? to : Centre(goal);
    if (start == goal) {
        path.push_back(end);
        return path;
    }
    if (!Search(start, goal)) return path;

    // The points to smooth: `from` (or the centre of its cell when it is not
    // open), every cell centre of the chain, then `to` when it is open. The
    // start and goal centres stay as stepping stones from and to points that
    // are off centre; the corners of the chain are where it turns.
    points_.clear();
    corners_.clear();
    if (fromOpen) points_.push_back(from);
    const int n = static_cast<int>(chain_.size());
    for (int k = 0; k < n; ++k) {
        points_.push_back(Centre(chain_[k]));
        const bool turns =
            k == 0 || k == n - 1 || chain_[k + 1] - chain_[k] != chain_[k] - chain_[k - 1];
        if (turns) corners_.push_back(static_cast<int>(points_.size()) - 1);
    }
    if (toOpen) {
        points_.push_back(to);
        corners_.push_back(static_cast<int>(points_.size()) - 1);
    }
    if (!fromOpen) path.push_back(points_.front());
    Smooth(path);
    return path;
}
