#pragma once
// Byte streams over files. Every operation accepts a Null stream and then does
// nothing and returns 0 or empty text, so callers need not test each open.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

/// An open file. Closed when the last reference goes or by `stream_close`.
class Stream {
public:
    Stream(std::FILE* file, bool readable, bool writeable)
        : file_(file), readable_(readable), writeable_(writeable) {}
    ~Stream() { Close(); }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    std::FILE* file() const { return file_; }
    bool readable() const { return readable_; }
    bool writeable() const { return writeable_; }
    /// Flushes and closes; returns false when the data may not have reached the disk.
    bool Close();

private:
    std::FILE* file_;
    bool readable_;
    bool writeable_;
};
using StreamHandle = std::shared_ptr<Stream>;

/// Opens `path`. Readable and writeable: an existing file, not truncated.
/// Writeable only: created or truncated. Readable only: an existing file.
/// Returns Null on failure (missing file, no permission, a folder).
StreamHandle stream_open(const std::string& path, int readable, int writeable);
StreamHandle stream_open_read(const std::string& path);
StreamHandle stream_open_write(const std::string& path);
/// Binary read access to a whole file (the map reader's entry point).
StreamHandle file_open_read(const std::string& path);
void file_close(StreamHandle& stream);

/// Reads up to the next line feed; the line feed and a carriage return before
/// it are not part of the result. Empty text at the end of the stream.
std::string stream_read_line(const StreamHandle& stream);
/// Next byte 0..255, or 0 at the end of the stream.
int stream_read_byte(const StreamHandle& stream);
/// Reads up to `count` bytes into `buffer`; returns the number read.
std::size_t stream_read_bytes(const StreamHandle& stream, void* buffer, std::size_t count);
/// Writes text followed by the line end "\r\n". Returns 1 when all was written.
int stream_write_line(const StreamHandle& stream, const std::string& text);
/// Writes text without a line end. Returns 1 when all was written.
int stream_write_string(const StreamHandle& stream, const std::string& text);
/// Pushes buffered data to the operating system. Returns 1 on success.
int stream_flush(const StreamHandle& stream);
/// 1 when no byte is left to read (also for Null).
int stream_eof(const StreamHandle& stream);
std::int64_t stream_pos(const StreamHandle& stream);
std::int64_t stream_size(const StreamHandle& stream);
/// Moves to `pos` (clamped to 0..size); returns the new position.
std::int64_t stream_seek(const StreamHandle& stream, std::int64_t pos);
/// Closes the stream; the handle becomes Null. Returns 1 when everything
/// written reached the file.
int stream_close(StreamHandle& stream);
/// Flushes and asks the operating system to put the data on the disk.
/// Returns 1 on success.
int stream_sync(const StreamHandle& stream);
