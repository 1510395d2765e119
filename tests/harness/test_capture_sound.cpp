#include "allegro_env.h"
#include "capture_sound.h"

#include <allegro.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

using kstr::test::capture_expected;
using kstr::test::capture_pull;
using kstr::test::kCaptureBlockFrames;

using Frame = std::pair<uint16_t, uint16_t>; // unsigned left, right
using FrameSource = std::function<Frame(int)>;

// Left runs through every 16-bit value in a scrambled order, right mirrors it.
Frame ramp(int k)
{
   const auto left = static_cast<uint16_t>(k * 40503);
   return {left, static_cast<uint16_t>(0xFFFF - left)};
}

// A stereo 16-bit stream fed from a frame source, drained before every pull
// as capture_sound.h prescribes.
class FedStream {
public:
   FedStream(int len, int pan, FrameSource source)
      : len_(len), source_(std::move(source)),
        stream_(play_audio_stream(len, 16, TRUE, kstr::test::capture_rate(), 255, pan))
   {
   }
   ~FedStream()
   {
      if (stream_)
         stop_audio_stream(stream_);
   }
   FedStream(const FedStream &) = delete;
   FedStream &operator=(const FedStream &) = delete;

   bool ok() const { return stream_ != nullptr; }

   std::vector<int16_t> pull(int frames)
   {
      while (void *buf = get_audio_stream_buffer(stream_)) {
         auto *out = static_cast<uint16_t *>(buf);
         for (int i = 0; i < len_; ++i) {
            const Frame f = source_(fed_++);
            out[2 * i] = f.first;
            out[2 * i + 1] = f.second;
         }
         free_audio_stream_buffer(stream_);
      }
      return capture_pull(frames);
   }

private:
   int len_;
   int fed_ = 0;
   FrameSource source_;
   AUDIOSTREAM *stream_;
};

// Plays a fresh stream and collects `total` frames, pulling in the given
// sizes round robin. Starts on a block boundary by dropping earlier surplus.
std::vector<int16_t> capture_stream(int len, int pan, int total, const std::vector<int> &pulls,
                                    const FrameSource &source = ramp)
{
   capture_pull(kstr::test::capture_surplus_frames());
   FedStream stream(len, pan, source);
   EXPECT_TRUE(stream.ok());
   std::vector<int16_t> all;
   for (std::size_t i = 0; stream.ok() && static_cast<int>(all.size() / 2) < total; ++i) {
      const int n = std::min(pulls[i % pulls.size()], total - static_cast<int>(all.size() / 2));
      const std::vector<int16_t> got = stream.pull(n);
      EXPECT_EQ(got.size(), static_cast<std::size_t>(2 * n));
      all.insert(all.end(), got.begin(), got.end());
   }
   return all;
}

struct SampleDeleter {
   void operator()(SAMPLE *s) const { destroy_sample(s); }
};
using SamplePtr = std::unique_ptr<SAMPLE, SampleDeleter>;

SamplePtr make_sample16(bool stereo, const std::vector<uint16_t> &data)
{
   const int channels = stereo ? 2 : 1;
   SamplePtr s(create_sample(16, stereo, kstr::test::capture_rate(), static_cast<int>(data.size()) / channels));
   if (s)
      std::copy(data.begin(), data.end(), static_cast<uint16_t *>(s->data));
   return s;
}

// Index of the first frame whose channel differs from `want`, or -1.
template <typename F>
long first_mismatch(const std::vector<int16_t> &frames, int channel, F want)
{
   for (std::size_t k = 0; 2 * k + 1 < frames.size(); ++k)
      if (frames[2 * k + static_cast<std::size_t>(channel)] != want(static_cast<int>(k)))
         return static_cast<long>(k);
   return -1;
}

bool all_zero(const std::vector<int16_t> &v)
{
   return std::all_of(v.begin(), v.end(), [](int16_t x) { return x == 0; });
}

