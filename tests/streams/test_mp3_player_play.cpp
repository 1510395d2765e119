// Playback through the capture sound driver: what the poll hands to Allegro's
// mixer, buffer by buffer, up to the end drain, looping, damage and seeks.
#include "mp3_player_helpers.h"

#include "capture_sound.h"

#include <gtest/gtest.h>

namespace mp3 = kstr::test::mp3;
using kstr::test::capture_pull;

namespace {

struct Playback {
   std::vector<int> results;   // of every poll that handed a buffer over
   std::vector<int16_t> right; // right channel as captured
   int idle_polls = 0;         // polls after the stream stopped
};

// set_volume_per_voice(0) and pan 128 make the right channel exact.
bool start_sound(int freq = 44100)
{
   set_volume_per_voice(0);
   return kstr::test::install_capture_sound(freq);
}

// Polls until the stream takes no more buffers.
void drain(MP3_PLAYER *p, Playback &run)
{
   for (;;) {
      AUDIOSTREAM *stream = mp3_player_audio_stream(p);
      if (!stream) {
         EXPECT_EQ(mp3_player_poll(p), -1);
         ++run.idle_polls;
         return;
      }
      const int bufnum = stream->bufnum;
      const int r = mp3_player_poll(p);
      // Results 1 and -2 stop (and free) the stream after a last buffer.
      if (r == 0 && stream->bufnum == bufnum)
         return;
      run.results.push_back(r);
      if (r != 0)
         return;
   }
}

// Rounds of draining and pulling one mixer block.
void play_rounds(MP3_PLAYER *p, Playback &run, int rounds)
{
   for (int i = 0; i < rounds; ++i) {
      drain(p, run);
      const std::vector<int16_t> frames = capture_pull(kstr::test::kCaptureBlockFrames);
      for (size_t f = 1; f < frames.size(); f += 2)
         run.right.push_back(frames[f]);
   }
}

// What an exact channel carries for decoded samples of one channel.
std::vector<int16_t> expected_channel(const std::vector<int16_t> &pcm, int channels, int channel)
{
   std::vector<int16_t> out;
   for (size_t i = static_cast<size_t>(channel); i < pcm.size(); i += static_cast<size_t>(channels))
      out.push_back(kstr::test::capture_expected(static_cast<uint16_t>(pcm[i] ^ 0x8000)));
   return out;
}

std::vector<int16_t> slice(const std::vector<int16_t> &v, size_t from, size_t to)
{
   to = std::min(to, v.size());
   from = std::min(from, to);
   return std::vector<int16_t>(v.begin() + static_cast<long>(from), v.begin() + static_cast<long>(to));
}

}

TEST(Mp3PlayerPlay, BufferOfOneFrame)
{
   ASSERT_TRUE(start_sound());
   auto player = mp3::create(mp3::load("cbr_44k_stereo_notag.mp3"));
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   EXPECT_EQ(mp3_player_play(p, 4607, 255, 128), -1);
   EXPECT_EQ(mp3_player_is_playing(p), 0);
   EXPECT_EQ(mp3_player_play(p, 0, 255, 128), -1);
   EXPECT_EQ(mp3_player_play(p, -4608, 255, 128), -1);
   ASSERT_EQ(mp3_player_play(p, 4608, 255, 128), 0);
   EXPECT_EQ(mp3_player_is_playing(p), -1);
   ASSERT_TRUE(mp3_player_audio_stream(p));
   EXPECT_EQ(mp3_player_audio_stream(p)->len, 1152);
   int length = 0;
   EXPECT_EQ(mp3_player_output_buffer(p, &length), mp3_player_audio_stream(p)->samp->data);
   EXPECT_EQ(length, 4608);
   EXPECT_EQ(mp3_player_play(p, 32768, 255, 128), 0) << "already playing";
   EXPECT_EQ(mp3_player_audio_stream(p)->len, 1152);
   // The program's default, 32 KiB: seven frames a buffer.
   mp3_player_stop(p);
   ASSERT_EQ(mp3_player_play(p, 32768, 255, 128), 0);
   EXPECT_EQ(mp3_player_audio_stream(p)->len, 8064);
}

