// mp3_player_make_sample against other decoders, and its handling of damaged
// and mixed files.
#include "mp3_player_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace mp3 = kstr::test::mp3;

namespace {

mp3::Sample make_sample(const mp3::Bytes &block)
{
   auto player = mp3::create(block);
   EXPECT_TRUE(player);
   return player ? mp3::Sample(mp3_player_make_sample(player.get())) : nullptr;
}

std::vector<int16_t> load_sox(const std::string &name)
{
   const mp3::Bytes raw = mp3::load(name.substr(0, name.rfind('.')) + ".sox.raw");
   std::vector<int16_t> samples(raw.size() / 2);
   for (size_t i = 0; i < samples.size(); ++i)
      samples[i] = static_cast<int16_t>(raw[2 * i] | raw[2 * i + 1] << 8);
   return samples;
}

struct Alignment {
   long lag = 0; // sample frames the other decode is ahead by
   double snr_db = 0;
};

// Finds the lag that best lines `other` up with `ours` (interleaved, `channels`
// wide) and the signal-to-noise ratio of the overlap at that lag.
Alignment align(const std::vector<int16_t> &ours, const std::vector<int16_t> &other, int channels)
{
   Alignment best;
   const long frames = static_cast<long>(ours.size()) / channels;
   const long other_frames = static_cast<long>(other.size()) / channels;
   // Noise and signal of frames [from, to) at one lag.
   auto compare = [&](long lag, long from, long to, double &signal, double &noise) {
      signal = noise = 0;
      for (long f = std::max(from, lag); f < std::min(to, other_frames + lag); ++f) {
         for (int c = 0; c < channels; ++c) {
            const double a = ours[static_cast<size_t>(f * channels + c)];
            const double d = a - other[static_cast<size_t>((f - lag) * channels + c)];
            signal += a * a;
            noise += d * d;
         }
      }
   };
   double best_noise = INFINITY, signal = 0, noise = 0;
   for (long lag = -2400; lag <= 2400; ++lag) {
      compare(lag, 6000, 9000, signal, noise);
      if (noise < best_noise) {
         best_noise = noise;
         best.lag = lag;
      }
   }
   compare(best.lag, 0, frames, signal, noise);
   best.snr_db = 10 * std::log10(signal / std::max(noise, 1.0));
   return best;
}

}

// The whole decode equals the mpg123 program's raw output sample for sample,
// LAME's uncounted Xing frame and both tag kinds included.
TEST(Mp3PlayerSample, EqualsReferenceDecode)
{
   struct Case {
      const char *name;
      int freq, stereo;
   };
   for (const Case &c : {Case{"cbr_44k_stereo.mp3", 44100, -1}, Case{"cbr_44k_stereo_notag.mp3", 44100, -1},
                         Case{"vbr_44k_stereo.mp3", 44100, -1}, Case{"cbr_44k_mono.mp3", 44100, 0},
                         Case{"mpeg2_22k_stereo.mp3", 22050, -1}, Case{"mpeg2_22k_stereo_vbr.mp3", 22050, -1},
                         Case{"mpeg25_11k_mono.mp3", 11025, 0}, Case{"layer2_44k_stereo.mp2", 44100, -1},
                         Case{"layer2_48k_mono.mp2", 48000, 0}, Case{"id3v1_44k_stereo.mp3", 44100, -1},
                         Case{"id3v2_44k_stereo.mp3", 44100, -1}}) {
      SCOPED_TRACE(c.name);
      mp3::Sample sample = make_sample(mp3::load(c.name));
      ASSERT_TRUE(sample);
      EXPECT_EQ(sample->bits, 16);
      EXPECT_EQ(sample->stereo ? -1 : 0, c.stereo);
      EXPECT_EQ(static_cast<int>(sample->freq), c.freq);
      EXPECT_EQ(mp3::signed_pcm(sample.get()), mp3::load_reference(c.name));
   }
}

