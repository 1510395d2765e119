#include "player/sound_output_pcm.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

namespace kstr {

namespace {

constexpr unsigned kChannels = 2;
// A device that takes no period for this long is stalled (a sound server that
// stopped answering): give it up rather than block the thread for good.
constexpr int kStallMs = 1000;

bool check(int result, const char *what, std::string &error)
{
   if (result >= 0)
      return true;
   error = std::string(what) + ": " + snd_strerror(result);
   return false;
}

}

void SoundOutputPcm::Close::operator()(_snd_pcm *pcm) const
{
   snd_pcm_close(pcm);
}

std::unique_ptr<SoundOutputPcm> SoundOutputPcm::open(const std::string &device, const SoundOutputFormat &wanted,
                                                     std::string &error)
{
   snd_pcm_t *raw = nullptr;
   if (!check(snd_pcm_open(&raw, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK), device.c_str(), error))
      return nullptr;
   std::unique_ptr<SoundOutputPcm> pcm(new SoundOutputPcm(raw));
   if (!pcm->configure(wanted, error))
      return nullptr;
   return pcm;
}

SoundOutputPcm::~SoundOutputPcm() = default;

bool SoundOutputPcm::configure(const SoundOutputFormat &wanted, std::string &error)
{
   snd_pcm_t *pcm = pcm_.get();
   snd_pcm_hw_params_t *hw = nullptr;
   snd_pcm_hw_params_alloca(&hw);
   unsigned rate = wanted.rate;
   snd_pcm_uframes_t period = wanted.period_frames;
   snd_pcm_uframes_t buffer = wanted.period_frames * wanted.periods;
   int dir = 0;
   if (!check(snd_pcm_hw_params_any(pcm, hw), "no configuration", error) ||
       !check(snd_pcm_hw_params_set_access(pcm, hw, SND_PCM_ACCESS_RW_INTERLEAVED), "interleaved access", error) ||
       !check(snd_pcm_hw_params_set_format(pcm, hw, SND_PCM_FORMAT_S16), "16-bit samples", error) ||
       !check(snd_pcm_hw_params_set_channels(pcm, hw, kChannels), "stereo", error) ||
       !check(snd_pcm_hw_params_set_rate_near(pcm, hw, &rate, &dir), "rate", error) ||
       !check(snd_pcm_hw_params_set_period_size_near(pcm, hw, &period, &dir), "period size", error) ||
       !check(snd_pcm_hw_params_set_buffer_size_near(pcm, hw, &buffer), "buffer size", error) ||
       !check(snd_pcm_hw_params(pcm, hw), "hardware parameters", error))
      return false;
   snd_pcm_hw_params_get_period_size(hw, &period, &dir);
   snd_pcm_hw_params_get_buffer_size(hw, &buffer);
   if (period == 0) {
      error = "the device granted an empty period";
      return false;
   }
   format_ = {rate, period, static_cast<unsigned>(buffer / period)};

   // Start once one period is queued, wake the writer whenever one is free.
   snd_pcm_sw_params_t *sw = nullptr;
   snd_pcm_sw_params_alloca(&sw);
   return check(snd_pcm_sw_params_current(pcm, sw), "software parameters", error) &&
          check(snd_pcm_sw_params_set_start_threshold(pcm, sw, period), "start threshold", error) &&
          check(snd_pcm_sw_params_set_avail_min(pcm, sw, period), "wake-up threshold", error) &&
          check(snd_pcm_sw_params(pcm, sw), "software parameters", error);
}

bool SoundOutputPcm::write(const int16_t *frames)
{
   snd_pcm_t *pcm = pcm_.get();
   if (drained_) {
      if (snd_pcm_prepare(pcm) < 0)
         return false;
   }
   drained_ = false;
   snd_pcm_uframes_t left = format_.period_frames;
   while (left > 0) {
      const snd_pcm_sframes_t written = snd_pcm_writei(pcm, frames, left);
      if (written >= 0) {
         left -= static_cast<snd_pcm_uframes_t>(written);
         frames += static_cast<snd_pcm_uframes_t>(written) * kChannels;
         continue;
      }
      int failure = static_cast<int>(written);
      if (failure == -EAGAIN) {
         // Full: sleep until a period is free.
         failure = snd_pcm_wait(pcm, kStallMs);
         if (failure == 0)
            return false;
         if (failure > 0)
            continue;
      }
      if (failure == -EPIPE)
         ++underruns_;
      if (snd_pcm_recover(pcm, failure, 1) < 0)
         return false;
   }
   return true;
}

void SoundOutputPcm::drain()
{
   if (drained_)
      return;
   // Wait while what is queued plays out: as long as the delay the device
   // reports now lasts, and a period more. Some devices (a sound server's
   // client among them) never report the last fraction of a period as
   // played, so waiting for a delay of 0 would hold the thread, and the
   // next song's start, for a second.
   snd_pcm_t *pcm = pcm_.get();
   snd_pcm_sframes_t delay = 0;
   if (snd_pcm_delay(pcm, &delay) == 0 && delay > 0) {
      const long long queued_frames = std::min<long long>(delay, 1LL * format_.period_frames * format_.periods);
      const auto deadline = std::chrono::steady_clock::now() +
                            std::chrono::milliseconds(1000LL * (queued_frames + format_.period_frames) / format_.rate);
      while (std::chrono::steady_clock::now() < deadline && snd_pcm_delay(pcm, &delay) == 0 && delay > 0)
         std::this_thread::sleep_for(std::chrono::milliseconds(5));
   }
   snd_pcm_drop(pcm);
   drained_ = true;
}

}
