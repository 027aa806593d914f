#include "arena/tile_map.h"

#include <algorithm>
#include <climits>

#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/stream.h"

namespace {

// Pixels of block graphics one map may decode; a header asking for more
// (huge blocks times many graphics) is cut off there instead of exhausting
// memory.
constexpr long long kMaxGraphicPixels = 16LL << 20;

const BLKSTR kNoBlock = [] {
    BLKSTR b;
    b.gfx0 = b.gfx1 = b.gfx2 = b.gfx3 = -1;
    return b;
}();

}  // namespace

/// Reads an FMP image held in memory into a TileMap. Every read is bounded
/// by the current chunk: bytes missing at its end read as 0 and never come
/// from the next chunk.
class FmpReader {
public:
    FmpReader(TileMap& map, const std::uint8_t* data, std::size_t size)
        : map_(map), data_(data), size_(size) {}

    void Read() {
        // File header: mismatches are recorded and reading goes on.
        static const char kForm[] = "FORM";
        for (int i = 0; i < 4; ++i)
            if (FileByte(static_cast<std::size_t>(i)) != static_cast<std::uint8_t>(kForm[i]))
                map_.ErrorCode = 1;
        const long long form = BigEndian32(4);
        static const char kFmap[] = "FMAP";
        for (int i = 0; i < 4; ++i)
            if (FileByte(static_cast<std::size_t>(8 + i)) != static_cast<std::uint8_t>(kFmap[i]))
                map_.ErrorCode = 1;
        long long remaining = form - 4;
        std::size_t pos = 12;
        // Chunks until the form length is used up or the file ends.
        while (remaining > 0 && pos + 8 <= size_) {
            char tag[5] = {0, 0, 0, 0, 0};
            for (int i = 0; i < 4; ++i)
                tag[i] = static_cast<char>(data_[pos + static_cast<std::size_t>(i)]);
            const long long length = BigEndian32(pos + 4);
            remaining -= length + 8;
            const std::size_t start = pos + 8;
            const std::size_t available = start <= size_ ? size_ - start : 0;
            const std::size_t chunk_len = length < 0
                                              ? 0
                                              : static_cast<std::size_t>(std::min<long long>(
                                                    length, static_cast<long long>(available)));
            chunk_ = start;
            chunk_end_ = start + chunk_len;
            Handle(tag, static_cast<int>(std::min<std::size_t>(chunk_len, INT_MAX)));
            pos = chunk_end_;
            if (length < 0 || chunk_len < static_cast<std::size_t>(length))
                break;  // ran past the file
        }
    }

private:
    std::uint8_t FileByte(std::size_t at) const { return at < size_ ? data_[at] : 0; }
    long long BigEndian32(std::size_t at) const {
        const std::uint32_t v = (static_cast<std::uint32_t>(FileByte(at)) << 24) |
                                (static_cast<std::uint32_t>(FileByte(at + 1)) << 16) |
                                (static_cast<std::uint32_t>(FileByte(at + 2)) << 8) |
                                FileByte(at + 3);
        return static_cast<std::int32_t>(v);
    }

    // Readers relative to the chunk start; beyond the chunk they read 0.
    std::uint8_t Byte(long long off) const {
        if (off < 0) return 0;
        const std::size_t at = chunk_ + static_cast<std::size_t>(off);
        return at < chunk_end_ ? data_[at] : 0;
    }
    int Value16(long long off) const {
        const std::uint16_t v = map_.LittleEndian
                                    ? static_cast<std::uint16_t>(Byte(off) | (Byte(off + 1) << 8))
                                    : static_cast<std::uint16_t>((Byte(off) << 8) | Byte(off + 1));
        return static_cast<std::int16_t>(v);
    }
    int Value32(long long off) const {
        std::uint32_t v;
        if (map_.LittleEndian) {
            v = Byte(off) | (static_cast<std::uint32_t>(Byte(off + 1)) << 8) |
                (static_cast<std::uint32_t>(Byte(off + 2)) << 16) |
                (static_cast<std::uint32_t>(Byte(off + 3)) << 24);
        } else {
            v = (static_cast<std::uint32_t>(Byte(off)) << 24) |
                (static_cast<std::uint32_t>(Byte(off + 1)) << 16) |
                (static_cast<std::uint32_t>(Byte(off + 2)) << 8) | Byte(off + 3);
        }
        return static_cast<std::int32_t>(v);
    }
    long long ChunkLength() const { return static_cast<long long>(chunk_end_ - chunk_); }

