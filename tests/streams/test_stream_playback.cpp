// Both players playing through Allegro's mixer into the capture sound driver:
// buffer sizes, the exact PCM that reaches Allegro, the end drain, looping,
// pause and resume, speed, autopoll, and each player's own failures.
#include "stream_test_support.h"

namespace {

using namespace kstr::test;

class SoundTest : public testing::Test {
protected:
   void SetUp() override
   {
      set_volume_per_voice(0);
      ASSERT_TRUE(install_capture_sound(44100));
   }
};
class Mp3OggPlayback : public SoundTest {};
class Mp3Playback : public SoundTest {};
class OggPlayback : public SoundTest {};

// Each {buffer length, stream frames}, 0 frames for a refusal; a second play
// while playing changes nothing.
template <class P> void expect_buffers(Open<P> player, std::initializer_list<std::pair<int, int>> cases)
{
   ASSERT_TRUE(player);
   P *p = player.get();
   for (auto [len, frames] : cases) {
      ASSERT_EQ(play_ex(p, len, 1000, 0), frames ? 0 : -1) << len;
      EXPECT_EQ(is_playing(p), frames ? -1 : 0) << len;
      if (!frames)
         continue;
      int bytes = 0;
      EXPECT_EQ(output_buffer(p, &bytes), audio_stream(p)->samp->data);
      EXPECT_EQ(bytes, frames * (audio_stream(p)->samp->stereo ? 4 : 2)) << len;
      EXPECT_EQ(play_ex(p, 65536, 1000, 0), 0);
      EXPECT_EQ(audio_stream(p)->len, frames) << len;
      stop(p);
   }
}

// The whole file, unchanged, in the buffers handed over and (unless paused)
// on the exact channel; then two silent buffers, result 1 with the second,
// and -1 after. A pause (stop, then play) goes on where decoding stood, at the
// position of what was handed over. make_sample while playing stops the
// stream and decodes from the start.
template <class P> void expect_whole_file(Open<P> player, const Bytes &reference, int buffer_len, int pause_after = 0)
{
   SCOPED_TRACE(testing::Message() << buffer_len << " bytes, pause after " << pause_after);
   ASSERT_TRUE(player);
   P *p = player.get();
   Driver<P> d(p, buffer_len);
   const bool stereo = audio_stream(p)->samp->stereo;
   const size_t bytes = audio_stream(p)->len * (stereo ? 4u : 2u);
   if (pause_after) {
      d.play(pause_after);
      stop(p);
      EXPECT_EQ(audio_stream(p), nullptr);
      EXPECT_EQ(poll(p), -1);
      EXPECT_EQ(pos_msecs(p), static_cast<int>(d.handed.size() / (stereo ? 4 : 2) * 1000 / 44100));
      ASSERT_EQ(play_ex(p, buffer_len, 1000, 0), 0);
   }
   d.play();
   std::vector<int> results((reference.size() + bytes - 1) / bytes + 1, 0);
   results.push_back(1);
   EXPECT_EQ(d.results, results);
   EXPECT_EQ(poll(p), -1);
   EXPECT_EQ(pos_msecs(p), 0);
   EXPECT_TRUE(same_pcm(part(d.handed, 0, reference.size()), reference));
   EXPECT_TRUE(is_silence(part(d.handed, reference.size(), d.handed.size())));
   if (!pause_after) {
      // The stream stops as soon as its last buffer is handed over, so less
      // than the two silent buffers may be heard; all of the file is.
      std::vector<int16_t> expected(d.heard.size(), 0);
      for (size_t i = stereo ? 2 : 0, n = 0; i + 1 < reference.size() && n < expected.size(); i += stereo ? 4 : 2, ++n)
         expected[n] = capture_expected(static_cast<uint16_t>(reference[i] | reference[i + 1] << 8));
      EXPECT_GE(d.heard.size(), reference.size() / (stereo ? 4 : 2));
      EXPECT_TRUE(d.heard == expected);
   }
   Driver<P>(p, buffer_len).fill();
   Sample sample(make_sample(p));
   ASSERT_TRUE(sample);
   EXPECT_EQ(is_playing(p), 0);
   EXPECT_EQ(pos_msecs(p), 0);
   EXPECT_TRUE(same_pcm(pcm_of(sample.get()), reference));
}

// Three passes back to back, each the file again from `settle` bytes on (the
// decoder state carried over the wrap may colour what comes before); with the
// loop cleared the song ends.
template <class P> void expect_loops_without_gap(Open<P> player, const Bytes &once, int buffer_len, size_t settle)
{
   SCOPED_TRACE(buffer_len);
   ASSERT_TRUE(player);
   Driver<P> d(player.get(), buffer_len, -1);
   EXPECT_EQ(is_looping(player.get()), -1);
   for (int i = 0; i < 10000 && d.handed.size() < 3 * once.size(); ++i) {
      d.fill();
      d.pull();
   }
   EXPECT_EQ(std::count(d.results.begin(), d.results.end(), 0), static_cast<long>(d.results.size()));
   EXPECT_TRUE(same_pcm(part(d.handed, 0, once.size()), once));
   for (size_t pass = 1; pass < 3; ++pass)
      EXPECT_TRUE(same_pcm(part(d.handed, pass * once.size() + settle, (pass + 1) * once.size()),
                           part(once, settle, once.size()))) << "pass " << pass;
   set_loop(player.get(), 0);
   d.play();
   EXPECT_EQ(d.results.back(), 1);
}

// Speed is relative to the file's rate; adjust acts only on a playing stream
// (before play it must leave the missing one alone). A timer polls while
// autopoll is on, up to the end, where it stops the stream and itself; after
// stop_autopoll nothing refills the stream until autopoll starts again.
template <class P> void expect_adjust_and_autopoll(Open<P> player, int buffer_len)
{
   ASSERT_TRUE(player);
   P *p = player.get();
   adjust(p, 100, 0, 2000, -1);
   ASSERT_EQ(play_ex(p, 8192, 500, 0), 0);
   const int voice = audio_stream(p)->voice;
   EXPECT_EQ(voice_get_frequency(voice), 22050);
   adjust(p, 100, 30, 2000, -1);
   EXPECT_EQ(voice_get_frequency(voice), 88200);
   EXPECT_EQ(voice_get_volume(voice), 100);
   EXPECT_EQ(voice_get_pan(voice), 30);
   EXPECT_EQ(is_looping(p), -1);
   stop(p);

   start_autopoll(p, 2);
   ASSERT_EQ(play_ex(p, buffer_len, 1000, 0), 0);
   bool sound = false;
   for (int i = 0; i < 2000 && is_playing(p); ++i) {
      rest(5);
      const std::vector<int16_t> frames = capture_pull(1024);
      sound |= std::any_of(frames.begin(), frames.end(), [](int16_t v) { return v != 0; });
   }
   EXPECT_EQ(is_playing(p), 0);
   EXPECT_TRUE(sound);
   stop_autopoll(p);
   ASSERT_EQ(play_ex(p, buffer_len, 1000, 0), 0);
   rest(30);
   capture_pull(1024);
   rest(30);
   EXPECT_EQ(pos_msecs(p), 0) << "polled without autopoll";
   start_autopoll(p, 2);
   rest(30);
   EXPECT_GT(pos_msecs(p), 0);
}

}

