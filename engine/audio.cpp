#include "engine/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "engine/filesystem.h"

namespace {

constexpr int kMixerChannels = 32;

struct AudioState {
    bool opened = false;        // the mixer is open (real or silent device)
    bool audible = false;       // a real device plays what we mix
    int reserved = 0;           // channels handed out by chan_alloc
    std::uint64_t session = 0;  // changes when the mixer reopens
};
AudioState g_audio;

struct ChunkDeleter {
    void operator()(Mix_Chunk* c) const { Mix_FreeChunk(c); }
};
struct MusicDeleter {
    void operator()(Mix_Music* m) const { Mix_FreeMusic(m); }
};

bool open_mixer() {
    return Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
}

}  // namespace

class Sound {
public:
    std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk;
    std::unique_ptr<Mix_Music, MusicDeleter> music;
    bool loop = false;
    std::uint64_t session = 0;
};

class Channel {
public:
    int index = -1;  // mixer channel; -1 for the music stream
    bool music = false;
    double volume = 1.0;
    // What this channel object last started (compared, never dereferenced).
    const void* playing = nullptr;
    std::uint64_t session = 0;

    bool Live() const { return g_audio.opened && session == g_audio.session; }
};

namespace engine_detail {

void audio_start(bool play) {
    const std::uint64_t session = g_audio.session + 1;
    g_audio = AudioState{};
    g_audio.session = session;
    Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3 | MIX_INIT_FLAC);
    if (play && SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (open_mixer()) {
            g_audio.opened = g_audio.audible = true;
        } else {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }
    if (!g_audio.opened) {
        // No device (or a silent run): a dummy device still lets the mixer
        // decode every sound, so the game knows which files play.
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && open_mixer()) g_audio.opened = true;
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "");
    }
    if (g_audio.opened) {
        Mix_AllocateChannels(kMixerChannels);
        Mix_ReserveChannels(0);
    }
}

void audio_stop() {
    if (g_audio.opened) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        Mix_CloseAudio();
    }
    Mix_Quit();
    if (SDL_WasInit(SDL_INIT_AUDIO)) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    const std::uint64_t session = g_audio.session;
    g_audio = AudioState{};
    g_audio.session = session + 1;
}

}  // namespace engine_detail

int snd_available() {
    return g_audio.opened && g_audio.audible ? 1 : 0;
}

SoundHandle snd_load(const std::string& path, int flags) {
    if (!g_audio.opened) return nullptr;
    const std::string resolved = fs_resolve(path);
    if (fs_file_type(resolved) != 1) return nullptr;
    auto sound = std::make_shared<Sound>();
    sound->loop = (flags & kSoundLoop) != 0;
    sound->session = g_audio.session;
    if (flags & kSoundStream) {
        sound->music.reset(Mix_LoadMUS(resolved.c_str()));
        if (!sound->music) return nullptr;
    } else {
        sound->chunk.reset(Mix_LoadWAV(resolved.c_str()));
        if (!sound->chunk) return nullptr;
    }
    return sound;
}

ChannelHandle snd_play(const SoundHandle& sound, const ChannelHandle& channel) {
    if (!sound) return nullptr;
    ChannelHandle ch = channel;
    if (!ch || ch->music != static_cast<bool>(sound->music)) {
        ch = std::make_shared<Channel>();
        ch->music = static_cast<bool>(sound->music);
        ch->session = g_audio.session;
    }
    if (!g_audio.audible || !ch->Live() || sound->session != g_audio.session) return ch;
    const int loops = sound->loop ? -1 : 0;
    if (ch->music) {
        if (Mix_PlayMusic(sound->music.get(), loops) == 0) {
            Mix_VolumeMusic(static_cast<int>(std::lround(ch->volume * MIX_MAX_VOLUME)));
            ch->playing = sound->music.get();
        }
        return ch;
    }
    const int index = Mix_PlayChannel(ch->index, sound->chunk.get(), loops);
    if (index >= 0) {
        if (ch->index < 0) ch->index = index;
        Mix_Volume(index, static_cast<int>(std::lround(ch->volume * MIX_MAX_VOLUME)));
        ch->playing = sound->chunk.get();
    }
    return ch;
}

ChannelHandle chan_alloc() {
    auto ch = std::make_shared<Channel>();
    ch->session = g_audio.session;
    if (g_audio.opened && g_audio.reserved < kMixerChannels - 1) {
        ch->index = g_audio.reserved++;
        Mix_ReserveChannels(g_audio.reserved);
    }
    return ch;
}

void chan_set_volume(const ChannelHandle& ch, double volume) {
    if (!ch) return;
    ch->volume = std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
    if (!ch->Live()) return;
    const int v = static_cast<int>(std::lround(ch->volume * MIX_MAX_VOLUME));
    if (ch->music) {
        if (ch->playing) Mix_VolumeMusic(v);
    } else if (ch->index >= 0) {
        Mix_Volume(ch->index, v);
    }
}

double chan_get_volume(const ChannelHandle& ch) {
    return ch ? ch->volume : 0.0;
}

int chan_playing(const ChannelHandle& ch) {
    if (!ch || !ch->playing || !g_audio.audible || !ch->Live()) return 0;
    if (ch->music) return Mix_PlayingMusic() ? 1 : 0;
    if (ch->index < 0 || !Mix_Playing(ch->index)) return 0;
    // The voice may have been taken over by another sound since.
    const Mix_Chunk* now = Mix_GetChunk(ch->index);
    return now && now == ch->playing ? 1 : 0;
}

void chan_stop(const ChannelHandle& ch) {
    if (!ch || !ch->Live()) return;
    if (ch->music) {
        if (ch->playing) Mix_HaltMusic();
    } else if (ch->index >= 0) {
        Mix_HaltChannel(ch->index);
    }
    ch->playing = nullptr;
}

void chan_pause(const ChannelHandle& ch) {
    if (!ch || !ch->Live()) return;
    if (ch->music)
        Mix_PauseMusic();
    else if (ch->index >= 0)
        Mix_Pause(ch->index);
}

void chan_resume(const ChannelHandle& ch) {
    if (!ch || !ch->Live()) return;
    if (ch->music)
        Mix_ResumeMusic();
    else if (ch->index >= 0)
        Mix_Resume(ch->index);
}

void chan_set_pan(const ChannelHandle& ch, double pan) {
    if (!ch || !ch->Live() || ch->music || ch->index < 0) return;
    pan = std::isnan(pan) ? 0.0 : std::clamp(pan, -1.0, 1.0);
    const int right = static_cast<int>(std::lround((pan + 1.0) * 127.5));
    Mix_SetPanning(ch->index, static_cast<Uint8>(255 - right), static_cast<Uint8>(right));
}

void chan_set_depth(const ChannelHandle&, double) {}
void chan_set_rate(const ChannelHandle&, double) {}
