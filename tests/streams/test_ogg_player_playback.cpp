// Ogg players playing through Allegro's mixer into the capture sound driver:
// buffer sizes, the exact PCM that reaches Allegro, the end drain, looping,
// failures, pause and resume, speed and autopoll.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <string>
#include <vector>

#include "capture_sound.h"
#include "ogg_stream_driver.h"
#include "ogg_test_support.h"

namespace kstr::test {
namespace {

class OggPlayback : public testing::Test {
protected:
   void SetUp() override
   {
      ASSERT_TRUE(install_capture_sound(44100));
      set_volume_per_voice(0);  // unscaled voices (see capture_sound.h)
   }
};

// Pan 0 brings the left channel out exactly, pan 255 the right one.
int exact_pan(int channel)
{
   return channel == 0 ? 0 : 255;
}

TEST_F(OggPlayback, BufferIsAtLeast4096BytesOfWholeFrames)
{
   const std::string mono = ogg_test_bytes("mono.ogg"), stereo = ogg_test_bytes("stereo.ogg");
   OggPlayerPtr m = open_ogg(mono), s = open_ogg(stereo);
   ASSERT_TRUE(m && s);
   EXPECT_EQ(ogg_player_play(m.get(), 4095, 255, 128), -1);
   EXPECT_EQ(ogg_player_is_playing(m.get()), 0);

   struct Case { OGG_PLAYER *player; int buffer_len, frames, bytes; };
   for (const Case &c : {Case{m.get(), 4096, 2048, 4096}, Case{m.get(), 4099, 2049, 4098},
                         Case{s.get(), 4096, 1024, 4096}, Case{s.get(), 4099, 1024, 4096},
                         Case{s.get(), 32768, 8192, 32768}}) {
      SCOPED_TRACE(c.buffer_len);
      ASSERT_EQ(ogg_player_play(c.player, c.buffer_len, 255, 128), 0);
      EXPECT_EQ(ogg_player_is_playing(c.player), -1);
      EXPECT_EQ(ogg_player_audio_stream(c.player)->len, c.frames);
      int bytes = 0;
      EXPECT_EQ(ogg_player_output_buffer(c.player, &bytes), ogg_player_audio_stream(c.player)->samp->data);
      EXPECT_EQ(bytes, c.bytes);
      EXPECT_EQ(ogg_player_play(c.player, 65536, 255, 128), 0);  // already playing: no change
      EXPECT_EQ(ogg_player_audio_stream(c.player)->len, c.frames);
      ogg_player_stop(c.player);
   }
}

// A whole file on each exact channel against oggdec's decode, then the drain.
void expect_plays_exactly_then_drains(const std::string &name, int buffer_len)
{
   const std::string ogg = ogg_test_bytes(name + ".ogg"), reference = read_file(ogg_test_path(name + ".raw"));
   for (int channel : {0, 1}) {
      SCOPED_TRACE(name + " channel " + std::to_string(channel));
      OggPlayerPtr player = open_ogg(ogg);
      ASSERT_TRUE(player);
      ASSERT_EQ(ogg_player_play(player.get(), buffer_len, 255, exact_pan(channel)), 0);
      int buffer_bytes = 0;
      ogg_player_output_buffer(player.get(), &buffer_bytes);
      OggStreamDriver driver(player.get());
      driver.play(10000);

      // Buffers up to the one that meets the end, two silent ones, then 1, then -1.
      const size_t data_buffers = reference.size() / buffer_bytes + 1;
      std::vector<int> expected_results(data_buffers + 1, 0);
      expected_results.push_back(1);
      EXPECT_EQ(driver.results, expected_results);
      EXPECT_EQ(ogg_player_poll(player.get()), -1);
      EXPECT_EQ(ogg_player_pos_msecs(player.get()), 0);

      ASSERT_EQ(driver.buffers.size(), data_buffers + 1);  // the last one kept is silent
      const std::string handed = driver.handed();
      EXPECT_TRUE(handed.compare(0, reference.size(), reference) == 0);
      EXPECT_TRUE(is_silence(handed.substr(reference.size())));

      const std::vector<int16_t> expected = expected_channel(reference, ogg_player_wave_stereo(player.get()), channel);
      const std::vector<int16_t> heard = driver.heard(channel);
      ASSERT_GE(heard.size(), expected.size());
      EXPECT_TRUE(std::equal(expected.begin(), expected.end(), heard.begin()));
      EXPECT_TRUE(std::all_of(heard.begin() + expected.size(), heard.end(), [](int16_t v) { return v == 0; }));
   }
}

TEST_F(OggPlayback, MonoReachesAllegroExactlyAndEndsWithTwoSilentBuffers)
{
   expect_plays_exactly_then_drains("mono", 4096);
}

TEST_F(OggPlayback, StereoReachesAllegroExactlyAndEndsWithTwoSilentBuffers)
{
   expect_plays_exactly_then_drains("stereo", 32 * 1024);
}

TEST_F(OggPlayback, LoopingWrapsWithoutAGapUntilLoopIsCleared)
{
   const std::string ogg = ogg_test_bytes("short.ogg");
   const std::vector<int16_t> once = expected_channel(read_file(ogg_test_path("short.raw")), true, 0);
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   ASSERT_EQ(ogg_player_play_ex(player.get(), 4096, 255, exact_pan(0), 1000, -1), 0);
   EXPECT_EQ(ogg_player_is_looping(player.get()), -1);
   OggStreamDriver driver(player.get());
   int wraps = 0;
   for (int i = 0, last_pos = 0; i < 24; ++i) {
      driver.fill();
      const int pos = ogg_player_pos_msecs(player.get());
      wraps += pos < last_pos;
      last_pos = pos;
      driver.pull();
   }
   EXPECT_GE(wraps, 4);
   EXPECT_EQ(std::count(driver.results.begin(), driver.results.end(), 0), static_cast<long>(driver.results.size()));
   const std::vector<int16_t> heard = driver.heard(0);
   ASSERT_GT(heard.size(), 4 * once.size());
   for (size_t i = 0; i < heard.size(); ++i)
      ASSERT_EQ(heard[i], once[i % once.size()]) << "frame " << i;

   ogg_player_set_loop(player.get(), 0);
   driver.play(100);
   EXPECT_EQ(driver.results.back(), 1);
}

TEST_F(OggPlayback, FileWithoutAudioEndsAtOnceOrLoopsOnSilence)
{
   const std::string headers = ogg_headers_only(ogg_test_bytes("stereo.ogg"));
   OggPlayerPtr player = open_ogg(headers);
   ASSERT_TRUE(player);
   ASSERT_EQ(ogg_player_play(player.get(), 4096, 255, 128), 0);
   OggStreamDriver driver(player.get());
   driver.play(10);
   EXPECT_EQ(driver.results, (std::vector<int>{0, 0, 1}));

   // Looping finds no audio to wrap to: the poll returns, with silence.
   ASSERT_EQ(ogg_player_play_ex(player.get(), 4096, 255, 128, 1000, -1), 0);
   OggStreamDriver looping(player.get());
   looping.play(5);
   EXPECT_EQ(ogg_player_is_playing(player.get()), -1);
   ASSERT_FALSE(looping.buffers.empty());
   EXPECT_TRUE(std::all_of(looping.buffers.begin(), looping.buffers.end(), is_silence));
}

TEST_F(OggPlayback, DecodingFailureHandsOverWhatWasReadAndStops)
{
   // A mono link, then a stereo one: with the first link's odd frame count
   // per buffer, a stereo frame meets a two-byte rest of a buffer, which
   // vorbisfile refuses.
   const std::string ogg = ogg_test_bytes("chained.ogg"), first_link = read_file(ogg_test_path("mono.raw"));
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   ASSERT_EQ(ogg_player_play(player.get(), 4098, 255, 128), 0);
   OggStreamDriver driver(player.get());
   driver.play(1000);
   EXPECT_EQ(driver.results.back(), -2);
   EXPECT_EQ(ogg_player_is_playing(player.get()), 0);
   EXPECT_EQ(ogg_player_pos_msecs(player.get()), 0);
   // The failing buffer went to the stream too, but the stream is gone.
   const std::string handed = driver.handed();
   EXPECT_EQ(handed.size(), first_link.size() / 4098 * 4098);
   EXPECT_TRUE(first_link.compare(0, handed.size(), handed) == 0);
}

TEST_F(OggPlayback, StopAndPlayPauseAndResumeWhereDecodingStood)
{
   const std::string ogg = ogg_test_bytes("mono.ogg"), reference = read_file(ogg_test_path("mono.raw"));
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   ASSERT_EQ(ogg_player_play(player.get(), 4096, 255, 128), 0);
   OggStreamDriver first(player.get());
   first.fill();
   first.pull();
   first.fill();
   ASSERT_EQ(first.buffers.size(), 3u);
   ogg_player_stop(player.get());
   EXPECT_EQ(ogg_player_poll(player.get()), -1);
   EXPECT_EQ(ogg_player_pos_msecs(player.get()), 3 * 2048 * 1000 / 44100);

   ASSERT_EQ(ogg_player_play(player.get(), 4096, 255, 128), 0);
   OggStreamDriver resumed(player.get());
   resumed.fill();
   ASSERT_FALSE(resumed.buffers.empty());
   EXPECT_TRUE(resumed.buffers[0] == reference.substr(3 * 4096, 4096));

   SAMPLE *sample = ogg_player_make_sample(player.get());
   EXPECT_EQ(ogg_player_is_playing(player.get()), 0);
   destroy_sample(sample);
}

TEST_F(OggPlayback, SpeedIsRelativeAndAdjustWorksOnlyWhilePlaying)
{
   const std::string ogg = ogg_test_bytes("stereo.ogg");
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   ogg_player_adjust(player.get(), 10, 10, 500, -1);
   ogg_player_set_loop(player.get(), -1);
   EXPECT_EQ(ogg_player_is_looping(player.get()), 0);
   ASSERT_EQ(ogg_player_play_ex(player.get(), 8192, 200, 100, 2000, 0), 0);
   const int voice = ogg_player_audio_stream(player.get())->voice;
   EXPECT_EQ(voice_get_frequency(voice), 88200);
   EXPECT_EQ(voice_get_volume(voice), 200);
   ogg_player_adjust(player.get(), 99, 200, 500, -1);
   EXPECT_EQ(voice_get_frequency(voice), 22050);
   EXPECT_EQ(voice_get_pan(voice), 200);
   EXPECT_EQ(ogg_player_is_looping(player.get()), -1);
}

TEST_F(OggPlayback, AutopollFeedsTheStreamFromATimerUntilTheEnd)
{
   const std::string ogg = ogg_test_bytes("short.ogg");
   OggPlayerPtr player = open_ogg(ogg);
   ASSERT_TRUE(player);
   ogg_player_start_autopoll(player.get(), 2);
   ASSERT_EQ(ogg_player_play(player.get(), 4096, 255, exact_pan(0)), 0);
   std::vector<int16_t> heard;
   for (int i = 0; i < 500 && ogg_player_is_playing(player.get()); ++i) {
      rest(5);
      const std::vector<int16_t> frames = capture_pull(1024);
      heard.insert(heard.end(), frames.begin(), frames.end());
   }
   // The timer's poll stopped the stream at the end and removed itself.
   EXPECT_EQ(ogg_player_is_playing(player.get()), 0);
   EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](int16_t v) { return v != 0; }));

   ogg_player_stop_autopoll(player.get());
   ASSERT_EQ(ogg_player_play(player.get(), 4096, 255, 128), 0);
   const AUDIOSTREAM *stream = ogg_player_audio_stream(player.get());
   const int bufnum = stream->bufnum;
   rest(30);
   capture_pull(1024);
   rest(30);
   EXPECT_EQ(stream->bufnum, bufnum);  // nobody refills it
}

}
}