// The whole file reaches the mixer unchanged, then exactly two silent
// buffers; the second stops the stream with result 1, and later polls give -1.
TEST(Mp3PlayerPlay, WholeFileThenTwoSilentBuffers)
{
   ASSERT_TRUE(start_sound());
   const char *name = "cbr_44k_stereo.mp3";
   const auto expected = expected_channel(mp3::load_reference(name), 2, 1);
   const size_t frames = expected.size() / 1152;
   for (int frames_per_buffer : {1, 7}) {
      SCOPED_TRACE(frames_per_buffer);
      const mp3::Bytes file = mp3::load(name);
      auto player = mp3::create(file);
      ASSERT_TRUE(player);
      ASSERT_EQ(mp3_player_play(player.get(), 4608 * frames_per_buffer, 255, 128), 0);
      const size_t data_buffers = (frames + static_cast<size_t>(frames_per_buffer) - 1) / frames_per_buffer;
      Playback run;
      int draining_pos = -1;
      while (run.idle_polls < 3) {
         play_rounds(player.get(), run, 1);
         if (mp3_player_is_playing(player.get()) && run.results.size() > data_buffers)
            draining_pos = mp3_player_pos_secs(player.get());
      }
      ASSERT_EQ(run.results.size(), data_buffers + 2);
      EXPECT_EQ(run.results.back(), 1);
      EXPECT_EQ(std::count(run.results.begin(), run.results.end(), 0), static_cast<long>(data_buffers + 1));
      EXPECT_EQ(draining_pos, 0);
      EXPECT_EQ(mp3_player_pos_frames(player.get()), 0);
      // The stream stops as soon as its last buffer is handed over, so less
      // than the two silent buffers may be heard; all of the file is.
      ASSERT_GE(run.right.size(), expected.size());
      EXPECT_EQ(slice(run.right, 0, expected.size()), expected);
      const auto after = slice(run.right, expected.size(), run.right.size());
      EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int16_t s) { return s == 0; }));
   }
}

// Looping plays the file again and again without a sample inserted or lost.
TEST(Mp3PlayerPlay, LoopingWithoutGap)
{
   ASSERT_TRUE(start_sound());
   const char *name = "cbr_44k_stereo_notag.mp3";
   const auto expected = expected_channel(mp3::load_reference(name), 2, 1);
   for (int frames_per_buffer : {1, 7}) {
      SCOPED_TRACE(frames_per_buffer);
      auto player = mp3::create(mp3::load(name));
      ASSERT_TRUE(player);
      ASSERT_EQ(mp3_player_play_ex(player.get(), 4608 * frames_per_buffer, 255, 128, 1000, -1), 0);
      EXPECT_EQ(mp3_player_is_looping(player.get()), -1);
      Playback run;
      bool wrapped = false;
      int last_pos = 0;
      while (run.right.size() < 3 * expected.size() + 1000) {
         play_rounds(player.get(), run, 1);
         wrapped |= mp3_player_pos_frames(player.get()) < last_pos;
         last_pos = mp3_player_pos_frames(player.get());
      }
      EXPECT_TRUE(wrapped);
      EXPECT_TRUE(std::all_of(run.results.begin(), run.results.end(), [](int r) { return r == 0; }));
      EXPECT_EQ(slice(run.right, 0, expected.size()), expected);
      // Each pass after the first: the first two frames overlap the end of
      // the pass before, the rest is the file again, sample for sample.
      for (size_t pass = 1; pass < 3; ++pass) {
         const size_t start = pass * expected.size();
         EXPECT_EQ(slice(run.right, start + 2304, start + expected.size()), slice(expected, 2304, expected.size()))
            << "pass " << pass;
      }
   }
}

