// Both players playing through Allegro's mixer into the capture sound driver,
// and each player's own failures while playing.
#include "stream_test_support.h"

#include <tuple>

namespace {

using namespace kstr::test;

class Playback : public testing::Test {
 protected:
   void SetUp() override
   {
      set_volume_per_voice(0);
      ASSERT_TRUE(install_capture_sound(44100));
   }
};

// A buffer of whole sample frames; the whole file unchanged in the buffers
// handed over and (unless paused) on the exact channel; two silent buffers, 1
// with the second, -1 after. A pause resumes where decoding stood; make_sample
// while playing stops and starts afresh.
template <class P>
void expect_whole_file(Open<P> player, const Bytes &reference, int buffer_len, int frames, int pause_after = 0)
{
   SCOPED_TRACE(testing::Message() << buffer_len << " bytes, pause after " << pause_after);
   ASSERT_TRUE(player);
   P *p = player.get();
   Driver<P> d(p, buffer_len);
   const size_t frame = audio_stream(p)->samp->stereo ? 4 : 2, bytes = static_cast<size_t>(frames) * frame;
   int length = 0;
   output_buffer(p, &length);
   EXPECT_EQ(static_cast<size_t>(length), bytes);
   EXPECT_EQ(play_ex(p, 65536, 1000, 0), 0);
   EXPECT_EQ(audio_stream(p)->len, frames) << "changed by playing again";
   if (pause_after) {
      d.play(pause_after);
      stop(p);
      EXPECT_EQ(poll(p), -1);
      EXPECT_EQ(pos_msecs(p), static_cast<int>(d.handed.size() / frame * 1000 / 44100));
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
   if (!pause_after) {  // all of the file is heard, then silence
      std::vector<int16_t> expected(d.heard.size(), 0);
      for (size_t i = frame - 2, n = 0; i + 1 < reference.size() && n < expected.size(); i += frame, ++n)
         expected[n] = capture_expected(static_cast<uint16_t>(reference[i] | reference[i + 1] << 8));
      EXPECT_GE(d.heard.size(), reference.size() / frame);
      EXPECT_TRUE(d.heard == expected);
   }
   Driver<P>(p, buffer_len).fill();
   Sample sample(make_sample(p));
   ASSERT_TRUE(sample);
   EXPECT_EQ(sample->freq, 44100);
   EXPECT_EQ(is_playing(p), 0);
   EXPECT_EQ(pos_msecs(p), 0);
   EXPECT_TRUE(same_pcm(pcm_of(sample.get()), reference));
}

// Three passes back to back, each the file again from `settle` bytes on (the
// decoder state carried over the wrap colours what comes before). Speed is
// relative; adjust touches a playing stream only; clearing the loop ends it.
template <class P>
void expect_loops_without_gap(Open<P> player, const Bytes &once, int buffer_len, size_t settle)
{
   SCOPED_TRACE(buffer_len);
   ASSERT_TRUE(player);
   P *p = player.get();
   adjust(p, 100, 0, 2000, 0);
   Driver<P> d(p, buffer_len, -1, 2000);
   const int voice = audio_stream(p)->voice;
   EXPECT_EQ(voice_get_frequency(voice), 88200);
   for (int i = 0; i < 10000 && d.handed.size() < 3 * once.size(); ++i) {
      d.fill();
      d.pull();
   }
   EXPECT_EQ(std::count(d.results.begin(), d.results.end(), 0), static_cast<long>(d.results.size()));
   EXPECT_TRUE(same_pcm(part(d.handed, 0, once.size()), once));
   for (size_t pass = 1; pass < 3; ++pass)
      EXPECT_TRUE(same_pcm(part(d.handed, pass * once.size() + settle, (pass + 1) * once.size()),
                           part(once, settle, once.size())))
         << "pass " << pass;
   adjust(p, 100, 30, 500, -1);
   EXPECT_EQ(voice_get_frequency(voice), 22050);
   EXPECT_EQ(voice_get_volume(voice), 100);
   EXPECT_EQ(voice_get_pan(voice), 30);
   set_loop(p, 0);
   d.play();
   EXPECT_EQ(d.results.back(), 1);
}

// The timer polls up to the end, where it stops the stream and itself; after
// stop_autopoll nothing refills the stream until autopoll starts again.
template <class P>
void expect_autopoll(Open<P> player, int buffer_len)
{
   ASSERT_TRUE(player);
   P *p = player.get();
   start_autopoll(p, 2);
   ASSERT_EQ(play_ex(p, buffer_len, 1000, 0), 0);
   for (int i = 0; i < 2000 && is_playing(p); ++i) {
      rest(5);
      capture_pull(1024);
   }
   EXPECT_EQ(is_playing(p), 0);
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

// MP3 buffers hold whole frames of 4608 bytes; Ogg ones at least 4096 bytes.
// One MP3 frame a buffer ends on a buffer's edge, seven end inside one.
TEST_F(Playback, BuffersAndTheWholeFilePausedOrNot)
{
   EXPECT_EQ(play_ex(open_mp3("cbr_44k_stereo.mp3").get(), 4607, 1000, 0), -1);
   EXPECT_EQ(play_ex(open_ogg("mono").get(), 4095, 1000, 0), -1);
   const Bytes mp3 = mp3_reference("cbr_44k_stereo.mp3");
   for (auto [len, frames, pause] : {std::tuple{4608, 1152, 0}, {32768, 8064, 0}, {4608, 1152, 20}})
      expect_whole_file(open_mp3("cbr_44k_stereo.mp3"), mp3, len, frames, pause);
   for (auto [stem, len, frames, pause] : {std::tuple{"mono", 4096, 2048, 0},
                                           {"mono", 4099, 2049, 20},
                                           {"stereo", 4099, 1024, 0},
                                           {"stereo", 32768, 8192, 0}})
      expect_whole_file(open_ogg(stem), ogg_reference(stem), len, frames, pause);
}

// The short Ogg file is shorter than one buffer: it wraps inside buffers.
TEST_F(Playback, LoopingWithoutGapAdjustAndAutopoll)
{
   const Bytes mp3 = mp3_reference("cbr_44k_stereo_notag.mp3");
   for (int frames : {1, 7})
      expect_loops_without_gap(open_mp3("cbr_44k_stereo_notag.mp3"), mp3, 4608 * frames, 2 * 4608);
   expect_loops_without_gap(open_ogg("short"), ogg_reference("short"), 4096, 0);
   expect_autopoll(open_mp3("cbr_44k_stereo_notag.mp3"), 4608);
   expect_autopoll(open_ogg("short"), 4096);
}

// Garbage between frames is skipped, losing at most the frame behind it (the
// filter bank starts empty again); more than 16384 bytes of it fail with -2
// after the frames before it, or with no sample, leaving the player rewound.
TEST_F(Playback, Mp3GarbageInTheMiddle)
{
   const Bytes file = load("mp3/layer2_44k_stereo.mp2"), reference = mp3_reference("layer2_44k_stereo.mp2");
   const auto walk = walk_frames(file);
   const size_t n = walk.size(), frame = 4608, at = static_cast<size_t>(walk[20].offset);
   for (size_t amount : {1, 3000, 16000, 17000}) {
      SCOPED_TRACE(amount);
      Open<MP3_PLAYER> player(inserted(file, at, garbage(amount)));
      ASSERT_TRUE(player);
      Driver<MP3_PLAYER> d(player.get(), 3 * 4608);
      d.play();
      EXPECT_EQ(d.results.back(), amount < 16384 ? 1 : -2);
      EXPECT_EQ(std::count(d.results.begin(), d.results.end(), 0), static_cast<long>(d.results.size()) - 1);
      EXPECT_TRUE(same_pcm(part(d.handed, 0, 18 * frame), part(reference, 0, 18 * frame)));
      EXPECT_EQ(mp3_player_pos_bytes(player.get()), 0);
      mp3_player_seek_frame(player.get(), 10);
      Sample sample(mp3_player_make_sample(player.get()));
      EXPECT_EQ(mp3_player_pos_bytes(player.get()), 0);
      ASSERT_EQ(sample != nullptr, amount < 16384);
      const Bytes pcm = sample ? pcm_of(sample.get()) : reference;
      const size_t lost = n - pcm.size() / frame;
      ASSERT_LE(lost, 1u);
      EXPECT_TRUE(same_pcm(part(pcm, 0, 20 * frame), part(reference, 0, 20 * frame)));
      EXPECT_TRUE(same_pcm(part(pcm, (22 - lost) * frame, pcm.size()), part(reference, 22 * frame, n * frame)));
   }
}

// After a change of rate, layer or channels, frames larger than the first are
// cut to its PCM length, never written past a buffer or the sample; smaller
// ones are kept whole. Two frames after the change carry the old filter state.
TEST_F(Playback, Mp3LargerFramesAreCutToTheFirstFramesLength)
{
   for (auto [a, b, a_bytes, b_bytes, kept] :
        {std::tuple<const char *, const char *, size_t, size_t, size_t>{"mpeg2_22k_stereo.mp3",
                                                                        "cbr_44k_stereo_notag.mp3", 2304, 4608, 2304},
         {"cbr_44k_mono.mp3", "layer2_44k_stereo.mp2", 2304, 4608, 2304},
         {"cbr_44k_stereo_notag.mp3", "mpeg2_22k_stereo.mp3", 4608, 2304, 2304}}) {
      SCOPED_TRACE(b);
      const Bytes first = load(std::string("mp3/") + a), second = load(std::string("mp3/") + b);
      const size_t n1 = walk_frames(first).size(), n2 = walk_frames(second).size();
      Open<MP3_PLAYER> player(inserted(first, first.size(), second));
      ASSERT_TRUE(player);
      Sample sample(mp3_player_make_sample(player.get()));
      ASSERT_TRUE(sample);
      const Bytes pcm = pcm_of(sample.get()), reference = mp3_reference(b);
      ASSERT_EQ(pcm.size(), n1 * a_bytes + n2 * kept);
      EXPECT_TRUE(same_pcm(part(pcm, 0, n1 * a_bytes), mp3_reference(a)));
      for (size_t f = 2; f < n2; ++f)
         ASSERT_TRUE(same_pcm(part(pcm, n1 * a_bytes + f * kept, n1 * a_bytes + (f + 1) * kept),
                              part(reference, f * b_bytes, f * b_bytes + kept)))
            << f;
      Driver<MP3_PLAYER> d(player.get(), 3 * static_cast<int>(a_bytes));
      d.play();
      EXPECT_EQ(d.results.size(), (pcm.size() + 3 * a_bytes - 1) / (3 * a_bytes) + 2);
      EXPECT_TRUE(same_pcm(part(d.handed, 0, pcm.size()), pcm));
   }
}

// A seek before play starts the sound at that frame; the first frame after
// the decoder's reset settles its filter bank.
TEST_F(Playback, Mp3SeekThenPlay)
{
   auto mono = open_mp3("layer2_48k_mono.mp2");
   ASSERT_TRUE(mono);
   mp3_player_seek_frame(mono.get(), 10);
   Driver<MP3_PLAYER> d(mono.get(), 4 * 2304);
   d.fill();
   ASSERT_EQ(d.handed.size(), 8u * 2304);
   EXPECT_TRUE(
      same_pcm(part(d.handed, 2304, 8 * 2304), part(mp3_reference("layer2_48k_mono.mp2"), 11 * 2304, 18 * 2304)));
}

// Headers without audio drain at once; looping on them plays silence rather
// than spinning. A stereo link after a mono one with an odd frame count per
// buffer leaves two bytes for a stereo frame, which vorbisfile refuses: what
// was read is handed over, then -2 stops the song and rewinds.
TEST_F(Playback, OggWithoutAudioOrFailingToDecode)
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
