// Shared pieces of the MP3 player tests: owning handles, blocks assembled
// from real frames, and the sample's PCM back as signed values.
#pragma once

#include "streams/mp3_player.h"

#include "mp3_test_files.h"

#include <allegro.h>

#include <memory>
#include <random>

namespace kstr::test::mp3 {

struct PlayerDeleter {
   void operator()(MP3_PLAYER *player) const { mp3_player_destroy(player); }
};
using Player = std::unique_ptr<MP3_PLAYER, PlayerDeleter>;

struct SampleDeleter {
   void operator()(SAMPLE *sample) const { destroy_sample(sample); }
};
using Sample = std::unique_ptr<SAMPLE, SampleDeleter>;

// A player with the block it reads, which must outlive it.
class OwnedPlayer {
public:
   explicit OwnedPlayer(Bytes block)
      : block_(std::move(block)), player_(mp3_player_create(block_.data(), static_cast<int>(block_.size())))
   {
   }
   MP3_PLAYER *get() const { return player_.get(); }
   explicit operator bool() const { return player_ != nullptr; }

private:
   Bytes block_; // declared first: destroyed after the player
   Player player_;
};

inline OwnedPlayer create(Bytes block)
{
   return OwnedPlayer(std::move(block));
}

// The sample's data as the signed values the decoder produced.
inline std::vector<int16_t> signed_pcm(const SAMPLE *sample)
{
   const size_t count = static_cast<size_t>(sample->len) * (sample->stereo ? 2 : 1);
   const auto *data = static_cast<const uint16_t *>(sample->data);
   std::vector<int16_t> pcm(count);
   for (size_t i = 0; i < count; ++i)
      pcm[i] = static_cast<int16_t>(data[i] ^ 0x8000);
   return pcm;
}

// Bytes that hold no MPEG header anywhere: no 0xFF byte at all.
inline Bytes garbage(size_t count, unsigned seed = 1)
{
   std::mt19937 random(seed);
   Bytes bytes(count);
   for (auto &b : bytes)
      b = static_cast<uint8_t>(random() % 255);
   return bytes;
}

// The file with `insert` placed before frame `frame` of its header walk.
inline Bytes insert_before_frame(const Bytes &file, size_t frame, const Bytes &insert)
{
   const auto walk = walk_frames(file);
   Bytes block(file.begin(), file.begin() + walk.at(frame).offset);
   block.insert(block.end(), insert.begin(), insert.end());
   block.insert(block.end(), file.begin() + walk.at(frame).offset, file.end());
   return block;
}

// Samples of frames [first, last) of a decode whose frames are all `frame_samples` long.
inline std::vector<int16_t> frame_range(const std::vector<int16_t> &pcm, size_t frame_samples, size_t first,
                                        size_t last)
{
   return std::vector<int16_t>(pcm.begin() + static_cast<long>(first * frame_samples),
                               pcm.begin() + static_cast<long>(std::min(last * frame_samples, pcm.size())));
}

}
