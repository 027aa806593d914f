#include "engine/stream.h"

#include <sys/stat.h>
#include <unistd.h>

#include "engine/filesystem.h"

bool Stream::Close() {
    if (!file_) return true;
    bool ok = true;
    if (writeable_ && std::fflush(file_) != 0) ok = false;
    if (std::fclose(file_) != 0) ok = false;
    file_ = nullptr;
    return ok;
}

StreamHandle stream_open(const std::string& path, int readable, int writeable) {
    if (!readable && !writeable) return nullptr;
    const std::string resolved = fs_resolve(path);
    // A folder opens with fopen on Linux; refuse it so reads cannot fail later.
    struct stat st {};
    if (::stat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
    const char* mode = readable && writeable ? "r+b" : (writeable ? "wb" : "rb");
    std::FILE* f = std::fopen(resolved.c_str(), mode);
    if (!f) return nullptr;
    return std::make_shared<Stream>(f, readable != 0, writeable != 0);
}

StreamHandle stream_open_read(const std::string& path) {
    return stream_open(path, 1, 0);
}
StreamHandle stream_open_write(const std::string& path) {
    return stream_open(path, 0, 1);
}
StreamHandle file_open_read(const std::string& path) {
    return stream_open(path, 1, 0);
}
void file_close(StreamHandle& stream) {
    stream_close(stream);
}

std::string stream_read_line(const StreamHandle& stream) {
    std::string line;
    if (!stream || !stream->file() || !stream->readable()) return line;
    std::FILE* f = stream->file();
    int c;
    while ((c = getc_unlocked(f)) != EOF && c != '\n') line.push_back(static_cast<char>(c));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

int stream_read_byte(const StreamHandle& stream) {
    if (!stream || !stream->file() || !stream->readable()) return 0;
    const int c = std::fgetc(stream->file());
    return c == EOF ? 0 : c;
}

std::size_t stream_read_bytes(const StreamHandle& stream, void* buffer, std::size_t count) {
    if (!stream || !stream->file() || !stream->readable() || count == 0) return 0;
    return std::fread(buffer, 1, count, stream->file());
}

int stream_write_string(const StreamHandle& stream, const std::string& text) {
    if (!stream || !stream->file() || !stream->writeable()) return 0;
    if (text.empty()) return 1;
    return std::fwrite(text.data(), 1, text.size(), stream->file()) == text.size() ? 1 : 0;
}

int stream_write_line(const StreamHandle& stream, const std::string& text) {
    const int a = stream_write_string(stream, text);
    const int b = stream_write_string(stream, "\r\n");
    return a && b ? 1 : 0;
}

int stream_flush(const StreamHandle& stream) {
    if (!stream || !stream->file()) return 0;
    return std::fflush(stream->file()) == 0 ? 1 : 0;
}

int stream_eof(const StreamHandle& stream) {
    if (!stream || !stream->file()) return 1;
    std::FILE* f = stream->file();
    const int c = std::fgetc(f);
    if (c == EOF) return 1;
    std::ungetc(c, f);
    return 0;
}

std::int64_t stream_pos(const StreamHandle& stream) {
    if (!stream || !stream->file()) return 0;
    const long pos = std::ftell(stream->file());
    return pos < 0 ? 0 : pos;
}

std::int64_t stream_size(const StreamHandle& stream) {
    if (!stream || !stream->file()) return 0;
    std::FILE* f = stream->file();
    const long here = std::ftell(f);
    if (std::fseek(f, 0, SEEK_END) != 0) return 0;
    const long size = std::ftell(f);
    std::fseek(f, here < 0 ? 0 : here, SEEK_SET);
    return size < 0 ? 0 : size;
}

std::int64_t stream_seek(const StreamHandle& stream, std::int64_t pos) {
    if (!stream || !stream->file()) return 0;
    const std::int64_t size = stream_size(stream);
    if (pos < 0) pos = 0;
    if (pos > size) pos = size;
    std::fseek(stream->file(), static_cast<long>(pos), SEEK_SET);
    return stream_pos(stream);
}

int stream_close(StreamHandle& stream) {
    if (!stream) return 0;
    const bool ok = stream->Close();
    stream.reset();
    return ok ? 1 : 0;
}

int stream_sync(const StreamHandle& stream) {
    if (!stream || !stream->file()) return 0;
    if (std::fflush(stream->file()) != 0) return 0;
    return ::fsync(::fileno(stream->file())) == 0 ? 1 : 0;
}
