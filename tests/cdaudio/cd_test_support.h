// Shared by the CD tests: the disc images make_cd_images.sh writes, their
// tracks' PCM, and a log of every command text the command layer receives.
//
// disc.cue holds audio tracks 1 to 3 of 0:02:05, 0:01:40 and 0:03:10 (155,
// 115 and 235 CD frames) and a data track 4 of 100 frames; mixed.cue holds the
// data track first and the same audio as tracks 2 to 4.
#pragma once

#include "cdaudio/mci.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kstr::test {

inline constexpr int TRACK_SECTORS[] = {155, 115, 235};
inline constexpr std::size_t SECTOR_FRAMES = 588;

inline std::string cd_file(const std::string &name)
{
   const char *root = std::getenv("KSTR_TEST_DATA");
   return std::string(root ? root : "testdata") + "/cd/" + name;
}

// Audio track n (1 to 3) of disc.cue as 16-bit signed stereo, left first.
inline std::vector<int16_t> track_pcm(int n)
{
   std::ifstream in(cd_file("track" + std::to_string(n) + ".raw"), std::ios::binary);
   std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
   EXPECT_EQ(bytes.size(), TRACK_SECTORS[n - 1] * SECTOR_FRAMES * 4) << "track " << n;
   std::vector<int16_t> pcm(bytes.size() / 2);
   for (std::size_t i = 0; i < pcm.size(); ++i)
      pcm[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
   return pcm;
}

// Samples [from, to) of any PCM.
inline std::vector<int16_t> slice(const std::vector<int16_t> &pcm, std::size_t from, std::size_t to)
{
   return std::vector<int16_t>(pcm.begin() + static_cast<long>(from), pcm.begin() + static_cast<long>(to));
}

// Stereo frames [from, to) of PCM.
inline std::vector<int16_t> frames_of(const std::vector<int16_t> &pcm, std::size_t from, std::size_t to)
{
   return slice(pcm, 2 * from, 2 * to);
}

inline std::vector<int16_t> joined(std::initializer_list<std::vector<int16_t>> parts)
{
   std::vector<int16_t> all;
   for (const auto &part : parts)
      all.insert(all.end(), part.begin(), part.end());
   return all;
}

// Every command the layer receives while it lives, as `command -> reply` or
// `command -> error N`, also printed so a run shows the exact texts.
class CommandLog {
public:
   CommandLog() { mci_set_log(&CommandLog::record, this); }
   ~CommandLog() { mci_set_log(nullptr, nullptr); }
   CommandLog(const CommandLog &) = delete;
   CommandLog &operator=(const CommandLog &) = delete;

   // The lines logged since the last take.
   std::vector<std::string> take() { return std::exchange(lines_, {}); }

private:
   static void record(const char *command, unsigned error, const char *reply, void *data)
   {
      std::string line = std::string(command) + " -> " + (error ? "error " + std::to_string(error) : std::string(reply));
      std::printf("  [mci] %s\n", line.c_str());
      static_cast<CommandLog *>(data)->lines_.push_back(line);
   }
   std::vector<std::string> lines_;
};

// Reads `frames` frames from the playing request in pieces of `piece`.
inline std::vector<int16_t> read_frames(std::size_t frames, std::size_t (*read)(int16_t *, std::size_t),
                                        std::size_t piece = 1000)
{
   std::vector<int16_t> pcm(2 * frames);
   std::size_t done = 0;
   while (done < frames) {
      const std::size_t got = read(pcm.data() + 2 * done, std::min(piece, frames - done));
      done += got;
      if (got == 0)
         break;
   }
   pcm.resize(2 * done);
   return pcm;
}

}