TEST(CaptureSound, InstallsAsAllegrosDriverAtTheAskedRate)
{
   ASSERT_TRUE(kstr::test::install_capture_sound(22050, 16));
   ASSERT_NE(digi_driver, nullptr);
   EXPECT_EQ(digi_driver->id, kstr::test::capture_driver_id());
   EXPECT_EQ(kstr::test::capture_driver_id(), AL_ID('C', 'A', 'P', 'T'));
   EXPECT_EQ(kstr::test::capture_rate(), 22050);
   EXPECT_GE(digi_driver->voices, 16);
   EXPECT_TRUE(kstr::test::install_capture_sound(22050, 16)) << "a second call is harmless";
}

TEST(CaptureSound, CodeThatInstallsSoundItselfGetsTheDriverAndConfiguredRate)
{
   ASSERT_TRUE(kstr::test::start_allegro("[sound]\nsound_freq = 22050\n"));
   ASSERT_TRUE(kstr::test::register_capture_sound());
   ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
   EXPECT_EQ(digi_driver->id, kstr::test::capture_driver_id());
   EXPECT_EQ(kstr::test::capture_rate(), 22050);
}

TEST(CaptureSound, DigiCardInTheConfigurationSelectsTheDriver)
{
   ASSERT_TRUE(kstr::test::start_allegro("[sound]\ndigi_card = CAPT\n"));
   ASSERT_TRUE(kstr::test::register_capture_sound(32000));
   ASSERT_EQ(install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr), 0) << allegro_error;
   EXPECT_EQ(digi_driver->id, kstr::test::capture_driver_id());
   EXPECT_EQ(kstr::test::capture_rate(), 32000);
}

TEST(CaptureSound, SilenceWhenNothingPlays)
{
   ASSERT_TRUE(kstr::test::install_capture_sound());
   EXPECT_TRUE(capture_pull(0).empty());
   for (int n : {1, 255, 256, 1000, 44100}) {
      const std::vector<int16_t> got = capture_pull(n);
      EXPECT_EQ(got.size(), static_cast<std::size_t>(2 * n));
      EXPECT_TRUE(all_zero(got)) << n << " frames";
   }
}

TEST(CaptureSound, StreamRampComesBackExactFromTheFirstFrameOnTheFullChannel)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const int total = 3 * 65536;
   const auto left_of = [](int k) { return capture_expected(ramp(k).first); };
   const auto right_of = [](int k) { return capture_expected(ramp(k).second); };
   const auto zero = [](int) { return int16_t{0}; };

   const std::vector<int16_t> hard_left = capture_stream(4096, 0, total, {kCaptureBlockFrames});
   EXPECT_EQ(first_mismatch(hard_left, 0, left_of), -1);
   EXPECT_EQ(first_mismatch(hard_left, 1, zero), -1);

   const std::vector<int16_t> hard_right = capture_stream(1024, 255, total, {1000});
   EXPECT_EQ(first_mismatch(hard_right, 1, right_of), -1);
   EXPECT_EQ(first_mismatch(hard_right, 0, zero), -1);

   // Centred, only the right share reaches the full level; the left comes
   // through scaled, never silent.
   const std::vector<int16_t> centre = capture_stream(300, 128, total, {256});
   EXPECT_EQ(first_mismatch(centre, 1, right_of), -1);
   EXPECT_NE(first_mismatch(centre, 0, left_of), -1);
   EXPECT_EQ(centre[0], -32638 * (0x8000 - static_cast<int>(ramp(0).first)) / 32768);

   const std::vector<uint16_t> fed_back = kstr::test::capture_channel_to_unsigned(hard_left, 0);
   ASSERT_EQ(fed_back.size(), static_cast<std::size_t>(total));
   for (int k = 0; k < total; ++k) {
      const uint16_t fed = ramp(k).first;
      ASSERT_EQ(fed_back[static_cast<std::size_t>(k)], fed == 0x8001 ? 0x8000 : fed) << "frame " << k;
   }
}

