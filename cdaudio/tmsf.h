// Positions on an audio CD as text in the TMSF time format: a track number,
// then minutes, seconds and frames (1/75 s) from that track's start, each
// part after a colon ("3:04:05:10"). Leaving parts out means zero for them,
// so a bare number is the start of that track.
//
// Contract:
// - parse_tmsf takes one to four decimal parts, each at most 3 digits, with
//   nothing else in the text; seconds must stay below 60 and frames below 75.
//   It returns false on anything else and leaves `out` unspecified.
// - A CD frame (a sector) holds CD_FRAME_SAMPLES stereo sample frames of
//   16-bit PCM, CD_SECTOR_BYTES bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int CD_FRAMES_PER_SECOND = 75;
constexpr std::size_t CD_FRAME_SAMPLES = 588;
constexpr std::size_t CD_SECTOR_BYTES = CD_FRAME_SAMPLES * 4;
constexpr int CD_SAMPLE_RATE = 44100;

struct TMSF {
   unsigned track = 0;
   // Offset from the track's start, in CD frames.
   int32_t offset = 0;
};

bool parse_tmsf(const std::string &text, TMSF &out);

// "tt:mm:ss:ff", the way positions are reported.
std::string format_tmsf(unsigned track, int32_t offset);
// "mm:ss:ff", the way lengths are reported.
std::string format_msf(int32_t frames);
