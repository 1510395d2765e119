// Shared by the CD tests: the disc images make_cd_images.sh writes, their
// tracks' PCM, and a log of every command text the command layer receives.
//
// disc.cue holds audio tracks 1 to 3 of 0:02:05, 0:01:40 and 0:03:10 (155,
// 115 and 235 CD frames) and a data track 4 of 100 frames; mixed.cue holds the
// data track first and the same audio as tracks 2 to 4.
#pragma once

#include "cdaudio/mci.h"
#include "pcm_compare.h"

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kstr::test {

inline constexpr std::size_t SECTOR_FRAMES = 588;

inline std::string cd_file(const std::string &name)
{
   return test_data("cd/" + name);
}

// Audio track n (1 to 3) of disc.cue, interleaved signed stereo.
inline std::vector<int16_t> track_pcm(int n)
{
   return read_pcm(cd_file("track" + std::to_string(n) + ".raw"));
}

// Stereo frames [from, to).
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
      std::string line =
         std::string(command) + " -> " + (error ? "error " + std::to_string(error) : std::string(reply));
      std::printf("  [mci] %s\n", line.c_str());
      static_cast<CommandLog *>(data)->lines_.push_back(line);
   }
   std::vector<std::string> lines_;
};

// Up to `frames` frames from the playing request, read in pieces of `piece`.
inline std::vector<int16_t> read_frames(std::size_t frames, std::size_t (*read)(int16_t *, std::size_t),
                                        std::size_t piece = 1000)
{
   std::vector<int16_t> pcm(2 * frames);
   std::size_t done = 0;
   for (std::size_t got = 1; done < frames && got; done += got)
      got = read(pcm.data() + 2 * done, std::min(piece, frames - done));
   pcm.resize(2 * done);
   return pcm;
}

}
