#include "tools/datagen/arena_layout.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace datagen {
namespace {

// Layouts are drawn for a quarter of the arena and completed by
// symmetry, so that no respawn point is better placed than another.
enum class Symmetry {
    kMirror4,   ///< mirrored left-right and top-bottom
    kRotate90,  ///< turned in quarters (square arenas)
};

class Builder {
public:
    Builder(ArenaLayout& layout, Symmetry symmetry) : l_(layout), sym_(symmetry) {}

    /// One box per side of the arena's edge.
    void Border() {
        const int w = l_.width, h = l_.height;
        l_.boxes.push_back({0, 0, w - 1, 0, wall::kBorder, false});
        l_.boxes.push_back({0, h - 1, w - 1, h - 1, wall::kBorder, false});
        l_.boxes.push_back({0, 1, 0, h - 2, wall::kBorder, false});
        l_.boxes.push_back({w - 1, 1, w - 1, h - 2, wall::kBorder, false});
    }

    /// A box and its symmetric images. `materials` are handed out to the
    /// images in turn so that they do not all look alike.
    void Box(int c1, int r1, int c2, int r2, std::vector<int> materials, bool stack = false) {
        for (int k = 0; k < kImages; ++k) {
            int a[2] = {c1, r1}, b[2] = {c2, r2};
            CellImage(k, a[0], a[1]);
            CellImage(k, b[0], b[1]);
            ArenaBox box{std::min(a[0], b[0]),
                         std::min(a[1], b[1]),
                         std::max(a[0], b[0]),
                         std::max(a[1], b[1]),
                         materials[static_cast<std::size_t>(k) % materials.size()],
                         stack};
            const bool seen = std::any_of(l_.boxes.begin(), l_.boxes.end(), [&](const ArenaBox& o) {
                return o.c1 == box.c1 && o.r1 == box.r1 && o.c2 == box.c2 && o.r2 == box.r2;
            });
            if (!seen) l_.boxes.push_back(box);
        }
    }

    /// A point (given as the block corner it sits on) and its images.
    void Point(std::vector<ArenaSpot>& list, int vx, int vy) {
        for (int k = 0; k < kImages; ++k) {
            int x = vx, y = vy;
            VertexImage(k, x, y);
            const ArenaSpot s{x - 1, y - 1};
            const bool seen = std::any_of(list.begin(), list.end(), [&](const ArenaSpot& o) {
                return o.column == s.column && o.row == s.row;
            });
            if (!seen) list.push_back(s);
        }
    }

private:
    static constexpr int kImages = 4;

    void CellImage(int k, int& c, int& r) const {
        const int w = l_.width, h = l_.height;
        switch (sym_) {
            case Symmetry::kMirror4:
                if (k & 1) c = w - 1 - c;
                if (k & 2) r = h - 1 - r;
                break;
            case Symmetry::kRotate90:
                for (int i = 0; i < k; ++i) {
                    const int nc = w - 1 - r;
                    r = c;
                    c = nc;
                }
                break;
        }
    }

    void VertexImage(int k, int& x, int& y) const {
        const int w = l_.width, h = l_.height;
        switch (sym_) {
            case Symmetry::kMirror4:
                if (k & 1) x = w - x;
                if (k & 2) y = h - y;
                break;
            case Symmetry::kRotate90:
                for (int i = 0; i < k; ++i) {
                    const int nx = w - y;
                    y = x;
                    x = nx;
                }
                break;
        }
    }

