// Finding known audio in a recording of the real sound path: where it starts,
// and whether every short block of it came through unchanged (no gap from an
// under-run, no block played twice, nothing dropped).
//
// Both signals are interleaved signed 16-bit stereo. Blocks are compared by
// normalised correlation over both channels, so a constant gain (the mixer's
// volume per voice) does not count; a block that is silent in the reference
// is expected silent in the recording.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kstr::test {

// The offset (in frames) at which `reference` best matches `recording`,
// searched from `from` to `to`, with that match's correlation.
struct Alignment {
   std::size_t offset = 0;
   double correlation = 0;
};
Alignment align(const std::vector<int16_t> &recording, const std::vector<int16_t> &reference, std::size_t from,
                std::size_t to, std::size_t window_frames = 4096);

// Normalised correlation of the recording at `offset` with the reference,
// block by block over `frames` reference frames from its start.
std::vector<double> block_correlations(const std::vector<int16_t> &recording, std::size_t offset,
                                       const std::vector<int16_t> &reference, std::size_t frames,
                                       std::size_t block_frames);

// The smallest value and its index (0 and 1.0 for an empty list).
struct Worst {
   std::size_t index = 0;
   double value = 1.0;
};
Worst worst_of(const std::vector<double> &values);

}
