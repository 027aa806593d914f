// libFuzzer target for the replay file reader. Each input is read twice: as
// it stands (the name, the version and the checksum refuse most inputs) and
// with its checksum made right, so that the fields behind them are read
// too. A replay that reads must write back to bytes that read again to the
// same bytes; a refused one must say why. Any difference aborts, so
// libFuzzer reports it like a crash. The replay test links this same entry
// point.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/replay_file.h"
#include "engine/input_tape.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "replay_fuzz: %s\n", what);
    std::abort();
}

void Check(const Bytes& bytes) {
    Replay replay;
    std::string error;
    if (!DecodeReplay(bytes, &replay, &error)) {
        require(!error.empty(), "a refused replay gives no reason");
        return;
    }
    require(tape_frame_count(replay.Tape) >= 0, "a replay read with a damaged tape");
    const Bytes again = EncodeReplay(replay);
    Replay back;
    require(DecodeReplay(again, &back, &error), "a replay written back does not read");
    require(EncodeReplay(back) == again, "a replay read back writes other bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, data + size);
    Check(bytes);
    if (bytes.size() >= 8) {
        const std::uint64_t sum = bytes_hash(bytes.data(), bytes.size() - 8);
        for (int i = 0; i < 8; ++i)
            bytes[bytes.size() - 8 + i] = static_cast<std::uint8_t>(sum >> (8 * i));
        Check(bytes);
    }
    return 0;
}
