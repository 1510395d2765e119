// The digital reader behind the command layer's play, pause and stop: it
// reads a range of audio sectors from the drive and hands them on as PCM,
// at the pace its consumer (the player's audio stream) asks for them.
//
// Contract:
// - play(from, to) starts at sector `from` and ends before sector `to`.
// - read() hands out at most `frames` stereo frames of 16-bit signed PCM,
//   interleaved left first, and only while playing. It returns fewer once the
//   range ends or the drive fails to read; the mode is then stopped.
// - position() is the sector the next frame comes from: after a pause, play
//   from there continues without a gap or a repeat as long as reads ended on
//   a sector's edge (a partly read sector is read again from its start).
#pragma once

#include "cdaudio/drive.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CdReader {
 public:
   void play(int32_t from, int32_t to);
   void pause();
   void stop();
   // Stopped, standing at sector `lsn` (where the drive's own play ended).
   void stop_at(int32_t lsn);
   CdPlayMode mode() const { return mode_; }
   int32_t position() const;
   std::size_t read(const CdDrive &drive, int16_t *pcm, std::size_t frames);

 private:
   CdPlayMode mode_ = CdPlayMode::stopped;
   // Position and end in sample frames from sector 0.
   int64_t frame_ = 0;
   int64_t end_ = 0;
   std::vector<uint8_t> sectors_;
};
