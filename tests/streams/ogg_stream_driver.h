// Drives an Ogg player's audio stream through the capture sound driver as a
// steady caller would: poll until the stream takes no more buffers, then pull
// one stream half, which comes back gap-free (see capture_sound.h).
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

#include "capture_sound.h"
#include "streams/ogg_player.h"

namespace kstr::test {

class OggStreamDriver {
public:
   explicit OggStreamDriver(OGG_PLAYER *player) : player_(player) {}

   // Keeps the result of every poll that handed a buffer over, and the
   // buffer's bytes while the stream stays open; a poll on a stopped player
   // adds its result too.
   void fill()
   {
      while (AUDIOSTREAM *stream = ogg_player_audio_stream(player_)) {
         const int bufnum = stream->bufnum;
         const int result = ogg_player_poll(player_);
         if (result == 0 && stream->bufnum == bufnum)
            return;
         results.push_back(result);
         if (result != 0)
            return;  // the stream is gone
         int bytes = 0;
         const auto *data = static_cast<const char *>(ogg_player_output_buffer(player_, &bytes));
         buffers.emplace_back(data + static_cast<size_t>(bufnum) * bytes, bytes);
      }
      results.push_back(ogg_player_poll(player_));
   }

   void pull()
   {
      const AUDIOSTREAM *stream = ogg_player_audio_stream(player_);
      const std::vector<int16_t> frames = capture_pull(stream->len * stream->bufcount);
      captured.insert(captured.end(), frames.begin(), frames.end());
   }

   // Until the player stops itself, or `most_halves` pulls.
   void play(int most_halves)
   {
      for (int i = 0; i < most_halves && ogg_player_is_playing(player_); ++i) {
         fill();
         if (ogg_player_is_playing(player_))
            pull();
      }
   }

   // The kept buffers end to end.
   std::string handed() const
   {
      std::string all;
      for (const std::string &buffer : buffers)
         all += buffer;
      return all;
   }

   // One channel of what was captured.
   std::vector<int16_t> heard(int channel) const
   {
      std::vector<int16_t> out;
      for (size_t i = static_cast<size_t>(channel); i < captured.size(); i += 2)
         out.push_back(captured[i]);
      return out;
   }

   std::vector<int> results;
   std::vector<std::string> buffers;
   std::vector<int16_t> captured;  // stereo frames, interleaved

private:
   OGG_PLAYER *player_;
};

// One channel of a reference decode (16-bit unsigned little-endian) as an
// exact channel of the capture driver brings it out.
inline std::vector<int16_t> expected_channel(const std::string &raw, bool stereo, int channel)
{
   std::vector<int16_t> out;
   const size_t step = stereo ? 4 : 2;
   for (size_t i = stereo ? 2 * static_cast<size_t>(channel) : 0; i + 1 < raw.size(); i += step)
      out.push_back(capture_expected(static_cast<uint16_t>(static_cast<uint8_t>(raw[i]) | static_cast<uint8_t>(raw[i + 1]) << 8)));
   return out;
}

}