// A decoder of its own kind (libmad, through sox) hears the same signal.
// Measured: lag 0 throughout (sox leaves out the last frame, or trims the
// end of a file with LAME's tag), 106-110 dB over the whole overlap.
TEST(Mp3PlayerSample, AgreesWithASecondDecoder)
{
   struct Case {
      const char *name;
      int channels;
      long lag;
      double min_snr_db;
   };
   for (const Case &c : {Case{"cbr_44k_stereo_notag.mp3", 2, 0, 100}, Case{"vbr_44k_stereo.mp3", 2, 0, 100},
                         Case{"layer2_44k_stereo.mp2", 2, 0, 100}, Case{"mpeg2_22k_stereo.mp3", 2, 0, 100}}) {
      SCOPED_TRACE(c.name);
      mp3::Sample sample = make_sample(mp3::load(c.name));
      ASSERT_TRUE(sample);
      const Alignment a = align(mp3::signed_pcm(sample.get()), load_sox(c.name), c.channels);
      EXPECT_EQ(a.lag, c.lag);
      EXPECT_GT(a.snr_db, c.min_snr_db);
      std::printf("%s: lag %ld, SNR %.1f dB\n", c.name, a.lag, a.snr_db);
   }
}

TEST(Mp3PlayerSample, HoldsTheXingFrameLameDoesNotCount)
{
   const mp3::Bytes file = mp3::load("vbr_44k_stereo.mp3");
   auto player = mp3::create(file);
   ASSERT_TRUE(player);
   const auto walk = mp3::walk_frames(file);
   EXPECT_EQ(mp3_player_length_frames(player.get()) + 1, static_cast<int>(walk.size()));
   mp3::Sample sample(mp3_player_make_sample(player.get()));
   ASSERT_TRUE(sample);
   EXPECT_EQ(sample->len, walk.size() * 1152);
   const auto pcm = mp3::signed_pcm(sample.get());
   EXPECT_TRUE(std::all_of(pcm.begin(), pcm.begin() + 2304, [](int16_t s) { return s == 0; })) << "the Xing frame";
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 0);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), 0);
}

// A change of rate, layer or channels inside the file: frames larger than the
// first are cut to its PCM length, smaller ones kept whole.
TEST(Mp3PlayerSample, LargerFramesAreCutToTheFirstFramesLength)
{
   struct Case {
      const char *first, *second;
      size_t first_frame_samples, second_frame_samples, kept_samples;
   };
   for (const Case &c : {Case{"mpeg2_22k_stereo.mp3", "cbr_44k_stereo_notag.mp3", 1152, 2304, 1152},
                         Case{"cbr_44k_mono.mp3", "layer2_44k_stereo.mp2", 1152, 2304, 1152},
                         Case{"cbr_44k_stereo_notag.mp3", "mpeg2_22k_stereo.mp3", 2304, 1152, 1152}}) {
      SCOPED_TRACE(c.second);
      mp3::Bytes block = mp3::load(c.first);
      const mp3::Bytes second = mp3::load(c.second);
      block.insert(block.end(), second.begin(), second.end());
      const size_t n1 = mp3::walk_frames(mp3::load(c.first)).size(), n2 = mp3::walk_frames(second).size();

      mp3::Sample sample = make_sample(block);
      ASSERT_TRUE(sample);
      const auto pcm = mp3::signed_pcm(sample.get());
      ASSERT_EQ(pcm.size(), n1 * c.first_frame_samples + n2 * c.kept_samples);
      EXPECT_EQ(mp3::frame_range(pcm, c.first_frame_samples, 0, n1), mp3::load_reference(c.first));
      // The second file's frames, each cut to what fits; the first two after
      // the change still carry the filter state of the first file.
      const auto reference = mp3::load_reference(c.second);
      for (size_t f = 2; f < n2; ++f) {
         const auto begin = reference.begin() + static_cast<long>(f * c.second_frame_samples);
         const std::vector<int16_t> expected(begin, begin + static_cast<long>(c.kept_samples));
         const size_t at = n1 * c.first_frame_samples + f * c.kept_samples;
         ASSERT_EQ(std::vector<int16_t>(pcm.begin() + static_cast<long>(at),
                                        pcm.begin() + static_cast<long>(at + c.kept_samples)),
                   expected)
            << "frame " << f;
      }
   }
}

