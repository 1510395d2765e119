// The sound output driver on the real sound path: ALSA into a private null
// sink, whose monitor is recorded. Known noise goes in through an audio
// stream or a sample; the recording must hold every 10 ms block of it
// unchanged (an under-run leaves a gap, a starved stream repeats a block,
// both break the block's correlation), and must fall silent soon after the
// voice stops.
#include "player/sound_output.h"
#include "player/sound_output_pcm.h"

#include "allegro_env.h"
#include "capture_sound.h"
#include "pulse_sink.h"
#include "recording_match.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <thread>
#include <utility>

namespace {

using namespace kstr::test;
using namespace std::chrono_literals;

constexpr std::size_t kBlockFrames = kSinkRate / 100;
// Measured on this path: an intact block correlates above 0.9999 (the mixer
// only scales and rounds); one 1 ms gap in a block brings it below 0.95.
constexpr double kIntactBlock = 0.99;
constexpr auto kStopLatencyLimit = 150ms;

std::size_t frames_in(std::chrono::milliseconds time)
{
   return static_cast<std::size_t>(time.count()) * kSinkRate / 1000;
}

// Stereo white noise, signed, different on each channel and for each seed.
std::vector<int16_t> noise(std::size_t frames, uint32_t seed)
{
   std::vector<int16_t> out(frames * 2);
   for (int16_t &value : out) {
      seed = seed * 1664525u + 1013904223u;
      value = static_cast<int16_t>(static_cast<int>(seed >> 16) % 24001 - 12000);
   }
   return out;
}

uint16_t to_unsigned(int16_t value)
{
   return static_cast<uint16_t>(value ^ 0x8000);
}

using Sample = std::unique_ptr<SAMPLE, decltype(&destroy_sample)>;

// A 16-bit stereo sample at the sink's rate holding `signal`.
Sample sample_of(const std::vector<int16_t> &signal)
{
   Sample sample(create_sample(16, TRUE, kSinkRate, static_cast<int>(signal.size() / 2)), &destroy_sample);
   if (sample)
      std::transform(signal.begin(), signal.end(), static_cast<uint16_t *>(sample->data), to_unsigned);
   return sample;
}

struct RealSound : ::testing::Test {
   // First: the environment must point at the sink before ALSA is opened.
   PulseNullSink sink;

   void SetUp() override
   {
      ASSERT_TRUE(sink.ok()) << sink.error();
      ASSERT_TRUE(start_allegro());
      set_volume_per_voice(2);
   }

   static SOUND_OUTPUT_STATUS status()
   {
      SOUND_OUTPUT_STATUS s{};
      sound_output_status(&s);
      return s;
   }

   static bool wait_for_sleep()
   {
      for (int tries = 0; tries < 100; ++tries) {
         if (status().sleeping)
            return true;
         std::this_thread::sleep_for(10ms);
      }
      return false;
   }

   // Where `reference` starts in the recording, searching from frame `from`.
   static Alignment find(const std::vector<int16_t> &recording, const std::vector<int16_t> &reference, std::size_t from)
   {
      const std::size_t onset = first_loud_frame(recording, from, 0);
      return align(recording, reference, onset > 2000 ? onset - 2000 : 0, onset + 2000);
   }

   static void expect_intact(const std::vector<int16_t> &recording, std::size_t offset,
                             const std::vector<int16_t> &reference, std::size_t frames, const char *what)
   {
      const std::vector<double> blocks = block_correlations(recording, offset, reference, frames, kBlockFrames);
      EXPECT_GE(blocks.size(), frames / kBlockFrames - 1) << what;
      const Worst worst = worst_of(blocks);
      ::testing::Test::RecordProperty(std::string(what) + "_worst_block", std::to_string(worst.value));
      EXPECT_GE(worst.value, kIntactBlock) << what << ": block " << worst.index << " of " << blocks.size();
   }

