// make_map_seeds DIR: writes tile maps of every type, byte order and block
// depth, with and without editor chunks, as the map fuzz target's seeds.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "arena/fmp_writer.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_map_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    FmpMapData m;
    m.width = 6;
    m.height = 4;
    m.block_width = m.block_height = 4;
    for (int i = 0; i < 3; ++i) {
        BLKSTR b;
        b.gfx0 = i;
        b.bit0 = i == 2;
        m.blocks.push_back(b);
        m.graphics.emplace_back(16, 0xFF000000u | static_cast<std::uint32_t>(0x203040 * (i + 1)));
    }
    m.graphics[1][0] = 0;
    m.planes.resize(3);
    for (int p = 0; p < 3; ++p)
        for (int c = 0; c < m.width * m.height; ++c)
            m.planes[static_cast<std::size_t>(p)].push_back((c + p) % 3);
    m.planes[0][5] = -1;
    ANISTR a;
    a.type = 1;
    a.current = 1;
    a.end = 1;
    m.anims = {a};
    m.frames = {0, 2};
    int written = 0;
    for (int type : {0, 1, 2, 3}) {
        for (bool little : {true, false}) {
            for (int depth : {8, 16, 32}) {
                FmpWriteOptions o;
                o.map_type = type;
                o.little_endian = little;
                o.block_depth = depth;
                o.extra_chunks = (type + depth) % 2 == 0;
                o.header_length = type == 1 ? 24 : 38;
                const std::string name = "type" + std::to_string(type) + (little ? "le" : "be") +
                                         std::to_string(depth) + ".fmp";
                std::ofstream f(dir / name, std::ios::binary | std::ios::trunc);
                const std::string bytes = WriteFmp(m, o);
                f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
                if (!f) return 1;
                ++written;
            }
        }
    }
    return written > 0 ? 0 : 1;
}
