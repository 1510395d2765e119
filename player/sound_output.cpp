#include "player/sound_output.h"

#include "player/mixer_digi_driver.h"
#include "player/sound_output_pcm.h"

#include <allegro/platform/aintunix.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using kstr::SoundOutputFormat;
using kstr::SoundOutputPcm;

constexpr int kDefaultRate = 44100;
// About 25 ms a period and three periods queued: short enough that Stop is
// heard within 150 ms also through a sound server, long enough that a
// loaded machine does not run the device dry (two periods are still queued
// when the thread wakes), and few wake-ups: every period wakes this thread
// and the sound server client once or twice.
constexpr int kPeriodMs = 25;
constexpr unsigned kPeriods = 3;

std::string output_device()
{
   const char *device = get_config_string("sound", "alsa_device", "default");
   return device && *device ? device : "default";
}

SoundOutputFormat wanted_format(int rate)
{
   const auto frames = static_cast<unsigned long>(rate) * kPeriodMs / 1000;
   return {static_cast<unsigned>(rate), frames, kPeriods};
}

void report(const std::string &why)
{
   ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, why.c_str());
}

// The mixing thread with the device it writes to. Made by the driver's init,
// destroyed by its exit; the destructor wakes and joins the thread before
// the device closes.
class OutputThread {
 public:
   OutputThread(std::unique_ptr<SoundOutputPcm> pcm, int voices)
       : pcm_(std::move(pcm)), voices_(voices), block_(static_cast<std::size_t>(pcm_->format().period_frames) * 2),
         thread_([this] { run(); })
   {
   }
   ~OutputThread()
   {
      {
         std::lock_guard lock(mutex_);
         quit_ = true;
      }
      wake_.notify_one();
      thread_.join();
      if (!device_ok_) {
         // A device given up may hang on a sound server that stopped
         // answering, and closing it would wait out that server's time-out
         // (30 s): close it aside, so removing sound and quitting never wait.
         std::thread([pcm = std::move(pcm_)]() mutable { pcm.reset(); }).detach();
      }
   }
   OutputThread(const OutputThread &) = delete;
   OutputThread &operator=(const OutputThread &) = delete;

   void voice_started()
   {
      {
         std::lock_guard lock(mutex_);
         voice_started_ = true;
      }
      wake_.notify_one();
   }

   void status(SOUND_OUTPUT_STATUS &out) const
   {
      const SoundOutputFormat &format = pcm_->format();
      out.rate = static_cast<int>(format.rate);
      out.period_frames = static_cast<int>(format.period_frames);
      out.periods = static_cast<int>(format.periods);
      out.device_ok = device_ok_ ? 1 : 0;
      out.periods_played = periods_played_;
      out.underruns = underruns_;
      out.sleeping = sleeping_ ? 1 : 0;
   }

 private:
   bool any_voice_playing() const
   {
      for (int voice = 0; voice < voices_; ++voice)
         if (_mixer_get_position(voice) >= 0)
            return true;
      return false;
   }

   // Plays out what is queued, then waits for a voice to start. False on quit.
   bool sleep_until_voice()
   {
      if (device_ok_)
         pcm_->drain();
      std::unique_lock lock(mutex_);
      sleeping_ = true;
      wake_.wait(lock, [this] { return voice_started_ || quit_; });
      sleeping_ = false;
      return !quit_;
   }

   void play_block()
   {
      _mix_some_samples(reinterpret_cast<uintptr_t>(block_.data()), 0, TRUE);
      if (device_ok_) {
         device_ok_ = pcm_->write(block_.data());
         underruns_ = pcm_->underruns();
         if (device_ok_) {
            ++periods_played_;
            return;
         }
      }
      // No device: keep the mixer's pace so streams advance and songs end.
      const auto period = std::chrono::microseconds(1'000'000LL * static_cast<long long>(pcm_->format().period_frames) /
                                                    pcm_->format().rate);
      std::this_thread::sleep_for(period);
   }