// MP3: whole frames of 4608 bytes. Ogg: at least 4096 bytes, whole sample
// frames of mono or stereo.
TEST_F(Mp3OggPlayback, BufferSizes)
{
   expect_buffers(open_mp3("cbr_44k_stereo_notag.mp3"), {{4607, 0}, {4608, 1152}, {32768, 8064}});
   expect_buffers(open_ogg("mono"), {{4095, 0}, {4096, 2048}, {4099, 2049}});
   expect_buffers(open_ogg("stereo"), {{4096, 1024}, {4099, 1024}, {32768, 8192}});
}

// One MP3 frame a buffer ends on a buffer's edge, seven end inside one.
TEST_F(Mp3OggPlayback, WholeFilePausedOrNotThenTwoSilentBuffers)
{
   const Bytes mp3 = mp3_reference("cbr_44k_stereo.mp3");
   for (auto [frames, pause] : {std::pair{1, 0}, {7, 0}, {1, 20}})
      expect_whole_file(open_mp3("cbr_44k_stereo.mp3"), mp3, 4608 * frames, pause);
   for (int pause : {0, 20})
      expect_whole_file(open_ogg("mono"), ogg_reference("mono"), 4096, pause);
   expect_whole_file(open_ogg("stereo"), ogg_reference("stereo"), 32768);
}

// The short Ogg file is shorter than one buffer: it wraps inside buffers.
TEST_F(Mp3OggPlayback, LoopingWithoutGap)
{
   const Bytes mp3 = mp3_reference("cbr_44k_stereo_notag.mp3");
   for (int frames : {1, 7})
      expect_loops_without_gap(open_mp3("cbr_44k_stereo_notag.mp3"), mp3, 4608 * frames, 2 * 4608);
   expect_loops_without_gap(open_ogg("short"), ogg_reference("short"), 4096, 0);
}

