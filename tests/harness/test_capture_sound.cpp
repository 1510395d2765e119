#include "allegro_env.h"
#include "capture_sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using kstr::test::capture_expected;
using kstr::test::capture_pull;
using kstr::test::kCaptureBlockFrames;
using Frames = std::vector<int16_t>;

// Left runs through every 16-bit value in a scrambled order, right mirrors it.
uint16_t ramp(int k, int channel)
{
   const auto left = static_cast<uint16_t>(k * 40503);
   return channel == 0 ? left : static_cast<uint16_t>(0xFFFF - left);
}

// Plays a fresh stereo 16-bit stream of `value(k, channel)` frames and
// collects `total` frames, pulling in the given sizes round robin and
// draining the stream before every pull. Starts on a block boundary.
Frames capture_stream(int len, int pan, int total, const std::vector<int> &pulls, int freq = 0,
                      const std::function<uint16_t(int, int)> &value = ramp)
{
   capture_pull(kstr::test::capture_surplus_frames());
   AUDIOSTREAM *stream = play_audio_stream(len, 16, TRUE, freq ? freq : kstr::test::capture_rate(), 255, pan);
   EXPECT_NE(stream, nullptr);
   Frames all;
   for (size_t i = 0, fed = 0; stream && static_cast<int>(all.size() / 2) < total; ++i) {
      while (void *buf = get_audio_stream_buffer(stream)) {
         for (int f = 0; f < 2 * len; ++f)
            static_cast<uint16_t *>(buf)[f] = value(static_cast<int>(fed) + f / 2, f % 2);
         fed += static_cast<size_t>(len);
         free_audio_stream_buffer(stream);
      }
      const int n = std::min(pulls[i % pulls.size()], total - static_cast<int>(all.size() / 2));
      const Frames got = capture_pull(n);
      EXPECT_EQ(got.size(), static_cast<size_t>(2 * n));
      all.insert(all.end(), got.begin(), got.end());
   }
   if (stream)
      stop_audio_stream(stream);
   return all;
}

// Index of the first frame whose channel differs from `want(k)`, or -1.
long first_mismatch(const Frames &frames, int channel, const std::function<int16_t(int)> &want)
{
   for (size_t k = 0; 2 * k + 1 < frames.size(); ++k)
      if (frames[2 * k + static_cast<size_t>(channel)] != want(static_cast<int>(k)))
         return static_cast<long>(k);
   return -1;
}

const auto left_ramp = [](int k) { return capture_expected(ramp(k, 0)); };
const auto zero = [](int) { return int16_t{0}; };

TEST(CaptureSound, InstallsAsAllegrosDriverAtTheAskedRateAndIsSilent)
{
   ASSERT_TRUE(kstr::test::install_capture_sound(22050, 16));
   ASSERT_NE(digi_driver, nullptr);
   EXPECT_EQ(digi_driver->id, AL_ID('C', 'A', 'P', 'T'));
   EXPECT_EQ(kstr::test::capture_rate(), 22050);
   EXPECT_GE(digi_driver->voices, 16);
   EXPECT_TRUE(kstr::test::install_capture_sound(22050, 16)) << "a second call is harmless";
   EXPECT_TRUE(capture_pull(0).empty());
   for (int n : {1, 255, 257, 44100})
      EXPECT_EQ(capture_pull(n), Frames(static_cast<size_t>(2 * n), 0)) << n << " frames";
}

// Code that installs sound itself finds the driver first among the
// autodetected ones, or by "digi_card", at the configured rate.
TEST(CaptureSound, CodeThatInstallsSoundItselfGetsTheDriver)
{
   for (const char *config : {"[sound]\nsound_freq = 22050\n", "[sound]\ndigi_card = CAPT\nsound_freq = 32000\n"}) {
      ASSERT_TRUE(kstr::test::start_allegro(config));
      ASSERT_TRUE(kstr::test::register_capture_sound());
      ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
      EXPECT_EQ(digi_driver->id, kstr::test::capture_driver_id());
      EXPECT_EQ(kstr::test::capture_rate(), get_config_int("sound", "sound_freq", 0));
      remove_sound();
   }
}

TEST(CaptureSound, StreamRampComesBackExactFromTheFirstFrameOnTheFullChannel)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const int total = 3 * 65536;
   const Frames hard_left = capture_stream(4096, 0, total, {kCaptureBlockFrames});
   EXPECT_EQ(first_mismatch(hard_left, 0, left_ramp), -1);
   EXPECT_EQ(first_mismatch(hard_left, 1, zero), -1);

   const std::vector<uint16_t> fed_back = kstr::test::capture_channel_to_unsigned(hard_left, 0);
   ASSERT_EQ(fed_back.size(), static_cast<size_t>(total));
   for (int k = 0; k < total; ++k)
      ASSERT_EQ(fed_back[static_cast<size_t>(k)], ramp(k, 0) == 0x8001 ? 0x8000 : ramp(k, 0)) << "frame " << k;
}