   void run()
   {
      for (;;) {
         {
            std::lock_guard lock(mutex_);
            if (quit_)
               return;
            // A start from here on wakes the sleep below.
            voice_started_ = false;
         }
         if (!any_voice_playing()) {
            if (!sleep_until_voice())
               return;
            continue;
         }
         play_block();
      }
   }

   std::unique_ptr<SoundOutputPcm> pcm_;
   const int voices_;
   std::vector<int16_t> block_;
   std::mutex mutex_;
   std::condition_variable wake_;
   bool voice_started_ = false;
   bool quit_ = false;
   std::atomic<bool> sleeping_ = false;
   std::atomic<bool> device_ok_ = true;
   std::atomic<long> periods_played_ = 0;
   std::atomic<int> underruns_ = 0;
   std::thread thread_;  // last: it starts once everything above exists
};

struct SoundOutputState {
   bool registered = false;
   std::unique_ptr<OutputThread> thread;
};

SoundOutputState state;

int output_detect(int input)
{
   if (input)
      return FALSE;
   std::string error;
   if (!SoundOutputPcm::open(output_device(), wanted_format(kDefaultRate), error)) {
      report(error);
      return FALSE;
   }
   return TRUE;
}

int output_init(int input, int voices)
{
   if (input)
      return -1;
   // install_sound has just read "sound_freq" into _sound_freq (-1 if absent).
   const int rate = _sound_freq > 0 ? _sound_freq : kDefaultRate;
   std::string error;
   auto pcm = SoundOutputPcm::open(output_device(), wanted_format(rate), error);
   if (!pcm) {
      report(error);
      return -1;
   }
   const SoundOutputFormat granted = pcm->format();
   _sound_freq = static_cast<int>(granted.rate);
   _sound_bits = 16;
   _sound_stereo = TRUE;
   digi_driver->voices = voices;
   // The mixer counts its block in sample values, two to a stereo frame.
   if (_mixer_init(static_cast<int>(granted.period_frames) * 2, _sound_freq, TRUE, TRUE, &digi_driver->voices) != 0) {
      report("the mixer could not start");
      return -1;
   }
   state.thread = std::make_unique<OutputThread>(std::move(pcm), digi_driver->voices);
   return 0;
}

void output_exit(int input)
{
   if (input)
      return;
   state.thread.reset();
   _mixer_exit();
}

// Audio streams size their buffers from this: a half shorter than one period
// would be played through before the mixer sees it refilled.
int output_buffer_size()
{
   SOUND_OUTPUT_STATUS status{};
   sound_output_status(&status);
   return status.period_frames > 0 ? status.period_frames : kDefaultRate * kPeriodMs / 1000;
}

void output_start_voice(int voice)
{
   _mixer_start_voice(voice);
   if (state.thread)
      state.thread->voice_started();
}

DIGI_DRIVER driver =
   mixer_digi_driver({SOUND_OUTPUT_DRIVER_ID, "ALSA low latency", "Mixer into ALSA with a short buffer", output_detect,
                      output_init, output_exit, output_buffer_size, output_start_voice});

// True when the first driver autodetection tries is one the process added
// itself before us (the tests' capture driver), not one of Allegro's own.
bool own_driver_registered_first()
{
   const _DRIVER_INFO *first = _unix_digi_driver_list;
   if (!first || first->id == 0)
      return false;
   for (const int allegro_id : {DIGI_OSS, DIGI_ESD, DIGI_ARTS, DIGI_SGIAL, DIGI_ALSA, DIGI_JACK})
      if (first->id == allegro_id)
         return false;
   return true;
}

}

int sound_output_register()
{
   if (!state.registered) {
      // Ahead of Allegro's own drivers, behind one the process put first.
      _unix_register_digi_driver(SOUND_OUTPUT_DRIVER_ID, &driver, TRUE, own_driver_registered_first() ? 0 : 1);
      state.registered = true;
   }
   return 0;
}

void sound_output_status(SOUND_OUTPUT_STATUS *status)
{
   *status = {};
   if (!state.thread)
      return;
   status->installed = digi_driver && digi_driver->id == SOUND_OUTPUT_DRIVER_ID ? 1 : 0;
   state.thread->status(*status);
}