// Garbage between frames is skipped byte by byte; more than 16384 bytes of
// it is a failure that leaves the player rewound.
TEST(Mp3PlayerSample, GarbageInTheMiddle)
{
   const mp3::Bytes file = mp3::load("layer2_44k_stereo.mp2");
   const auto reference = mp3::load_reference("layer2_44k_stereo.mp2");
   const size_t n = mp3::walk_frames(file).size(), frame = 2304;
   for (size_t amount : {size_t{1}, size_t{3000}, size_t{16000}}) {
      SCOPED_TRACE(amount);
      mp3::Sample sample = make_sample(mp3::insert_before_frame(file, 20, mp3::garbage(amount)));
      ASSERT_TRUE(sample);
      const auto pcm = mp3::signed_pcm(sample.get());
      // The search starts behind the input already fed to the decoder, which
      // may hold the first frame after the garbage: that one can be lost.
      const size_t frames = pcm.size() / frame;
      ASSERT_TRUE(frames == n || frames == n - 1) << frames;
      EXPECT_EQ(mp3::frame_range(pcm, frame, 0, 20), mp3::frame_range(reference, frame, 0, 20));
      // After the decoder's reset its filter bank starts empty: from the
      // second frame on the decode is the reference's again.
      const size_t lost = n - frames;
      EXPECT_EQ(mp3::frame_range(pcm, frame, 22 - lost, frames), mp3::frame_range(reference, frame, 22, n));
   }

   auto player = mp3::create(mp3::insert_before_frame(file, 20, mp3::garbage(17000)));
   ASSERT_TRUE(player);
   mp3_player_seek_frame(player.get(), 10);
   EXPECT_FALSE(mp3_player_make_sample(player.get()));
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 0);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), 0);
}

// The last byte missing (as when the whole file is not read): every whole
// frame is kept, the cut one is not decoded.
TEST(Mp3PlayerSample, CutLastFrame)
{
   for (const char *name : {"cbr_44k_stereo_notag.mp3", "vbr_44k_stereo.mp3"}) {
      SCOPED_TRACE(name);
      mp3::Bytes file = mp3::load(name);
      file.pop_back();
      const auto reference = mp3::load_reference(name);
      mp3::Sample sample = make_sample(file);
      ASSERT_TRUE(sample);
      const auto pcm = mp3::signed_pcm(sample.get());
      ASSERT_EQ(pcm.size(), reference.size() - 2304);
      EXPECT_TRUE(std::equal(pcm.begin(), pcm.end(), reference.begin()));
   }
}

// A Xing frame count far below or above the truth changes the length the
// player reports, never the sample: it holds every frame, and no more.
TEST(Mp3PlayerSample, LyingFrameCount)
{
   const char *name = "vbr_44k_stereo.mp3";
   const auto reference = mp3::load_reference(name);
   for (uint32_t count : {0u, 3u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
      SCOPED_TRACE(count);
      mp3::Bytes file = mp3::load(name);
      ASSERT_EQ(std::memcmp(file.data() + 36, "Xing", 4), 0);
      for (int i = 0; i < 4; ++i)
         file[static_cast<size_t>(44 + i)] = static_cast<uint8_t>(count >> (24 - 8 * i));
      auto player = mp3::create(file);
      ASSERT_TRUE(player);
      EXPECT_EQ(mp3_player_length_frames(player.get()), static_cast<int>(count));
      mp3::Sample sample(mp3_player_make_sample(player.get()));
      ASSERT_TRUE(sample);
      EXPECT_EQ(mp3::signed_pcm(sample.get()), reference);
      EXPECT_EQ(sample->loop_end, sample->len);
   }
}
