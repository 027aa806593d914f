#pragma once
// Background music: the songs of the music folder, one picked at random
// whenever the previous one has ended.

/// Lists "mp3/" (without changing the working folder), prints every name and
/// keeps the songs that load. Undecodable files and sub-folders are left out.
void LoadMusicList();
/// Sets the effect channels to `SoundVolume` and the music channel to
/// `MusicVolume` (at start-up, and at once when the options are applied).
void ApplyVolumes();
/// Starts a random song when none is playing. Does nothing without a sound
/// device or without a playable song.
void KeepMusicPlaying();
