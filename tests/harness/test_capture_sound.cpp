#include "allegro_env.h"
#include "capture_sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

namespace {

using namespace kstr::test;
using Frames = std::vector<int16_t>;

// Left runs through every 16-bit value in a scrambled order, right mirrors it.
uint16_t ramp(int k, int channel)
{
   const auto left = static_cast<uint16_t>(k * 40503);
   return channel == 0 ? left : static_cast<uint16_t>(0xFFFF - left);
}

// Plays a fresh stereo 16-bit stream at pan 0 of `value(k, channel)` frames
// and collects `total` frames, pulling in the given sizes round robin and
// draining the stream before every pull. Starts on a block boundary.
Frames capture_stream(int len, int total, const std::vector<int> &pulls, int freq = 44100,
                      uint16_t (*value)(int, int) = ramp)
{
   capture_pull(capture_surplus_frames());
   AUDIOSTREAM *stream = play_audio_stream(len, 16, TRUE, freq, 255, 0);
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

const auto zero = [](int) { return int16_t{0}; };

// Installed at the asked rate it is silent; code that installs sound itself
// finds the driver first among the autodetected ones, or by "digi_card", at
// the configured rate.
TEST(CaptureSound, InstallsSilentAtTheAskedOrTheConfiguredRate)
{
   ASSERT_TRUE(install_capture_sound(22050, 16));
   EXPECT_EQ(digi_driver->id, AL_ID('C', 'A', 'P', 'T'));
   EXPECT_GE(digi_driver->voices, 16);
   EXPECT_TRUE(install_capture_sound(22050, 16)) << "a second call is harmless";
   EXPECT_EQ(capture_rate(), 22050);
   for (int n : {0, 1, 255, 257, 44100})
      EXPECT_EQ(capture_pull(n), Frames(static_cast<size_t>(2 * n), 0)) << n << " frames";
   remove_sound();
   for (const char *config : {"[sound]\nsound_freq = 32000\n", "[sound]\ndigi_card = CAPT\nsound_freq = 22050\n"}) {
      ASSERT_TRUE(start_allegro(config));
      ASSERT_TRUE(register_capture_sound());
      ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
      EXPECT_EQ(digi_driver->id, capture_driver_id());
      EXPECT_EQ(capture_rate(), get_config_int("sound", "sound_freq", 0));
      remove_sound();
   }
}

// On the exact channel every 16-bit value comes back from the first frame on,
// the other channel silent: buffers shorter than a block, equal and odd, pulled
// at the largest size allowed or in odd sizes that leave a surplus. Streams at
// other rates cover more or fewer frames: buffer b holds the constant -100 (b + 1),
// which resampling keeps, so the captured values count up through every buffer.
TEST(CaptureSound, StreamsComeBackExactAndGapFree)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(install_capture_sound());
   for (const auto &[len, total, pulls] :
        std::vector<std::tuple<int, int, std::vector<int>>>{{4096, 3 * 65536, {kCaptureBlockFrames}},
                                                            {100, 20000, {256}},
                                                            {256, 20000, {256}},
                                                            {300, 20000, {256}},
                                                            {1000, 20000, {768}},
                                                            {1024, 20000, {1024}},
                                                            {1500, 20000, {1280}},
                                                            {1024, 50000, {1, 7, 255, 257, 1000, 3, 511}}}) {
      const Frames got = capture_stream(len, total, pulls);
      EXPECT_EQ(first_mismatch(got, 0, [](int k) { return capture_expected(ramp(k, 0)); }), -1)
         << len << " / " << pulls[0];
      EXPECT_EQ(first_mismatch(got, 1, zero), -1) << len << " / " << pulls[0];
   }
   const auto buffer_level = [](int k, int) { return static_cast<uint16_t>(0x8000 - 100 * (k / 1024 + 1)); };
   for (const auto &[freq, pull] : {std::pair{22050, 2048}, {48000, 768}}) {
      int last = -1;
      for (const int16_t v : capture_stream(1024, 60000, {pull}, freq, buffer_level)) {
         if (v % 100 == 0 && v != 0 && -v / 100 - 1 != last) {
            ASSERT_EQ(-v / 100 - 1, last + 1) << freq << " Hz";
            last = -v / 100 - 1;
         }
      }
      EXPECT_GE(last, 25) << freq << " Hz";
   }
}

// A played sample comes back exactly, then silence. A constant full-negative
// one (-32768 after the sign flip) comes out scaled as capture_sound.h tabulates.
TEST(CaptureSound, SamplesComeBackExactOrScaledByTheTable)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(install_capture_sound());
   const auto make_sample = [](int frames, uint16_t (*value)(int)) {
      std::unique_ptr<SAMPLE, decltype(&destroy_sample)> s(create_sample(16, FALSE, 44100, frames), destroy_sample);
      for (int i = 0; s && i < frames; ++i)
         static_cast<uint16_t *>(s->data)[i] = value(i);
      return s;
   };
   const auto wide = [](int i) { return static_cast<uint16_t>(i * 977 + 5); };
   const auto sample = make_sample(3000, wide);
   ASSERT_GE(play_sample(sample.get(), 255, 0, 1000, FALSE), 0);
   const Frames got = capture_pull(5000);
   EXPECT_EQ(first_mismatch(got, 0, [&](int k) { return k < 3000 ? capture_expected(wide(k)) : int16_t{0}; }), -1);
   EXPECT_EQ(first_mismatch(got, 1, zero), -1);
   capture_pull(capture_surplus_frames());  // new voices start on a block boundary
   const struct {
      int n, pan;
      int16_t left, right;
   } table[] = {
      {0, 0, -32768, 0},        {0, 128, -32638, -32768}, {1, 0, -32767, 0},
      {1, 128, -16319, -16448}, {2, 0, -16383, 0},        {2, 128, -8160, -8224},
   };
   for (const auto &row : table) {
      set_volume_per_voice(row.n);
      const auto constant = make_sample(kCaptureBlockFrames, [](int) { return uint16_t{0}; });
      EXPECT_GE(play_sample(constant.get(), 255, row.pan, 1000, FALSE), 0);
      const Frames block = capture_pull(kCaptureBlockFrames);
      capture_pull(kCaptureBlockFrames);  // let the voice end before the sample goes
      EXPECT_EQ(std::pair(block[0], block[1]), std::pair(row.left, row.right)) << "n " << row.n << " pan " << row.pan;
   }
}

}