    void Handle(const char* tag, int length) {
        const std::string t(tag, 4);
        if (t == "MPHD") {
            Header(length);
        } else if (t == "CMAP") {
            map_.Palette.assign(data_ + chunk_, data_ + chunk_end_);
        } else if (t == "BKDT") {
            BlockData();
        } else if (t == "ANDT") {
            AnimationData(length);
        } else if (t == "BGFX") {
            Graphics();
        } else if (t == "BODY") {
            Layer(0);
        } else if (t.compare(0, 3, "LYR") == 0 && t[3] >= '1' && t[3] <= '7') {
            Layer(t[3] - '0');
        }
        // Anything else is skipped.
    }

    void Header(int length) {
        const int major = Byte(0);
        map_.LittleEndian = Byte(2) == 1 ? 1 : 0;
        const int type = Byte(3);
        if (major > 1 || type > 3) {
            map_.ErrorCode = 3;
            return;
        }
        const int width = Value16(4), height = Value16(6);
        const int block_w = Value16(12), block_h = Value16(14);
        // Sizes below 1 would divide by zero; sizes beyond the limits would
        // exhaust memory. Both refuse the header. The cell budget counts
        // every plane the grid holds (the spare row and column included).
        const long long cells = static_cast<long long>(width + 1) * (height + 1) *
                                (static_cast<long long>(map_.LayerCount) + 1);
        if (width < 1 || height < 1 || block_w < 1 || block_h < 1 || cells > TileMap::kMaxCells ||
            block_w > TileMap::kMaxBlockSize || block_h > TileMap::kMaxBlockSize) {
            map_.ErrorCode = 3;
            return;
        }
        map_.MapType = type;
        map_.MapWidth = width;
        map_.MapHeight = height;
        map_.BlockWidth = block_w;
        map_.BlockHeight = block_h;
        map_.BlockDepth = Value16(16);
        map_.BlockStructSize = Value16(18);
        map_.BlockStructCount = std::max(0, Value16(20));
        map_.BlockGfxCount = std::max(0, Value16(22));
        if (length > 24) {
            map_.KeyIndex = Byte(24);
            map_.KeyRed = Byte(25);
            map_.KeyGreen = Byte(26);
            map_.KeyBlue = Byte(27);
        } else {
            map_.KeyIndex = 0;
            map_.KeyRed = 255;
            map_.KeyGreen = 0;
            map_.KeyBlue = 255;
        }
        if (length > 28) {
            map_.GapX = Value16(28);
            map_.GapY = Value16(30);
            map_.StaggerX = Value16(32);
            map_.StaggerY = Value16(34);
        } else {
            map_.GapX = block_w;
            map_.GapY = block_h;
            map_.StaggerX = map_.StaggerY = 0;
        }
        map_.ClickMask = length > 36 ? Value16(36) : 0;
        map_.ResizeGrid(width, height, map_.LayerCount);
        map_.BlockImages.assign(static_cast<std::size_t>(map_.BlockGfxCount) + 1, nullptr);
        map_.Blocks.assign(static_cast<std::size_t>(map_.BlockStructCount) + 1, BLKSTR{});
    }

    // Bytes of one block graphic, 0 for depths that hold no pixels.
    long long GraphicBytes() const {
        const long long area = static_cast<long long>(map_.BlockWidth) * map_.BlockHeight;
        if (map_.BlockDepth == 15) return area * 2;
        return area * (map_.BlockDepth / 8);
    }

    void BlockData() {
        const long long gfx_bytes = GraphicBytes();
        for (int i = 0;
             i < map_.BlockStructCount && static_cast<std::size_t>(i) < map_.Blocks.size(); ++i) {
            const long long r = static_cast<long long>(i) * 32;
            BLKSTR b;
            int* gfx[4] = {&b.gfx0, &b.gfx1, &b.gfx2, &b.gfx3};
            for (int g = 0; g < 4; ++g) {
                *gfx[g] = Value32(r + 4 * g);
                // Type 0 stores byte offsets into the graphics.
                if (map_.MapType == 0 && gfx_bytes > 0)
                    *gfx[g] = static_cast<int>(*gfx[g] / gfx_bytes);
            }
            b.user1 = Value32(r + 16);
            b.user2 = Value32(r + 20);
            b.user3 = Value16(r + 24);
            b.user4 = Value16(r + 26);
            b.user5 = Byte(r + 28);
            b.user6 = Byte(r + 29);
            b.user7 = Byte(r + 30);
            const int flags = Byte(r + 31);
            int* bits[8] = {&b.bit0, &b.bit1, &b.bit2, &b.bit3, &b.bit4, &b.bit5, &b.bit6, &b.bit7};
            for (int k = 0; k < 8; ++k) *bits[k] = (flags >> k) & 1;
            map_.Blocks[static_cast<std::size_t>(i)] = b;
        }
    }

