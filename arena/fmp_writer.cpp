#include "arena/fmp_writer.h"

#include <algorithm>
#include <map>

namespace {

class Bytes {
public:
    explicit Bytes(bool little) : little_(little) {}
    void U8(int v) { s_.push_back(static_cast<char>(v & 0xFF)); }
    void V16(int v) {
        const auto u = static_cast<std::uint16_t>(v);
        if (little_) {
            U8(u & 0xFF);
            U8(u >> 8);
        } else {
            U8(u >> 8);
            U8(u & 0xFF);
        }
    }
    void V32(int v) {
        const auto u = static_cast<std::uint32_t>(v);
        if (little_) {
            for (int i = 0; i < 4; ++i) U8(static_cast<int>(u >> (8 * i)));
        } else {
            for (int i = 3; i >= 0; --i) U8(static_cast<int>(u >> (8 * i)));
        }
    }
    const std::string& str() const { return s_; }

private:
    bool little_;
    std::string s_;
};

std::string BigEndian32(std::uint32_t v) {
    std::string s;
    for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
}

std::string Chunk(const std::string& tag, const std::string& data) {
    return tag + BigEndian32(static_cast<std::uint32_t>(data.size())) + data;
}

int GraphicBytes(const FmpMapData& m, int depth) {
    const int area = m.block_width * m.block_height;
    return depth == 15 ? area * 2 : area * (depth / 8);
}

// Palette for depth 8: the key colour first, then the colours in order of use.
std::vector<std::uint32_t> BuildPalette(const FmpMapData& m, std::uint32_t key) {
    std::vector<std::uint32_t> palette{key};
    std::map<std::uint32_t, int> seen{{key, 0}};
    for (const auto& g : m.graphics) {
        for (std::uint32_t p : g) {
            const std::uint32_t rgb = (p >> 24) == 0 ? key : (p & 0xFFFFFF);
            if (seen.count(rgb) || palette.size() >= 256) continue;
            seen[rgb] = static_cast<int>(palette.size());
            palette.push_back(rgb);
        }
    }
    return palette;
}

int NearestIndex(const std::vector<std::uint32_t>& palette, std::uint32_t rgb) {
    int best = 0;
    long best_d = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr =
            static_cast<long>((palette[i] >> 16) & 0xFF) - static_cast<long>((rgb >> 16) & 0xFF);
        const long dg =
            static_cast<long>((palette[i] >> 8) & 0xFF) - static_cast<long>((rgb >> 8) & 0xFF);
        const long db = static_cast<long>(palette[i] & 0xFF) - static_cast<long>(rgb & 0xFF);
        const long d = dr * dr + dg * dg + db * db;
        if (best_d < 0 || d < best_d) {
            best_d = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace

std::string WriteFmp(const FmpMapData& m, const FmpWriteOptions& o) {
    const bool little = o.little_endian;
    const int depth = o.block_depth;
    const std::uint32_t key = (static_cast<std::uint32_t>(m.key_red) << 16) |
                              (static_cast<std::uint32_t>(m.key_green) << 8) |
                              static_cast<std::uint32_t>(m.key_blue);
    const std::vector<std::uint32_t> palette =
        depth == 8 ? BuildPalette(m, key) : std::vector<std::uint32_t>{};

    std::string body;
    if (o.extra_chunks) body += Chunk("ATHR", std::string("Crashmoor map tools\0", 20));

    // Map header.
    Bytes h(little);
    h.U8(1);
    h.U8(0);
    h.U8(little ? 1 : 0);
    h.U8(o.map_type);
    h.V16(m.width);
    h.V16(m.height);
    h.V16(0);
    h.V16(0);
    h.V16(m.block_width);
    h.V16(m.block_height);
    h.V16(depth);
    h.V16(o.block_struct_size);
    h.V16(static_cast<int>(m.blocks.size()));
    h.V16(static_cast<int>(m.graphics.size()));
    h.U8(0);  // key index: palette entry 0 holds the key colour
    h.U8(m.key_red);
    h.U8(m.key_green);
    h.U8(m.key_blue);
    h.V16(m.block_width);
    h.V16(m.block_height);
    h.V16(0);
    h.V16(0);
    h.V16(0);
    h.V16(0);  // pad to 40 bytes, cut below
    body += Chunk("MPHD",
                  h.str().substr(0, static_cast<std::size_t>(std::clamp(o.header_length, 24, 40))));
    if (o.extra_chunks) body += Chunk("EDHD", std::string(12, '\x01'));

    if (depth == 8) {
        std::string cmap;
        for (std::uint32_t c : palette) {
            cmap.push_back(static_cast<char>((c >> 16) & 0xFF));
            cmap.push_back(static_cast<char>((c >> 8) & 0xFF));
            cmap.push_back(static_cast<char>(c & 0xFF));
        }
        body += Chunk("CMAP", cmap);
    }

    // Block records: type 0 stores graphics as byte offsets.
    const int gfx_bytes = GraphicBytes(m, depth);
    Bytes b(little);
    for (const BLKSTR& r : m.blocks) {
        const int scale = o.map_type == 0 ? gfx_bytes : 1;
        b.V32(r.gfx0 * scale);
        b.V32(r.gfx1 * scale);
        b.V32(r.gfx2 * scale);
        b.V32(r.gfx3 * scale);
        b.V32(r.user1);
        b.V32(r.user2);
        b.V16(r.user3);
        b.V16(r.user4);
        b.U8(r.user5);
        b.U8(r.user6);
        b.U8(r.user7);
        b.U8(r.bit0 | r.bit1 << 1 | r.bit2 << 2 | r.bit3 << 3 | r.bit4 << 4 | r.bit5 << 5 |
             r.bit6 << 6 | r.bit7 << 7);
    }
    body += Chunk("BKDT", b.str());

    // Animations: the frame table, then the end marker and the records from
    // last to first: the reader walks backwards from the chunk's end, so the
    // first record is the last in the file and the end marker is met last.
    if (!m.anims.empty()) {
        Bytes a(little);
        for (int f : m.frames) a.V32(o.map_type == 0 ? f * 32 : f);
        const int table = static_cast<int>(a.str().size());
        const int length = table + 16 * (static_cast<int>(m.anims.size()) + 1);
        std::vector<ANISTR> records(m.anims.rbegin(), m.anims.rend());
        ANISTR end;
        end.type = 255;
        records.insert(records.begin(), end);
        for (const ANISTR& r : records) {
            a.U8(r.type);
            a.U8(r.delay);
            a.U8(r.counter);
            a.U8(r.user);
            auto field = [&](int v) { return o.map_type == 0 ? v * 4 - length : v; };
            a.V32(field(r.current));
            a.V32(field(r.start));
            a.V32(field(r.end));
        }
        body += Chunk("ANDT", a.str());
    }

    // Block graphics.
    std::string gfx;
    for (const auto& g : m.graphics) {
        for (std::size_t p = 0; p < static_cast<std::size_t>(m.block_width * m.block_height); ++p) {
            const std::uint32_t argb = p < g.size() ? g[p] : 0;
            const std::uint32_t rgb = (argb >> 24) == 0 ? key : (argb & 0xFFFFFF);
            const std::uint32_t r = (rgb >> 16) & 0xFF, gr = (rgb >> 8) & 0xFF, bl = rgb & 0xFF;
            switch (depth) {
                case 8:
                    gfx.push_back(
                        static_cast<char>((argb >> 24) == 0 ? 0 : NearestIndex(palette, rgb)));
                    break;
                case 15: {
                    const std::uint32_t v = ((r >> 3) << 10) | ((gr >> 3) << 5) | (bl >> 3);
                    gfx.push_back(static_cast<char>(v >> 8));
                    gfx.push_back(static_cast<char>(v & 0xFF));
                    break;
                }
                case 16: {
                    const std::uint32_t v = ((r >> 3) << 11) | ((gr >> 2) << 5) | (bl >> 3);
                    gfx.push_back(static_cast<char>(v >> 8));
                    gfx.push_back(static_cast<char>(v & 0xFF));
                    break;
                }
                case 24:
                    gfx.push_back(static_cast<char>(r));
                    gfx.push_back(static_cast<char>(gr));
                    gfx.push_back(static_cast<char>(bl));
                    break;
                default:
                    gfx.push_back('\0');
                    gfx.push_back(static_cast<char>(r));
                    gfx.push_back(static_cast<char>(gr));
                    gfx.push_back(static_cast<char>(bl));
                    break;
            }
        }
    }
    body += Chunk("BGFX", gfx);
    if (o.extra_chunks) body += Chunk("LYRN", std::string("floor\0walls\0", 12));

    // Layer planes.
    for (std::size_t plane = 0; plane < m.planes.size() && plane < 8; ++plane) {
        const std::vector<int>& cells = m.planes[plane];
        auto cell = [&](int col, int row) {
            const std::size_t i = static_cast<std::size_t>(row) * m.width + col;
            return i < cells.size() ? cells[i] : 0;
        };
        auto encode = [&](int v) {
            if (o.map_type != 0) return v;
            return v < 0 ? v * 16 : v * o.block_struct_size;
        };
        Bytes l(little);
        for (int row = 0; row < m.height; ++row) {
            if (o.map_type == 2) {
                // Runs of equal values as repeats, the rest as literals.
                int col = 0;
                while (col < m.width) {
                    int run = 1;
                    while (col + run < m.width && run < 32767 &&
                           cell(col + run, row) == cell(col, row))
                        ++run;
                    if (run >= 3) {
                        l.V16(-run);
                        l.V16(cell(col, row));
                        col += run;
                        continue;
                    }
                    int lit = 0;
                    while (col + lit < m.width && lit < 32767) {
                        const int c = col + lit;
                        if (c + 2 < m.width && cell(c, row) == cell(c + 1, row) &&
                            cell(c, row) == cell(c + 2, row))
                            break;
                        ++lit;
                    }
                    l.V16(lit);
                    for (int i = 0; i < lit; ++i) l.V16(cell(col + i, row));
                    col += lit;
                }
            } else {
                for (int col = 0; col < m.width; ++col) l.V16(encode(cell(col, row)));
            }
        }
        const std::string tag = plane == 0 ? std::string("BODY") : "LYR" + std::to_string(plane);
        body += Chunk(tag, l.str());
    }
    if (o.extra_chunks) body += Chunk("NOTE", "made for tests");

    return "FORM" + BigEndian32(static_cast<std::uint32_t>(body.size() + 4)) + "FMAP" + body;
}