   // Finds `first` and then `second` after it, each heard whole; returns
   // where they start.
   static std::pair<std::size_t, std::size_t> expect_heard_in_turn(const std::vector<int16_t> &recording,
                                                                   const std::vector<int16_t> &first,
                                                                   const std::vector<int16_t> &second)
   {
      const Alignment one = find(recording, first, 0);
      EXPECT_GE(one.correlation, kIntactBlock) << "first signal not found";
      expect_intact(recording, one.offset, first, first.size() / 2, "first signal");
      const Alignment two = find(recording, second, one.offset + first.size() / 2);
      EXPECT_GE(two.correlation, kIntactBlock) << "second signal not found";
      expect_intact(recording, two.offset, second, second.size() / 2, "second signal");
      return {one.offset, two.offset};
   }
};

TEST_F(RealSound, StreamIsHeardWholeAndFallsSilentSoonAfterStop)
{
   sound_output_register();
   ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
   ASSERT_EQ(digi_driver->id, SOUND_OUTPUT_DRIVER_ID);
   ASSERT_EQ(status().rate, kSinkRate);

   SinkRecorder recorder;
   ASSERT_TRUE(recorder.wait_started());
   std::this_thread::sleep_for(200ms);

   // The stream starts on silence: the driver mixes its first period as soon
   // as the voice starts, maybe before the first buffer is filled.
   constexpr int kStreamFrames = 4096;
   const std::size_t lead = frames_in(100ms);
   const std::vector<int16_t> signal = noise(frames_in(3000ms), 7);
   AUDIOSTREAM *stream = play_audio_stream(kStreamFrames, 16, TRUE, kSinkRate, 255, 128);
   ASSERT_NE(stream, nullptr);
   std::size_t fed = 0;
   const auto started = SinkRecorder::Clock::now();
   while (SinkRecorder::Clock::now() - started < 1500ms) {
      while (auto *buffer = static_cast<uint16_t *>(get_audio_stream_buffer(stream))) {
         for (std::size_t i = 0; i < kStreamFrames * 2; ++i) {
            const std::size_t at = fed * 2 + i;
            buffer[i] = at < lead * 2 ? 0x8000 : to_unsigned(signal[(at - lead * 2) % signal.size()]);
         }
         fed += kStreamFrames;
         free_audio_stream_buffer(stream);
      }
      std::this_thread::sleep_for(2ms);
   }
   voice_stop(stream->voice);
   const auto stopped = SinkRecorder::Clock::now();
   ASSERT_LT(fed, lead + signal.size() / 2) << "the stream ran past the signal";
   std::this_thread::sleep_for(500ms);
   recorder.stop();
   EXPECT_TRUE(status().sleeping);
   EXPECT_EQ(status().underruns, 0);

   const std::vector<int16_t> recording = recorder.frames();
   const Alignment start = find(recording, signal, 0);
   ASSERT_GE(start.correlation, kIntactBlock);
   const std::size_t last = last_loud_frame(recording, start.offset, 0);
   const std::size_t played = last + 1 - start.offset;
   EXPECT_GT(played, frames_in(1300ms));
   EXPECT_LT(played, frames_in(1700ms));
   expect_intact(recording, start.offset, signal, played, "stream");

   const auto latency = recorder.frame_time(last + 1) - stopped;
   RecordProperty("stop_latency_ms", std::to_string(std::chrono::duration<double, std::milli>(latency).count()));
   EXPECT_LE(latency, kStopLatencyLimit) << "silent " << std::chrono::duration<double, std::milli>(latency).count()
                                         << " ms after the stop";
   EXPECT_GE(latency, -10ms) << "the recording's clock is off";
   stop_audio_stream(stream);
}

// Between two samples the thread sleeps: nothing is written while no voice
// plays, and the next sample wakes it. Each sample is heard whole, its last
// period included (what is queued is played out, not dropped).
TEST_F(RealSound, SleepsBetweenSamplesAndPlaysEachWhole)
{
   sound_output_register();
   ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
   ASSERT_TRUE(wait_for_sleep()) << "the output thread did not go to sleep with no voice";

   SinkRecorder recorder;
   ASSERT_TRUE(recorder.wait_started());
   const std::vector<int16_t> first = noise(frames_in(300ms), 11);
   const std::vector<int16_t> second = noise(frames_in(300ms), 12);
   for (const auto *signal : {&first, &second}) {
      const long periods_before = status().periods_played;
      std::this_thread::sleep_for(300ms);
      EXPECT_EQ(status().periods_played, periods_before) << "periods written while no voice plays";

      const Sample sample = sample_of(*signal);
      ASSERT_NE(sample, nullptr);
      ASSERT_GE(play_sample(sample.get(), 255, 128, 1000, FALSE), 0);
      std::this_thread::sleep_for(300ms);
      EXPECT_TRUE(wait_for_sleep()) << "the output thread did not sleep after the sample ended";
      EXPECT_GE(status().periods_played - periods_before, static_cast<long>(frames_in(300ms)) / status().period_frames);
      stop_sample(sample.get());
   }
   std::this_thread::sleep_for(200ms);
   recorder.stop();

   const std::vector<int16_t> recording = recorder.frames();
   const auto [one, two] = expect_heard_in_turn(recording, first, second);
   EXPECT_EQ(last_loud_frame(recording, two, 0) + 1, two + second.size() / 2)
      << "the second sample's end is cut or followed by noise";
}

// Allegro unloads its driver modules at exit, before the leak check, so what
// its ALSA module allocated and never freed would show without a name; kept
// loaded, it is named and matches the suppression of Allegro's own leaks.
void keep_allegro_alsa_module_loaded()
{
   std::error_code ignored;
   for (const auto &arch : std::filesystem::directory_iterator("/usr/lib", ignored))
      for (const auto &version : std::filesystem::directory_iterator(arch.path() / "allegro", ignored))
         if (std::filesystem::exists(version.path() / "alleg-alsadigi.so", ignored))
            dlopen((version.path() / "alleg-alsadigi.so").c_str(), RTLD_NOW | RTLD_NODELETE);
}

// "digi_card" in section "sound" picks the driver. A device that does not
// open fails detection, so autodetection goes on through Allegro's drivers
// (whose ALSA driver reads the same "alsa_device") to its silent one.
TEST_F(RealSound, ConfigurationChoosesTheDriver)
{
   struct Case {
      const char *digi_card;
      const char *device;
      int driver;
   };
   const Case cases[] = {
      {nullptr, nullptr, SOUND_OUTPUT_DRIVER_ID},
      {"KSAL", nullptr, SOUND_OUTPUT_DRIVER_ID},
      {"ALSA", nullptr, DIGI_ALSA},
      {nullptr, "no_such_kstr_device", DIGI_NONE},
   };
   keep_allegro_alsa_module_loaded();
   sound_output_register();
   for (const Case &c : cases) {
      SCOPED_TRACE(std::string(c.digi_card ? c.digi_card : "(none)") + " / " + (c.device ? c.device : "(default)"));
      set_config_string("sound", "digi_card", c.digi_card);
      set_config_string("sound", "alsa_device", c.device);
      ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
      EXPECT_EQ(digi_driver->id, c.driver);
      EXPECT_EQ(status().installed, c.driver == SOUND_OUTPUT_DRIVER_ID ? 1 : 0);
      remove_sound();
   }
}

// Tests register their capture driver before the code under test registers
// this one; autodetection must still find the capture driver.
TEST_F(RealSound, DriverRegisteredEarlierStaysAhead)
{
   ASSERT_TRUE(register_capture_sound());
   sound_output_register();
   ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
   EXPECT_EQ(digi_driver->id, capture_driver_id());
}

// The device alone: a writer that falls behind (here: stops for 300 ms) gets
// an under-run, counts it, recovers, and what it writes next is heard whole.
TEST_F(RealSound, DeviceRecoversFromAnUnderrun)
{
   SinkRecorder recorder;
   ASSERT_TRUE(recorder.wait_started());
   std::string error;
   const auto pcm = kstr::SoundOutputPcm::open("default", {kSinkRate, 882, 4}, error);
   ASSERT_NE(pcm, nullptr) << error;
   const std::size_t period = pcm->format().period_frames;
   constexpr std::size_t kPeriods = 20;
   const std::vector<int16_t> before = noise(period * kPeriods, 21);
   const std::vector<int16_t> after = noise(period * kPeriods, 22);
   const auto write_all = [&](const std::vector<int16_t> &signal) {
      for (std::size_t at = 0; at < kPeriods; ++at)
         ASSERT_TRUE(pcm->write(signal.data() + at * period * 2));
   };
   write_all(before);
   std::this_thread::sleep_for(300ms);
   write_all(after);
   EXPECT_EQ(pcm->underruns(), 1);
   pcm->drain();
   std::this_thread::sleep_for(100ms);
   recorder.stop();

   const auto [one, two] = expect_heard_in_turn(recorder.frames(), before, after);
   EXPECT_GT(two - one, before.size() / 2 + frames_in(200ms)) << "the gap was not heard";
}

// The sound server goes away, or stops answering, while a sample plays: the
// driver gives the device up, the mixer keeps real time so the sample still
// ends, and sound is removed without hanging.
struct RealSoundLost : RealSound {
   void lose_device_while_playing(const std::function<void()> &lose)
   {
      sound_output_register();
      SinkRecorder recorder;
      ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
      const Sample sample = sample_of(noise(frames_in(1500ms), 31));
      ASSERT_NE(sample, nullptr);
      const int voice = play_sample(sample.get(), 255, 128, 1000, FALSE);
      ASSERT_GE(voice, 0);
      std::this_thread::sleep_for(200ms);
      recorder.stop();
      lose();

      const auto lost = SinkRecorder::Clock::now();
      while (status().device_ok && SinkRecorder::Clock::now() - lost < 3s)
         std::this_thread::sleep_for(10ms);
      EXPECT_EQ(status().device_ok, 0) << "the driver still waits on the server";
      std::this_thread::sleep_for(1500ms);
      EXPECT_LT(voice_get_position(voice), 0) << "the sample did not end in real time without a device";

      const auto removing = SinkRecorder::Clock::now();
      remove_sound();
      EXPECT_LT(SinkRecorder::Clock::now() - removing, 500ms);
   }
};

TEST_F(RealSoundLost, ServerGone)
{
   lose_device_while_playing([this] { sink.stop_server(); });
}

TEST_F(RealSoundLost, ServerStalled)
{
   lose_device_while_playing([this] { sink.freeze_server(true); });
   sink.freeze_server(false);
}

}