TEST(CaptureSound, RefilledStreamsOfEveryShapeComeBackGapFree)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const auto left_of = [](int k) { return capture_expected(ramp(k).first); };
   // len shorter than a block (several buffers per half), equal, and odd sizes,
   // each pulled at the largest size the header allows.
   for (const auto &[len, pull] : std::vector<std::pair<int, int>>{
           {100, 256}, {256, 256}, {300, 256}, {1000, 768}, {1024, 1024}, {1500, 1280}}) {
      const std::vector<int16_t> got = capture_stream(len, 0, 20000, {pull});
      EXPECT_EQ(first_mismatch(got, 0, left_of), -1) << "len " << len << ", pulls of " << pull;
   }
}

TEST(CaptureSound, StreamsAtOtherRatesKeepTheirBuffersInOrder)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   // Buffer b holds the constant -100 (b + 1); resampling keeps constants, so
   // every captured multiple of 100 names the buffer playing.
   for (const auto &[freq, pull] : std::vector<std::pair<int, int>>{{22050, 2048}, {48000, 768}}) {
      capture_pull(kstr::test::capture_surplus_frames());
      const int len = 1024;
      int fed = 0;
      AUDIOSTREAM *stream = play_audio_stream(len, 16, TRUE, freq, 255, 0);
      ASSERT_NE(stream, nullptr);
      int last = -1;
      int buffers_seen = 0;
      while (buffers_seen < 60) {
         while (void *buf = get_audio_stream_buffer(stream)) {
            auto *out = static_cast<uint16_t *>(buf);
            for (int i = 0; i < 2 * len; ++i)
               out[i] = static_cast<uint16_t>(0x8000 - 100 * (fed + 1));
            ++fed;
            free_audio_stream_buffer(stream);
         }
         const std::vector<int16_t> got = capture_pull(pull);
         for (std::size_t k = 0; k < got.size(); k += 2) {
            if (got[k] % 100 != 0 || got[k] == 0)
               continue;
            const int b = -got[k] / 100 - 1;
            ASSERT_TRUE(b == last || b == last + 1) << freq << " Hz: buffer " << b << " after " << last;
            buffers_seen += b != last;
            last = b;
         }
      }
      stop_audio_stream(stream);
   }
}

TEST(CaptureSound, OddPullSizesGiveTheSameSignalAsWholeBlocks)
{
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const int total = 50000;
   const std::vector<int16_t> blocks = capture_stream(1024, 128, total, {kCaptureBlockFrames});
   const std::vector<int16_t> odd = capture_stream(1024, 128, total, {1, 7, 255, 257, 1000, 3, 511});
   ASSERT_EQ(blocks.size(), odd.size());
   EXPECT_FALSE(all_zero(blocks));
   EXPECT_TRUE(blocks == odd);
}

// FNV-1a over the captured values.
uint64_t checksum(const std::vector<int16_t> &v)
{
   uint64_t h = 1469598103934665603ull;
   for (int16_t x : v) {
      for (int byte = 0; byte < 2; ++byte) {
         h ^= (static_cast<uint16_t>(x) >> (8 * byte)) & 0xFF;
         h *= 1099511628211ull;
      }
   }
   return h;
}

TEST(CaptureSound, StreamComesBackTheSameOnEveryRun)
{
   // Default volume scaling and centre pan: the scaled path must be as
   // repeatable as the exact one.
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const std::vector<int16_t> first = capture_stream(2048, 128, 30000, {700});
   const std::vector<int16_t> second = capture_stream(2048, 128, 30000, {700});
   EXPECT_TRUE(first == second);
   // Also the same across processes and builds: recorded from this mixer.
   EXPECT_EQ(checksum(first), 0x2b62466cd1d3c759ull) << std::hex << checksum(first);
}