    ArenaLayout& l_;
    Symmetry sym_;
};

// Each arena: its size in blocks, its edge, the obstacles of one quarter,
// the respawn points and the pickups.

ArenaLayout Dust() {
    ArenaLayout l;
    l.name = "dust";
    l.theme = ArenaTheme::kDesert;
    l.width = 48;
    l.height = 24;
    l.title = "Dust Bowl";
    l.description = "Desert canyon: sandstone mesas and spurs of the canyon wall on sand and clay.";
    Builder b(l, Symmetry::kMirror4);
    b.Border();
    const std::vector<int> rock{wall::kMesa};
    const std::vector<int> cliff{wall::kBorder};
    // Spurs of the canyon wall, the top and bottom ones tapering to a tip.
    b.Box(10, 1, 13, 4, cliff);
    b.Box(11, 5, 12, 6, cliff);
    b.Box(1, 10, 3, 13, cliff);
    // A big mesa in the middle and a narrow one on each side of it.
    b.Box(20, 9, 27, 14, rock);
    b.Box(14, 10, 15, 13, rock);
    // Respawn points in the corners and beside the spurs; on each side a
    // depot of pickups between them.
    b.Point(l.spawns, 4, 4);
    b.Point(l.spawns, 18, 6);
    b.Point(l.weapons, 10, 9);
    b.Point(l.health, 12, 12);
    b.Point(l.secondary, 8, 12);
    return l;
}

ArenaLayout Frost() {
    ArenaLayout l;
    l.name = "frost";
    l.theme = ArenaTheme::kSnow;
    l.width = 32;
    l.height = 32;
    l.title = "Frostbite";
    l.description = "Frozen lake: ice blocks and snowy rocks on packed snow and bare ice.";
    Builder b(l, Symmetry::kRotate90);
    b.Border();
    // A spur of the shore rock from each side, ice blocks round the middle,
    // snowy rocks between.
    b.Box(7, 1, 8, 5, {wall::kBorder});
    b.Box(11, 11, 13, 13, {wall::kIce});
    b.Box(5, 10, 6, 12, {wall::kSnowRock});
    b.Point(l.spawns, 4, 4);
    b.Point(l.spawns, 16, 5);
    b.Point(l.health, 10, 8);
    b.Point(l.weapons, 3, 10);
    b.Point(l.secondary, 11, 4);
    b.Point(l.secondary, 16, 16);  // a prize in the middle, further than the others
    return l;
}

ArenaLayout Metro() {
    ArenaLayout l;
    l.name = "metro";
    l.theme = ArenaTheme::kCity;
    l.width = 64;
    l.height = 64;
    l.title = "Metro";
    l.description = "City streets: sixteen blocks of buildings round a central plaza.";
    // Streets five blocks wide (six down the middle) between blocks of nine.
    l.streets = {{1, 5}, {15, 19}, {29, 34}, {44, 48}, {58, 62}};
    Builder b(l, Symmetry::kRotate90);
    b.Border();
    using namespace wall;
    // The four blocks of the top-left quarter; the other quarters are turns of it.
    b.Box(6, 6, 14, 10, {kRoofGravel, kRoofTar, kRoofTan, kRoofRed});
    b.Box(6, 11, 10, 14, {kRoofTar, kRoofTan, kRoofRed, kRoofGravel});
    b.Box(20, 6, 24, 14, {kRoofTan, kRoofRed, kRoofGravel, kRoofTar});
    b.Box(25, 6, 28, 12, {kRoofRed, kRoofGravel, kRoofTar, kRoofTan});
    b.Box(6, 20, 14, 25, {kRoofTar, kRoofGravel, kRoofRed, kRoofTan});
    b.Box(9, 26, 14, 28, {kRoofRed, kRoofTan, kRoofGravel, kRoofTar});
    b.Box(20, 20, 28, 23, {kRoofGravel, kRoofRed, kRoofTan, kRoofTar});
    b.Box(20, 24, 23, 28, {kRoofTan, kRoofTar, kRoofGravel, kRoofRed});
    b.Point(l.spawns, 17, 17);
    b.Point(l.spawns, 32, 4);
    b.Point(l.health, 28, 15);
    b.Point(l.health, 26, 26);
    b.Point(l.weapons, 4, 19);
    b.Point(l.secondary, 19, 32);
    b.Point(l.secondary, 32, 32);  // the plaza's prize, further than the others
    return l;
}

ArenaLayout Yard() {
    ArenaLayout l;
    l.name = "yard";
    l.theme = ArenaTheme::kYard;
    l.width = 16;
    l.height = 12;
    l.title = "Freight Yard";
    l.description = "Industrial yard: a stack of shipping containers inside a concrete wall.";
    Builder b(l, Symmetry::kMirror4);
    b.Border();
    b.Box(5, 5, 10, 6, {wall::kContainerRed}, true);
    b.Point(l.spawns, 3, 3);
    b.Point(l.health, 6, 3);
    b.Point(l.weapons, 3, 6);
    b.Point(l.secondary, 8, 3);
    return l;
}

}  // namespace

std::vector<ArenaLayout> ShippedArenas() {
    return {Dust(), Frost(), Metro(), Yard()};
}

std::string ArenaText(const ArenaLayout& l) {
    std::ostringstream o;
    // Five lines of free text: title, author, size, description, contents.
    o << l.title << '\n';
    o << "Crashmoor team\n";
    o << l.width * kTileSize << " x " << l.height * kTileSize << " pixels, blocks of " << kTileSize
      << '\n';
    o << l.description << '\n';
    o << l.spawns.size() << " respawn points; pickups: " << l.health.size() << " health, "
      << l.weapons.size() << " weapon, " << l.secondary.size() << " secondary\n";
    o << l.name << '\n';
    o << l.boxes.size() << '\n';
    for (const ArenaBox& b : l.boxes)
        o << b.c1 << '\n' << b.r1 << '\n' << b.c2 << '\n' << b.r2 << '\n';
    o << l.health.size() << '\n';
    for (const ArenaSpot& s : l.health) o << s.column << '\n' << s.row << '\n';
    o << l.weapons.size() << '\n';
    for (const ArenaSpot& s : l.weapons) o << s.column << '\n' << s.row << '\n';
    o << l.spawns.size() << '\n';
    for (const ArenaSpot& s : l.spawns) o << s.column << '\n' << s.row << '\n' << 0 << '\n';
    o << l.secondary.size() << '\n';
    for (const ArenaSpot& s : l.secondary) o << s.column << '\n' << s.row << '\n' << 0 << '\n';
    return o.str();
}