    void AnimationData(int length) {
        map_.Anims.assign(1001, ANISTR{});
        map_.AnimCount = 0;
        const long long total = length;
        long long c = total;
        std::size_t slot = 1;
        bool ended = false;
        while (c - 16 >= 0) {
            c -= 16;
            ANISTR a;
            a.type = Byte(c);
            // Up to the limit of animations, and the end marker after them.
            if (slot > static_cast<std::size_t>(TileMap::kMaxAnims) && a.type != 255) {
                log_message("Map has more than " + std::to_string(TileMap::kMaxAnims) +
                                " animations; its animations are ignored",
                            4);
                break;
            }
            a.delay = Byte(c + 1);
            a.counter = Byte(c + 2);
            a.user = Byte(c + 3);
            a.current = Value32(c + 4);
            a.start = Value32(c + 8);
            a.end = Value32(c + 12);
            if (map_.MapType == 0) {
                a.current = static_cast<int>((total + a.current) / 4);
                a.start = static_cast<int>((total + a.start) / 4);
                a.end = static_cast<int>((total + a.end) / 4);
            }
            map_.Anims[slot++] = a;
            ++map_.AnimCount;
            if (a.type == 255) {
                ended = true;
                break;
            }
        }
        if (!ended) {
            // No end marker (or too many records): the chunk holds no animations.
            map_.Anims.assign(1001, ANISTR{});
            map_.AnimCount = 0;
            map_.FrameTable.clear();
            return;
        }
        map_.FrameTable.assign(static_cast<std::size_t>(c / 4 + 1), 0);
        for (long long i = 0; i <= (c - 1) / 4; ++i) {
            int v = Value32(i * 4);
            if (map_.MapType == 0) v /= 32;
            map_.FrameTable[static_cast<std::size_t>(i)] = v;
        }
    }

    std::uint32_t PaletteColour(long long index) const {
        auto at = [this](long long i) -> std::uint32_t {
            return i >= 0 && i < static_cast<long long>(map_.Palette.size())
                       ? static_cast<std::uint32_t>(map_.Palette[static_cast<std::size_t>(i)]) &
                             0xFF
                       : 0;
        };
        return (at(3 * index) << 16) | (at(3 * index + 1) << 8) | at(3 * index + 2);
    }