TEST(CaptureSound, PlayedSampleComesBackThenSilence)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   std::vector<uint16_t> mono(3000);
   for (std::size_t i = 0; i < mono.size(); ++i)
      mono[i] = static_cast<uint16_t>(i * 977 + 5);
   const SamplePtr s = make_sample16(false, mono);
   ASSERT_TRUE(s);
   ASSERT_GE(play_sample(s.get(), 255, 0, 1000, FALSE), 0);

   const std::vector<int16_t> got = capture_pull(5000);
   const auto fed = [&](int k) {
      return k < 3000 ? capture_expected(mono[static_cast<std::size_t>(k)]) : int16_t{0};
   };
   EXPECT_EQ(first_mismatch(got, 0, fed), -1);
   EXPECT_EQ(first_mismatch(got, 1, [](int) { return int16_t{0}; }), -1);
   EXPECT_TRUE(all_zero(capture_pull(1000)));
}

TEST(CaptureSound, EightBitSampleIsWidenedThenTakesTheSamePath)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   SamplePtr s(create_sample(8, FALSE, kstr::test::capture_rate(), 256));
   ASSERT_TRUE(s);
   auto *data = static_cast<uint8_t *>(s->data);
   for (int v = 0; v < 256; ++v)
      data[v] = static_cast<uint8_t>(v);
   ASSERT_GE(play_sample(s.get(), 255, 255, 1000, FALSE), 0);
   const std::vector<int16_t> got = capture_pull(256);
   EXPECT_EQ(first_mismatch(got, 1, [](int v) { return capture_expected(static_cast<uint16_t>(v << 8)); }), -1);
}

// A constant full-negative sample (-32768 after the sign flip) on one voice.
int16_t level(int volume_per_voice, int pan, bool right)
{
   set_volume_per_voice(volume_per_voice);
   const SamplePtr s = make_sample16(false, std::vector<uint16_t>(kCaptureBlockFrames, 0));
   EXPECT_GE(play_sample(s.get(), 255, pan, 1000, FALSE), 0);
   const std::vector<int16_t> got = capture_pull(kCaptureBlockFrames);
   capture_pull(kCaptureBlockFrames); // let the voice end before `s` goes
   return got[right ? 1 : 0];
}

TEST(CaptureSound, VolumeScalingMatchesTheDocumentedTable)
{
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const struct {
      int n, pan;
      int16_t left, right;
   } table[] = {
      {0, 0, -32768, 0}, {0, 128, -32638, -32768},
      {1, 0, -32767, 0}, {1, 128, -16319, -16448},
      {2, 0, -16383, 0}, {2, 128, -8160, -8224},
   };
   for (const auto &row : table) {
      EXPECT_EQ(level(row.n, row.pan, false), row.left) << "n " << row.n << " pan " << row.pan;
      EXPECT_EQ(level(row.n, row.pan, true), row.right) << "n " << row.n << " pan " << row.pan;
   }
}

TEST(CaptureSound, VoicesAddThenClip)
{
   set_volume_per_voice(0);
   ASSERT_TRUE(kstr::test::install_capture_sound());
   const auto both = [](uint16_t value) {
      const SamplePtr a = make_sample16(false, std::vector<uint16_t>(kCaptureBlockFrames, value));
      const SamplePtr b = make_sample16(false, std::vector<uint16_t>(kCaptureBlockFrames, value));
      play_sample(a.get(), 255, 0, 1000, FALSE);
      play_sample(b.get(), 255, 0, 1000, FALSE);
      const int16_t left = capture_pull(kCaptureBlockFrames)[0];
      capture_pull(kCaptureBlockFrames);
      return left;
   };
   EXPECT_EQ(both(0x8000 - 10000), -20000);
   EXPECT_EQ(both(0x8000 - 20000), -32768);
   EXPECT_EQ(both(0x8000 + 20000), 32767);
}

}