std::vector<std::string> LayoutProblems(const ArenaLayout& l) {
    std::vector<std::string> problems;
    auto say = [&](const std::string& s) { problems.push_back(s); };
    const int w = l.width, h = l.height, s = kTileSize;
    std::vector<int> owner(static_cast<std::size_t>(w * h), -1);
    for (std::size_t i = 0; i < l.boxes.size(); ++i) {
        const ArenaBox& b = l.boxes[i];
        if (b.c1 < 0 || b.r1 < 0 || b.c2 >= w || b.r2 >= h || b.c1 > b.c2 || b.r1 > b.r2) {
            say("box " + std::to_string(i) + " lies outside the arena");
            continue;
        }
        for (int r = b.r1; r <= b.r2; ++r)
            for (int c = b.c1; c <= b.c2; ++c) {
                int& o = owner[static_cast<std::size_t>(r * w + c)];
                if (o >= 0)
                    say("boxes " + std::to_string(o) + " and " + std::to_string(i) + " overlap");
                o = static_cast<int>(i);
            }
    }
    for (int c = 0; c < w; ++c)
        if (owner[static_cast<std::size_t>(c)] < 0 ||
            owner[static_cast<std::size_t>((h - 1) * w + c)] < 0)
            say("edge open at column " + std::to_string(c));
    for (int r = 0; r < h; ++r)
        if (owner[static_cast<std::size_t>(r * w)] < 0 ||
            owner[static_cast<std::size_t>(r * w + w - 1)] < 0)
            say("edge open at row " + std::to_string(r));
    for (std::size_t i = 0; i < l.boxes.size(); ++i)
        for (std::size_t j = i + 1; j < l.boxes.size(); ++j) {
            const ArenaBox &a = l.boxes[i], &b = l.boxes[j];
            const int gx = std::max(b.c1 - a.c2 - 1, a.c1 - b.c2 - 1);
            const int gy = std::max(b.r1 - a.r2 - 1, a.r1 - b.r2 - 1);
            if (gx < 0 && gy < 0) continue;    // overlap, reported above
            if (gx <= 0 && gy <= 0) continue;  // touching
            const double d = std::hypot(std::max(gx, 0), std::max(gy, 0)) * s;
            if (d < kLaneWidth)
                say("boxes " + std::to_string(i) + " and " + std::to_string(j) + " are " +
                    std::to_string(static_cast<int>(d)) + " px apart");
        }
    auto check_points = [&](const std::vector<ArenaSpot>& list, const std::string& what) {
        for (const ArenaSpot& p : list) {
            const int px = (p.column + 1) * s, py = (p.row + 1) * s, half = kPointClearance / 2;
            bool clear = true;
            for (int r = (py - half) / s; r <= (py + half - 1) / s; ++r)
                for (int c = (px - half) / s; c <= (px + half - 1) / s; ++c)
                    if (c < 0 || r < 0 || c >= w || r >= h ||
                        owner[static_cast<std::size_t>(r * w + c)] >= 0)
                        clear = false;
            if (!clear)
                say(what + " at " + std::to_string(p.column) + "," + std::to_string(p.row) +
                    " has no room");
        }
    };
    check_points(l.spawns, "respawn point");
    check_points(l.health, "health pickup");
    check_points(l.weapons, "weapon pickup");
    check_points(l.secondary, "secondary pickup");
    if (l.spawns.size() < 4 || l.spawns.size() > 8) say("needs 4 to 8 respawn points");
    if (l.health.empty() || l.weapons.empty() || l.secondary.empty())
        say("a pickup kind is missing");
    // No two points on top of each other.
    std::vector<ArenaSpot> all;
    for (const auto* list : {&l.spawns, &l.health, &l.weapons, &l.secondary})
        all.insert(all.end(), list->begin(), list->end());
    for (std::size_t i = 0; i < all.size(); ++i)
        for (std::size_t j = i + 1; j < all.size(); ++j)
            if (std::abs(all[i].column - all[j].column) < 2 &&
                std::abs(all[i].row - all[j].row) < 2)
                say("points " + std::to_string(all[i].column) + "," + std::to_string(all[i].row) +
                    " and " + std::to_string(all[j].column) + "," + std::to_string(all[j].row) +
                    " crowd each other");
    return problems;
}

}  // namespace datagen
