// One ALSA playback device for the sound output driver: signed 16-bit
// interleaved stereo in short periods, written from one thread.
//
// Contract:
// - SoundOutputPcm::open returns null when the device cannot be opened or
//   refuses the format; `error` then says why. The rate and period the device
//   granted may differ from the ones asked for: read them back.
// - write() sleeps until a whole period is queued. It recovers from an
//   under-run (and a suspend) by itself, counts it and writes the rest of the
//   period; it returns false when the device cannot go on, or takes nothing
//   for a second (stalled).
// - drain() waits while what is queued plays out (a second longer than the
//   buffer at most), then stops the device; the next write() starts it again.
// - Closing (the destructor) drops whatever is still queued.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct _snd_pcm;

namespace kstr {

struct SoundOutputFormat {
   unsigned rate = 0;
   unsigned long period_frames = 0;
   unsigned periods = 0;
};

class SoundOutputPcm {
 public:
   static std::unique_ptr<SoundOutputPcm> open(const std::string &device, const SoundOutputFormat &wanted,
                                               std::string &error);
   ~SoundOutputPcm();
   SoundOutputPcm(const SoundOutputPcm &) = delete;
   SoundOutputPcm &operator=(const SoundOutputPcm &) = delete;

   // What the device granted.
   const SoundOutputFormat &format() const { return format_; }

   // One period of interleaved stereo frames.
   bool write(const int16_t *frames);
   void drain();

   // Under-runs recovered since the device was opened.
   int underruns() const { return underruns_; }

 private:
   struct Close {
      void operator()(_snd_pcm *pcm) const;
   };
   explicit SoundOutputPcm(_snd_pcm *pcm) : pcm_(pcm) {}
   bool configure(const SoundOutputFormat &wanted, std::string &error);

   std::unique_ptr<_snd_pcm, Close> pcm_;
   SoundOutputFormat format_;
   int underruns_ = 0;
   bool drained_ = true;  // nothing queued: drain() has nothing to wait for
};

}
