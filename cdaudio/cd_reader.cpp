#include "cdaudio/cd_reader.h"

#include "cdaudio/tmsf.h"

#include <algorithm>

namespace {

// Sectors read from the drive in one request.
constexpr int64_t READ_SECTORS = 27;
constexpr int64_t SECTOR_FRAMES = static_cast<int64_t>(CD_FRAME_SAMPLES);

}

void CdReader::play(int32_t from, int32_t to)
{
   frame_ = from * SECTOR_FRAMES;
   end_ = to * SECTOR_FRAMES;
   mode_ = CdPlayMode::playing;
}

void CdReader::pause()
{
   if (mode_ == CdPlayMode::playing)
      mode_ = CdPlayMode::paused;
}

void CdReader::stop()
{
   mode_ = CdPlayMode::stopped;
}

void CdReader::stop_at(int32_t lsn)
{
   mode_ = CdPlayMode::stopped;
   frame_ = lsn * SECTOR_FRAMES;
}

int32_t CdReader::position() const
{
   return static_cast<int32_t>(frame_ / SECTOR_FRAMES);
}

std::size_t CdReader::read(const CdDrive &drive, int16_t *pcm, std::size_t frames)
{
   sectors_.resize(static_cast<std::size_t>(READ_SECTORS) * CD_SECTOR_BYTES);
   std::size_t done = 0;
   while (mode_ == CdPlayMode::playing && done < frames) {
      if (frame_ >= end_) {
         mode_ = CdPlayMode::stopped;
         break;
      }
      const int64_t first = frame_ / SECTOR_FRAMES, skip = frame_ % SECTOR_FRAMES;
      const int64_t wanted = std::min(static_cast<int64_t>(frames - done), end_ - frame_);
      const int64_t count = std::min(READ_SECTORS, (skip + wanted + SECTOR_FRAMES - 1) / SECTOR_FRAMES);
      // A disc image's file that ends inside the request reads as success
      // with the rest of the buffer untouched: that rest plays as silence.
      std::fill_n(sectors_.begin(), count * static_cast<int64_t>(CD_SECTOR_BYTES), uint8_t{0});
      if (!drive.read_audio(static_cast<int32_t>(first), static_cast<uint32_t>(count), sectors_.data())) {
         mode_ = CdPlayMode::stopped;
         break;
      }
      const int64_t take = std::min(wanted, count * SECTOR_FRAMES - skip);
      const uint8_t *in = sectors_.data() + skip * 4;
      int16_t *out = pcm + done * 2;
      for (int64_t i = 0; i < take * 2; ++i)
         out[i] = static_cast<int16_t>(in[2 * i] | in[2 * i + 1] << 8);
      frame_ += take;
      done += static_cast<std::size_t>(take);
   }
   return done;
}