TEST_F(Mp3Playback, AdjustAndAutopoll) { expect_adjust_and_autopoll(open_mp3("cbr_44k_stereo_notag.mp3"), 4608); }
TEST_F(OggPlayback, AdjustAndAutopoll) { expect_adjust_and_autopoll(open_ogg("short"), 4096); }

// Garbage between frames is skipped while playing; more than 16384 bytes of
// it stops the song with -2 after the frames before it, and rewinds.
TEST_F(Mp3Playback, GarbageSkippedOrEndingWithMinus2)
{
   const Bytes file = load("mp3/layer2_44k_stereo.mp2"), reference = mp3_reference("layer2_44k_stereo.mp2");
   const size_t at = static_cast<size_t>(walk_frames(file)[20].offset);
   for (auto [amount, last] : {std::pair<size_t, int>{5000, 1}, {17000, -2}}) {
      Open<MP3_PLAYER> player(inserted(file, at, garbage(amount)));
      ASSERT_TRUE(player);
      Driver<MP3_PLAYER> d(player.get(), 3 * 4608);
      d.play();
      EXPECT_EQ(d.results.back(), last) << amount;
      EXPECT_EQ(std::count(d.results.begin(), d.results.end(), 0), static_cast<long>(d.results.size()) - 1) << amount;
      EXPECT_EQ(mp3_player_pos_bytes(player.get()), 0);
      EXPECT_TRUE(same_pcm(part(d.handed, 0, 18 * 4608), part(reference, 0, 18 * 4608))) << amount;
   }
}

// A seek before play starts the sound at that frame (the first frame after
// the decoder's reset settles its filter bank). Frames larger than the first
// (after a change of rate) are cut to the first frame's share and never write
// past a stream buffer.
TEST_F(Mp3Playback, SeekThenPlayAndLargerFrames)
{
   auto mono = open_mp3("layer2_48k_mono.mp2");
   ASSERT_TRUE(mono);
   mp3_player_seek_frame(mono.get(), 10);
   Driver<MP3_PLAYER> seeked(mono.get(), 4 * 2304);
   seeked.fill();
   ASSERT_EQ(seeked.handed.size(), 8u * 2304);
   EXPECT_TRUE(same_pcm(part(seeked.handed, 2304, 8 * 2304), part(mp3_reference("layer2_48k_mono.mp2"), 11 * 2304, 18 * 2304)));

   const Bytes first = load("mp3/mpeg2_22k_stereo.mp3"), second = load("mp3/cbr_44k_stereo_notag.mp3");
   Open<MP3_PLAYER> mixed(inserted(first, first.size(), second));
   ASSERT_TRUE(mixed);
   Driver<MP3_PLAYER> d(mixed.get(), 3 * 2304);
   d.play();
   EXPECT_EQ(d.results.size(), (walk_frames(first).size() + walk_frames(second).size() + 2) / 3 + 2);
   EXPECT_EQ(d.results.back(), 1);
}

// Headers without audio drain at once; looping finds nothing to wrap to and
// plays silence rather than spinning. A mono link, then a stereo one: with
// the first link's odd frame count per buffer a stereo frame meets a two-byte
// rest of a buffer, which vorbisfile refuses; what was read is handed over,
// then -2 stops the song and rewinds.
TEST_F(OggPlayback, WithoutAudioOrFailingToDecode)
{
   Open<OGG_PLAYER> player(headers_only(load("ogg/stereo.ogg")));
   ASSERT_TRUE(player);
   Driver<OGG_PLAYER> once(player.get(), 4096);
   once.play(10);
   EXPECT_EQ(once.results, (std::vector<int>{0, 0, 1}));
   Driver<OGG_PLAYER> looping(player.get(), 4096, -1);
   looping.play(5);
   EXPECT_EQ(is_playing(player.get()), -1);
   EXPECT_FALSE(looping.handed.empty());
   EXPECT_TRUE(is_silence(looping.handed));

   auto chained = open_ogg("chained");
   ASSERT_TRUE(chained);
   Driver<OGG_PLAYER> d(chained.get(), 4098);
   d.play(1000);
   EXPECT_EQ(d.results.back(), -2);
   EXPECT_EQ(is_playing(chained.get()), 0);
   EXPECT_EQ(pos_msecs(chained.get()), 0);
   const Bytes first_link = ogg_reference("mono");
   EXPECT_EQ(d.handed.size(), first_link.size() / 4098 * 4098);
   EXPECT_TRUE(same_pcm(d.handed, part(first_link, 0, d.handed.size())));
}