// Garbage between frames is skipped while playing; more than 16384 bytes of
// it stops the song with -2 and rewinds.
TEST(Mp3PlayerPlay, GarbageWhilePlaying)
{
   ASSERT_TRUE(start_sound());
   const char *name = "layer2_44k_stereo.mp2";
   const mp3::Bytes file = mp3::load(name);
   const auto expected = expected_channel(mp3::load_reference(name), 2, 1);
   const size_t frames = expected.size() / 1152;

   auto player = mp3::create(mp3::insert_before_frame(file, 20, mp3::garbage(5000)));
   ASSERT_TRUE(player);
   ASSERT_EQ(mp3_player_play(player.get(), 4608 * 3, 255, 128), 0);
   Playback run;
   while (run.idle_polls == 0)
      play_rounds(player.get(), run, 1);
   EXPECT_EQ(std::count(run.results.begin(), run.results.end(), -2), 0);
   EXPECT_EQ(run.results.back(), 1);
   EXPECT_EQ(slice(run.right, 0, 20 * 1152), slice(expected, 0, 20 * 1152));
   // Behind the garbage the file goes on, at most one frame lost, the first
   // one after the decoder's reset still settling its filter bank.
   const size_t f = 1152;
   const auto tail = slice(expected, 22 * f, frames * f);
   const bool none_lost = slice(run.right, 22 * f, frames * f) == tail;
   const bool one_lost = slice(run.right, 21 * f, (frames - 1) * f) == tail;
   EXPECT_TRUE(none_lost || one_lost);
   const auto after = slice(run.right, (frames - (none_lost ? 0 : 1)) * f, run.right.size());
   EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int16_t s) { return s == 0; }));

   player = mp3::create(mp3::insert_before_frame(file, 20, mp3::garbage(17000)));
   ASSERT_TRUE(player);
   ASSERT_EQ(mp3_player_play(player.get(), 4608 * 3, 255, 128), 0);
   Playback broken;
   while (broken.idle_polls == 0)
      play_rounds(player.get(), broken, 1);
   EXPECT_EQ(broken.results.back(), -2);
   EXPECT_EQ(std::count(broken.results.begin(), broken.results.end(), 1), 0);
   EXPECT_EQ(mp3_player_is_playing(player.get()), 0);
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 0);
   EXPECT_EQ(mp3_player_pos_bytes(player.get()), 0);
   // The buffers still queued when the stream stopped are not heard.
   EXPECT_EQ(slice(broken.right, 0, 15 * 1152), slice(expected, 0, 15 * 1152));
}

// A seek before play starts the sound at that frame.
TEST(Mp3PlayerPlay, SeekThenPlay)
{
   ASSERT_TRUE(start_sound(48000));
   const char *name = "layer2_48k_mono.mp2"; // 288-byte frames, no padding
   const auto expected = expected_channel(mp3::load_reference(name), 1, 0);
   auto player = mp3::create(mp3::load(name));
   ASSERT_TRUE(player);
   mp3_player_seek_frame(player.get(), 10);
   ASSERT_EQ(mp3_player_play(player.get(), 2304 * 4, 255, 128), 0);
   Playback run;
   play_rounds(player.get(), run, 40);
   // The first frame after the decoder's reset settles its filter bank.
   EXPECT_EQ(slice(run.right, 1152, 8 * 1152), slice(expected, 11 * 1152, 18 * 1152));
   EXPECT_GT(mp3_player_pos_frames(player.get()), 10);
}

// Stop and play are pause and resume: the sound goes on with the next frame.
TEST(Mp3PlayerPlay, StopAndPlayResume)
{
   ASSERT_TRUE(start_sound());
   const char *name = "cbr_44k_stereo_notag.mp3";
   const auto expected = expected_channel(mp3::load_reference(name), 2, 1);
   auto player = mp3::create(mp3::load(name));
   ASSERT_TRUE(player);
   ASSERT_EQ(mp3_player_play(player.get(), 4608, 255, 128), 0);
   Playback first;
   play_rounds(player.get(), first, 20);
   mp3_player_stop(player.get());
   EXPECT_EQ(mp3_player_is_playing(player.get()), 0);
   EXPECT_EQ(mp3_player_audio_stream(player.get()), nullptr);
   EXPECT_EQ(mp3_player_poll(player.get()), -1);
   const int stopped_at = mp3_player_pos_frames(player.get());
   EXPECT_GT(stopped_at, 3);
   kstr::test::capture_pull(kstr::test::kCaptureBlockFrames);

   ASSERT_EQ(mp3_player_play(player.get(), 4608, 255, 128), 0);
   EXPECT_EQ(mp3_player_pos_frames(player.get()), stopped_at);
   Playback resumed;
   play_rounds(player.get(), resumed, 20);
   const size_t at = static_cast<size_t>(stopped_at) * 1152;
   EXPECT_EQ(slice(resumed.right, 0, 4 * 1152), slice(expected, at, at + 4 * 1152));
}

