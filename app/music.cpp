#include "app/music.h"

#include <cstdint>
#include <random>

#include "app/app_state.h"
#include "app/console_message.h"
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/filesystem.h"
#include "engine/log.h"

void LoadMusicList() {
    AppState& app = App();
    app.SongList.clear();
    for (const std::string& name : fs_load_dir("mp3/")) {
        if (name.empty()) continue;
        con_print(name);
        // Songs stream while they play; loading opens and checks each one.
        SoundHandle sound = snd_load("mp3/" + name, kSoundStream);
        if (sound) app.SongList.push_back(Song{name, sound});
    }
}

void ApplyVolumes() {
    AppState& app = App();
    for (const ChannelHandle& channel : app.EffectChannels)
        chan_set_volume(channel, app.SoundVolume);
    chan_set_volume(app.MusicChannel, app.MusicVolume);
}

void KeepMusicPlaying() {
    AppState& app = App();
    if (!snd_available()) return;
    while (!app.SongList.empty() && !chan_playing(app.MusicChannel)) {
        const int count = static_cast<int>(app.SongList.size());
        // The music draws from a generator of its own: when a song ends
        // depends on the sound device, and must not change the game's
        // random sequence (a replay plays with or without sound).
        static std::minstd_rand songs(static_cast<std::uint32_t>(sys_millisecs() | 1));
        const int index = std::uniform_int_distribution<int>(0, count - 1)(songs);
        const Song song = app.SongList[static_cast<std::size_t>(index)];
        ConsoleMessage::Create(TimeStamped("Playing song '" + song.Name + "'"), kConsoleGreen);
        app.MusicChannel = snd_play(song.Sound, app.MusicChannel);
        chan_set_volume(app.MusicChannel, app.MusicVolume);
        if (chan_playing(app.MusicChannel)) return;
        // A song that will not start would be picked again every frame:
        // drop it and try another.
        ConsoleMessage::Create(TimeStamped("Song '" + song.Name + "' cannot be played"),
                               kConsoleRed);
        app.SongList.erase(app.SongList.begin() + index);
    }
}
