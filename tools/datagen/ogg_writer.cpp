#include "tools/datagen/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace datagen {

namespace {

void AppendPage(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header),
               static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

}  // namespace

std::string EncodeOggVorbis(const std::vector<float>& interleaved, const OggSettings& settings) {
    const int channels = settings.channels;
    if (channels < 1 || interleaved.size() % static_cast<std::size_t>(channels) != 0) return {};

    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, settings.rate, settings.quality) != 0) {
        vorbis_info_clear(&info);
        return {};
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    for (const auto& [key, value] : settings.tags)
        vorbis_comment_add_tag(&comment, key.c_str(), value.c_str());

    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, static_cast<int>(settings.serial));

    std::string out;
    ogg_page page;
    ogg_packet packet;
    {
        ogg_packet header, header_comment, header_code;
        vorbis_analysis_headerout(&dsp, &comment, &header, &header_comment, &header_code);
        ogg_stream_packetin(&stream, &header);
        ogg_stream_packetin(&stream, &header_comment);
        ogg_stream_packetin(&stream, &header_code);
        // The headers go on pages of their own, as decoders expect.
        while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);
    }

    auto drain = [&] {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) AppendPage(out, page);
            }
        }
    };

    const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
    constexpr std::size_t kChunk = 4096;
    for (std::size_t start = 0; start < frames; start += kChunk) {
        const std::size_t n = std::min(kChunk, frames - start);
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i)
            for (int c = 0; c < channels; ++c)
                buffer[c][i] = interleaved[(start + i) * static_cast<std::size_t>(channels) +
                                           static_cast<std::size_t>(c)];
        vorbis_analysis_wrote(&dsp, static_cast<int>(n));
        drain();
    }
    vorbis_analysis_wrote(&dsp, 0);  // end of stream
    drain();
    while (ogg_stream_flush(&stream, &page) != 0) AppendPage(out, page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

}  // namespace datagen