// A timer polls the player by itself while the flag is set.
TEST(Mp3PlayerPlay, Autopoll)
{
   ASSERT_TRUE(start_sound());
   auto player = mp3::create(mp3::load("cbr_44k_stereo_notag.mp3"));
   ASSERT_TRUE(player);
   mp3_player_start_autopoll(player.get(), 5);
   ASSERT_EQ(mp3_player_play(player.get(), 4608, 255, 128), 0);
   rest(200);
   // Both halves of the new stream were free: the timer filled them.
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 2);
   mp3_player_stop(player.get());
   mp3_player_stop_autopoll(player.get());
   ASSERT_EQ(mp3_player_play(player.get(), 4608, 255, 128), 0);
   rest(100);
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 2) << "no timer after stop_autopoll";
   mp3_player_start_autopoll(player.get(), 5);
   rest(200);
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 4);
   // Destroying a player whose timer runs removes the timer first.
}

TEST(Mp3PlayerPlay, AdjustAndLoopOnlyWhilePlaying)
{
   ASSERT_TRUE(start_sound());
   auto player = mp3::create(mp3::load("cbr_44k_stereo_notag.mp3"));
   ASSERT_TRUE(player);
   MP3_PLAYER *p = player.get();
   mp3_player_set_loop(p, -1);
   mp3_player_adjust(p, 100, 0, 2000, -1);
   EXPECT_EQ(mp3_player_is_looping(p), 0);
   ASSERT_EQ(mp3_player_play_ex(p, 4608, 255, 128, 500, 0), 0);
   EXPECT_EQ(voice_get_frequency(mp3_player_audio_stream(p)->voice), 22050);
   EXPECT_EQ(mp3_player_is_looping(p), 0);
   mp3_player_set_loop(p, -1);
   EXPECT_EQ(mp3_player_is_looping(p), -1);
   mp3_player_adjust(p, 100, 30, 2000, 0);
   EXPECT_EQ(mp3_player_is_looping(p), 0);
   EXPECT_EQ(voice_get_frequency(mp3_player_audio_stream(p)->voice), 88200);
   EXPECT_EQ(voice_get_volume(mp3_player_audio_stream(p)->voice), 100);
   EXPECT_EQ(voice_get_pan(mp3_player_audio_stream(p)->voice), 30);
}

// make_sample stops a playing player and leaves it at the start.
TEST(Mp3PlayerPlay, MakeSampleStopsPlaying)
{
   ASSERT_TRUE(start_sound());
   const char *name = "cbr_44k_stereo.mp3";
   auto player = mp3::create(mp3::load(name));
   ASSERT_TRUE(player);
   ASSERT_EQ(mp3_player_play(player.get(), 4608, 255, 128), 0);
   Playback run;
   play_rounds(player.get(), run, 10);
   mp3::Sample sample(mp3_player_make_sample(player.get()));
   ASSERT_TRUE(sample);
   EXPECT_EQ(mp3_player_is_playing(player.get()), 0);
   EXPECT_EQ(mp3_player_pos_frames(player.get()), 0);
   EXPECT_EQ(mp3::signed_pcm(sample.get()), mp3::load_reference(name));
}

// Frames larger than the first never write past a stream buffer: they are
// cut to the first frame's share (the sanitised build watches the writes).
TEST(Mp3PlayerPlay, LargerFramesStayInsideTheBuffer)
{
   ASSERT_TRUE(start_sound(22050));
   mp3::Bytes block = mp3::load("mpeg2_22k_stereo.mp3");
   const mp3::Bytes second = mp3::load("cbr_44k_stereo_notag.mp3");
   block.insert(block.end(), second.begin(), second.end());
   const size_t n1 = mp3::walk_frames(mp3::load("mpeg2_22k_stereo.mp3")).size();
   const size_t n2 = mp3::walk_frames(second).size();
   auto player = mp3::create(block);
   ASSERT_TRUE(player);
   ASSERT_EQ(mp3_player_play(player.get(), 2304 * 3, 255, 128), 0);
   Playback run;
   while (run.idle_polls == 0)
      play_rounds(player.get(), run, 1);
   const size_t buffers = (n1 + n2 + 2) / 3;
   EXPECT_EQ(run.results.size(), buffers + 2);
   EXPECT_EQ(run.results.back(), 1);
}