    void Graphics() {
        const int depth = map_.BlockDepth;
        const int bw = map_.BlockWidth, bh = map_.BlockHeight;
        const bool known = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
        if (bw < 1 || bh < 1 || map_.BlockImages.empty()) return;
        if (!known) {
            map_.BlockImages[0] = img_create(bw, bh, 1, -1);
            return;
        }
        map_.KeyColour = depth == 8 ? static_cast<int>(PaletteColour(map_.KeyIndex))
                                    : (map_.KeyRed << 16) | (map_.KeyGreen << 8) | map_.KeyBlue;
        const std::uint32_t key = static_cast<std::uint32_t>(map_.KeyColour);
        const std::uint32_t key_rgb = (static_cast<std::uint32_t>(map_.KeyRed) << 16) |
                                      (static_cast<std::uint32_t>(map_.KeyGreen) << 8) |
                                      static_cast<std::uint32_t>(map_.KeyBlue);
        const long long pixels_each = static_cast<long long>(bw) * bh;
        const int count =
            std::min<int>(map_.BlockGfxCount, static_cast<int>(map_.BlockImages.size()));
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(pixels_each));
        long long off = 0;
        for (int i = 0; i < count; ++i) {
            if ((i + 1) * pixels_each > kMaxGraphicPixels) {
                log_message("Map has more block graphics than fit in memory; the rest are left out",
                            4);
                break;
            }
            for (long long p = 0; p < pixels_each; ++p) {
                std::uint32_t rgb = 0;
                bool transparent = false;
                switch (depth) {
                    case 8: {
                        const int index = Byte(off++);
                        rgb = PaletteColour(index);
                        transparent = rgb == key_rgb;
                        break;
                    }
                    case 15:
                    case 16: {
                        const std::uint32_t h = Byte(off), l = Byte(off + 1);
                        off += 2;
                        std::uint32_t r, g, b;
                        if (depth == 15) {
                            r = (h >> 2) & 31;
                            g = ((h & 3) << 3) | (l >> 5);
                            b = l & 31;
                            g = (g << 3) | (g >> 2);
                        } else {
                            r = h >> 3;
                            g = ((h & 7) << 3) | (l >> 5);
                            b = l & 31;
                            g = (g << 2) | (g >> 4);
                        }
                        r = (r << 3) | (r >> 2);
                        b = (b << 3) | (b >> 2);
                        rgb = (r << 16) | (g << 8) | b;
                        break;
                    }
                    case 24:
                        rgb = (static_cast<std::uint32_t>(Byte(off)) << 16) |
                              (static_cast<std::uint32_t>(Byte(off + 1)) << 8) | Byte(off + 2);
                        off += 3;
                        break;
                    default:  // 32: one ignored byte, then red, green, blue
                        rgb = (static_cast<std::uint32_t>(Byte(off + 1)) << 16) |
                              (static_cast<std::uint32_t>(Byte(off + 2)) << 8) | Byte(off + 3);
                        off += 4;
                        break;
                }
                if (rgb == key) transparent = true;
                pixels[static_cast<std::size_t>(p)] = transparent ? rgb : (0xFF000000u | rgb);
            }
            map_.BlockImages[static_cast<std::size_t>(i)] =
                img_from_pixels(bw, bh, pixels.data(), -1);
        }
    }

    void Layer(int plane) {
        if (map_.grid_w_ == 0 || plane > map_.LayerCount) return;  // no grid yet, or no such plane
        const int w = map_.MapWidth, h = map_.MapHeight;
        long long off = 0;
        const long long len = ChunkLength();
        switch (map_.MapType) {
            case 0:
            case 1:
                for (int row = 0; row < h && off < len; ++row) {
                    for (int col = 0; col < w; ++col, off += 2) {
                        int v = Value16(off);
                        if (map_.MapType == 0) {
                            if (v < 0)
                                v /= 16;
                            else if (map_.BlockStructSize > 0)
                                v /= map_.BlockStructSize;
                        }
                        map_.SetCell(col, row, plane, v);
                    }
                }
                break;
            case 2:
                for (int row = 0; row < h && off < len; ++row) {
                    int col = 0;
                    while (col < w && off < len) {
                        const int k = Value16(off);
                        off += 2;
                        if (k > 0) {
                            // Literal values; a run longer than the row is clamped to it.
                            for (int j = 0; j < k; ++j, off += 2) {
                                if (col < w) map_.SetCell(col++, row, plane, Value16(off));
                            }
                        } else {
                            const int v = Value16(off);
                            off += 2;
                            for (int j = 0; j < -k && col < w; ++j)
                                map_.SetCell(col++, row, plane, v);
                        }
                    }
                }
                break;
            default:
                con_print("Sorry, unsupported use FMP0.5 or FMP1.0 for now");
                break;
        }
    }

    TileMap& map_;
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t chunk_ = 0;
    std::size_t chunk_end_ = 0;
};

void TileMap::Clear(int layerCount) {
    const int error = ErrorCode;
    *this = TileMap{};
    ErrorCode = error;  // loads never reset it
    Revise();
    LayerCount = std::clamp(layerCount, 0, 7);
}

