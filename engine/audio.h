#pragma once
// Sounds and channels. Sounds are decoded from WAV, Ogg Vorbis and whatever
// else the mixer knows; a channel is one playing voice with its volume.
//
// Without a sound device (or when the engine runs on the virtual clock)
// sounds still load, playing does nothing and channels report not playing.

#include <memory>
#include <string>

class Sound;
class Channel;
using SoundHandle = std::shared_ptr<Sound>;
using ChannelHandle = std::shared_ptr<Channel>;

/// Sound flags.
enum SoundFlags : int {
    kSoundLoop = 1,
    /// Decoded while it plays instead of at load (music); the file is still
    /// opened and checked at load, so an undecodable one gives Null.
    kSoundStream = 0x100,
};

/// 1 when sounds are heard (a device is open and the engine plays audio).
int snd_available();
/// Loads a sound; Null when the file is missing or cannot be decoded.
SoundHandle snd_load(const std::string& path, int flags);
/// Starts the sound on `channel`, or on a free channel when Null; returns the
/// channel it plays on (Null for a Null sound).
ChannelHandle snd_play(const SoundHandle& sound, const ChannelHandle& channel);
/// A channel of the game's own, never taken by sounds played without one.
ChannelHandle chan_alloc();
void chan_set_volume(const ChannelHandle& channel, double volume);
double chan_get_volume(const ChannelHandle& channel);
int chan_playing(const ChannelHandle& channel);
void chan_stop(const ChannelHandle& channel);
void chan_pause(const ChannelHandle& channel);
void chan_resume(const ChannelHandle& channel);
/// Pan from -1 (left) to 1 (right).
void chan_set_pan(const ChannelHandle& channel, double pan);
/// Accepted and ignored: the mixer has no depth or per-channel rate.
void chan_set_depth(const ChannelHandle& channel, double depth);
void chan_set_rate(const ChannelHandle& channel, double rate);
