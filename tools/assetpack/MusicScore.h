#pragma once
// The game's eight pieces of music, composed in code: melody, bass, chords and
// a rhythm section over a loop of at least 30 s.
#include <cstdint>
#include <string>
#include <vector>

// The piece a music file plays, from its path (menu, episode1, episode2,
// episode3, minigame, victory, gameover, story); empty when none fits.
std::string MusicPieceForPath(const std::string& path);

// One part of a piece as the pack's Ogg Vorbis file at 22050 Hz: part 0 the
// intro, 1 the loop. Both parts come from one continuous performance: the
// loop's last sample flows into its first, and the intro's last sample flows
// into the loop's first, as the files decode. Every note starts its own
// oscillator at silence, so no chord change jumps. Empty for no piece.
std::vector<uint8_t> MusicFile(const std::string& piece, int part);