void TileMap::Load(const std::string& path, int layerCount) {
    Clear(layerCount);
    StreamHandle file = file_open_read(path);
    const std::int64_t size = stream_size(file);
    if (!file || size <= 0 || static_cast<std::uint64_t>(size) > kMaxFileBytes) {
        log_message("Map '" + path + "' could not be loaded", 2);
        return;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    bytes.resize(stream_read_bytes(file, bytes.data(), bytes.size()));
    file_close(file);
    FmpReader(*this, bytes.data(), bytes.size()).Read();
    Revise();
}

void TileMap::LoadBytes(const std::uint8_t* data, std::size_t size, int layerCount) {
    Clear(layerCount);
    if (!data || size > kMaxFileBytes) return;
    FmpReader(*this, data, size).Read();
    Revise();
}

std::size_t TileMap::CellIndex(int column, int row, int plane) const {
    return (static_cast<std::size_t>(column) * static_cast<std::size_t>(grid_h_) +
            static_cast<std::size_t>(row)) *
               static_cast<std::size_t>(grid_planes_) +
           static_cast<std::size_t>(plane);
}

int TileMap::Cell(int column, int row, int plane) const {
    if (column < 0 || row < 0 || plane < 0 || column >= grid_w_ || row >= grid_h_ ||
        plane >= grid_planes_)
        return 0;
    return cells_[CellIndex(column, row, plane)];
}

void TileMap::SetCell(int column, int row, int plane, int value) {
    if (column < 0 || row < 0 || plane < 0 || column >= grid_w_ || row >= grid_h_ ||
        plane >= grid_planes_)
        return;
    cells_[CellIndex(column, row, plane)] = value;
    Revise();
}

void TileMap::ResizeGrid(int width, int height, int layerCount) {
    Revise();
    grid_w_ = std::max(0, width) + 1;
    grid_h_ = std::max(0, height) + 1;
    grid_planes_ = std::max(0, layerCount) + 1;
    cells_.assign(static_cast<std::size_t>(grid_w_) * grid_h_ * grid_planes_, 0);
}

namespace {

// Captures colour, blend mode, alpha and viewport, and puts them back.
class DrawStateSaver {
public:
    DrawStateSaver() {
        gfx_get_color(&r_, &g_, &b_);
        blend_ = gfx_get_blend();
        alpha_ = gfx_get_alpha();
        gfx_get_viewport(&vx_, &vy_, &vw_, &vh_);
    }
    void Restore() const {
        gfx_set_color(r_, g_, b_);
        gfx_set_blend(blend_);
        gfx_set_alpha(alpha_);
        gfx_set_viewport(vx_, vy_, vw_, vh_);
    }

private:
    int r_ = 255, g_ = 255, b_ = 255, blend_ = 1;
    double alpha_ = 1.0;
    int vx_ = 0, vy_ = 0, vw_ = 0, vh_ = 0;
};

}  // namespace

const BLKSTR* TileMap::FindBlock(int column, int row) const {
    if (column < 0 || row < 0 || column > MapWidth || row > MapHeight) {
        return Blocks.empty() ? nullptr : &Blocks[0];
    }
    const long long v = Cell(column, row, CurrentLayer);
    if (v >= 0) {
        return v < static_cast<long long>(Blocks.size()) ? &Blocks[static_cast<std::size_t>(v)]
                                                         : nullptr;
    }
    if (-v >= static_cast<long long>(Anims.size())) return nullptr;
    const long long frame = Anims[static_cast<std::size_t>(-v)].current;
    if (frame < 0 || frame >= static_cast<long long>(FrameTable.size())) return nullptr;
    const long long block = FrameTable[static_cast<std::size_t>(frame)];
    if (block < 0 || block >= static_cast<long long>(Blocks.size())) return nullptr;
    return &Blocks[static_cast<std::size_t>(block)];
}

BLKSTR TileMap::BlockAt(int column, int row) const {
    const BLKSTR* b = FindBlock(column, row);
    return b ? *b : kNoBlock;
}

int TileMap::SolidAt(int x, int y) const {
    if (BlockWidth <= 0 || BlockHeight <= 0) return 0;
    const BLKSTR* b = FindBlock(x / BlockWidth, y / BlockHeight);
    return b && b->bit0 != 0 ? 1 : 0;
}

void TileMap::ResetDrawState() {
    gfx_set_alpha(1.0);
    gfx_set_color(255, 255, 255);
    gfx_set_blend(kBlendAlpha);
}

void TileMap::DrawBlockGfx(int index, double x, double y, int solid) {
    if (index < 0 || index >= static_cast<int>(BlockImages.size())) return;
    const ImageHandle& image = BlockImages[static_cast<std::size_t>(index)];
    if (!image) return;
    if (solid) {
        const int previous = gfx_get_blend();
        gfx_set_blend(kBlendSolid);
        gfx_draw_image(image, x, y, 0);
        gfx_set_blend(previous);
    } else {
        gfx_draw_image(image, x, y, 0);
    }
}

bool TileMap::BuildAtlas() {
    atlas_tried_ = true;
    const int n = static_cast<int>(BlockImages.size());
    if (n == 0 || BlockWidth <= 0 || BlockHeight <= 0) return false;
    // Roughly square, within what any renderer takes as one texture.
    constexpr int kMaxSide = 4096;
    int columns = 1;
    while (columns * columns < n) ++columns;
    columns = std::min(columns, kMaxSide / BlockWidth);
    if (columns < 1) return false;
    const int rows = (n + columns - 1) / columns;
    if (static_cast<long long>(rows) * BlockHeight > kMaxSide) return false;
    ImageHandle atlas = img_create(columns * BlockWidth, rows * BlockHeight, 1, 0);
    if (!atlas) return false;
    const Pixmap to = img_lock(atlas, 0, 0, 1);
    atlas_at_.assign(static_cast<std::size_t>(n), {-1, -1});
    for (int i = 0; i < n; ++i) {
        const ImageHandle& block = BlockImages[static_cast<std::size_t>(i)];
        if (!block || img_width(block) != BlockWidth || img_height(block) != BlockHeight) continue;
        const int ax = i % columns * BlockWidth, ay = i / columns * BlockHeight;
        const Pixmap from = img_lock(block, 0, 1, 0);
        for (int y = 0; y < BlockHeight; ++y) {
            for (int x = 0; x < BlockWidth; ++x) {
                to.pixels[(ay + y) * to.pitch + ax + x] = from.pixels[y * from.pitch + x];
            }
        }
        img_unlock(block, 0);
        atlas_at_[static_cast<std::size_t>(i)] = {ax, ay};
    }
    img_unlock(atlas, 0);
    atlas_ = std::move(atlas);
    return true;
}

void TileMap::QueueBlock(int index, int x, int y) {
    if (index < 0 || index >= static_cast<int>(atlas_at_.size())) return;
    const auto [ax, ay] = atlas_at_[static_cast<std::size_t>(index)];
    if (ax < 0) return;
    const float w = static_cast<float>(BlockWidth), h = static_cast<float>(BlockHeight);
    queued_.push_back(ImageCell{static_cast<float>(x), static_cast<float>(y), w, h,
                                static_cast<float>(ax), static_cast<float>(ay), w, h});
}

void TileMap::FlushBlocks(int solid) {
    if (queued_.empty()) return;
    const int previous = gfx_get_blend();
    if (solid) gfx_set_blend(kBlendSolid);
    gfx_draw_image_cells(atlas_, 0, 0, 0, queued_.data(), static_cast<int>(queued_.size()));
    gfx_set_blend(previous);
    queued_.clear();
}

void TileMap::DrawMap(int scrollX, int scrollY, int screenX, int screenY, int width, int height) {
    if (grid_w_ == 0 || BlockWidth <= 0 || BlockHeight <= 0) return;
    const DrawStateSaver saved;
    ResetDrawState();
    gfx_set_viewport(screenX, screenY, width, height);
    const int right = screenX + width;
    const int bottom = screenY + height;
    if (!atlas_tried_) BuildAtlas();
    // One batch from the atlas when there is one, else one draw per block.
    const bool batched = atlas_ != nullptr;
    auto block = [&](int index, int x, int y, int solid) {
        if (batched) {
            QueueBlock(index, x, y);
        } else {
            DrawBlockGfx(index, x, y, solid);
        }
    };

    // A staggered map needs a gap to step through its rows; without one it
    // is drawn as a rectangular map.
    if ((StaggerX == 0 && StaggerY == 0) || GapX <= 0 || GapY <= 0) {
        const int x0 = screenX - scrollX % BlockWidth;
        const int column0 = scrollX / BlockWidth;
        int y = screenY - scrollY % BlockHeight;
        int row = scrollY / BlockHeight;
        for (; y < bottom; y += BlockHeight, ++row) {
            if (row < 0) continue;
            if (row >= MapHeight) break;  // nothing beyond the map
            int column = column0;
            for (int x = x0; x < right; x += BlockWidth, ++column) {
                if (column < 0) continue;
                if (column >= MapWidth) break;
                block(BlockAt(column, row).gfx0, x, y, 1);
            }
        }
        FlushBlocks(1);
    } else {
        const int x0 = screenX - scrollX % GapX - StaggerX;
        const int column0 = scrollX / GapX;
        int y = screenY - scrollY % GapY - StaggerY;
        int row = scrollY / GapY * 2;
        auto draw_row = [&](int r, int start_x, int at_y) {
            if (r < 0 || r >= MapHeight) return;
            int column = column0;
            for (int x = start_x; x < right; x += GapX, ++column) {
                if (column < 0) continue;
                if (column >= MapWidth) break;
                block(BlockAt(column, r).gfx0, x, at_y, 0);
            }
        };
        while (y < bottom && row < MapHeight) {
            draw_row(row, x0, y);
            y += StaggerY;
            draw_row(row + 1, x0 + StaggerX, y);
            row += 2;
            y += GapY - StaggerY;
        }
        FlushBlocks(0);
    }
    saved.Restore();
}