// Buffers shorter than a block, equal, and of odd sizes, each pulled at the
// largest size allowed; streams at other rates cover more or fewer frames.
TEST(CaptureSound, RefilledStreamsOfEveryShapeComeBackGapFree)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   for (const auto &[len, pull] : std::vector<std::pair<int, int>>{
           {100, 256}, {256, 256}, {300, 256}, {1000, 768}, {1024, 1024}, {1500, 1280}}) {
      EXPECT_EQ(first_mismatch(capture_stream(len, 0, 20000, {pull}), 0, left_ramp), -1) << len << " / " << pull;
   }
   // Buffer b holds the constant -100 (b + 1): resampling keeps constants, so
   // the captured values count up through every buffer, none skipped.
   const auto buffer_level = [](int k, int) { return static_cast<uint16_t>(0x8000 - 100 * (k / 1024 + 1)); };
   for (const auto &[freq, pull] : std::vector<std::pair<int, int>>{{22050, 2048}, {48000, 768}}) {
      int last = -1;
      for (const int16_t v : capture_stream(1024, 0, 60000, {pull}, freq, buffer_level)) {
         if (v % 100 == 0 && v != 0 && -v / 100 - 1 != last) {
            ASSERT_EQ(-v / 100 - 1, last + 1) << freq << " Hz";
            last = -v / 100 - 1;
         }
      }
      EXPECT_GE(last, 25) << freq << " Hz";
   }
}

// FNV-1a over the captured values, low byte first.
uint64_t checksum(const Frames &v)
{
   uint64_t h = 1469598103934665603ull;
   for (const int16_t x : v)
      h = (((h ^ (static_cast<uint16_t>(x) & 0xFF)) * 1099511628211ull) ^ (static_cast<uint16_t>(x) >> 8)) * 1099511628211ull;
   return h;
}

// Default volume scaling and centre pan: the scaled path must be as
// repeatable as the exact one, whatever the pull sizes.
TEST(CaptureSound, StreamComesBackTheSameOnEveryRunAndForOddPulls)
{
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const Frames first = capture_stream(2048, 128, 30000, {700});
   EXPECT_TRUE(first == capture_stream(2048, 128, 30000, {700}));
   // Also the same across processes and builds: recorded from this mixer.
   EXPECT_EQ(checksum(first), 0x2b62466cd1d3c759ull) << std::hex << checksum(first);
   const Frames blocks = capture_stream(1024, 128, 50000, {kCaptureBlockFrames});
   EXPECT_NE(first_mismatch(blocks, 0, zero), -1);
   EXPECT_TRUE(blocks == capture_stream(1024, 128, 50000, {1, 7, 255, 257, 1000, 3, 511}));
}

using SamplePtr = std::unique_ptr<SAMPLE, decltype(&destroy_sample)>;

// A mono 16-bit sample of `frames` values.
SamplePtr make_sample(int frames, const std::function<uint16_t(int)> &value)
{
   SamplePtr s(create_sample(16, FALSE, kstr::test::capture_rate(), frames), destroy_sample);
   for (int i = 0; s && i < frames; ++i)
      static_cast<uint16_t *>(s->data)[i] = value(i);
   return s;
}

TEST(CaptureSound, PlayedSampleComesBackThenSilence)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const auto wide = [](int i) { return static_cast<uint16_t>(i * 977 + 5); };
   const SamplePtr sample = make_sample(3000, wide);
   ASSERT_TRUE(sample);
   ASSERT_GE(play_sample(sample.get(), 255, 0, 1000, FALSE), 0);
   const Frames got = capture_pull(5000);
   EXPECT_EQ(first_mismatch(got, 0, [&](int k) { return k < 3000 ? capture_expected(wide(k)) : int16_t{0}; }), -1);
   EXPECT_EQ(first_mismatch(got, 1, zero), -1);
   EXPECT_EQ(first_mismatch(capture_pull(1000), 0, zero), -1);
}

// A constant full-negative sample (-32768 after the sign flip) on one voice.
TEST(CaptureSound, VolumeScalingMatchesTheDocumentedTable)
{
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const struct { int n, pan; int16_t left, right; } table[] = {
      {0, 0, -32768, 0}, {0, 128, -32638, -32768}, {1, 0, -32767, 0},
      {1, 128, -16319, -16448}, {2, 0, -16383, 0}, {2, 128, -8160, -8224},
   };
   for (const auto &row : table) {
      set_volume_per_voice(row.n);
      const SamplePtr sample = make_sample(kCaptureBlockFrames, [](int) { return uint16_t{0}; });
      EXPECT_GE(play_sample(sample.get(), 255, row.pan, 1000, FALSE), 0);
      const Frames got = capture_pull(kCaptureBlockFrames);
      capture_pull(kCaptureBlockFrames); // let the voice end before the sample goes
      EXPECT_EQ(std::pair(got[0], got[1]), std::pair(row.left, row.right)) << "n " << row.n << " pan " << row.pan;
   }
}

}
