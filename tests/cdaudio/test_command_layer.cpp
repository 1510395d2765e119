// The command layer on real disc images through libcdio: every command text,
// its reply or error, and the audio its reader hands out.
#include "cd_test_support.h"

#include "temp_dir.h"

#include <cstring>
#include <filesystem>
#include <tuple>

namespace {

using namespace kstr::test;

constexpr std::uintmax_t CD_SECTOR = 2352;

struct Answer {
   unsigned error;
   std::string reply;
};

Answer send(const std::string &command, std::size_t reply_size = 256)
{
   std::vector<char> reply(reply_size, 'x');
   const unsigned error = mci_send_string(command.c_str(), reply.data(), reply.size());
   return {error, reply.data()};
}

class CommandLayer : public testing::Test {
 protected:
   void open(const std::string &image)
   {
      mci_set_cdaudio_source(cd_file(image).c_str());
      ASSERT_EQ(send("open cdaudio wait").error, MCI_OK);
   }
   void TearDown() override { mci_send_string("close cdaudio", nullptr, 0); }

   // Sends each command and checks its error and reply.
   void expect_answers(std::initializer_list<std::tuple<const char *, unsigned, const char *>> table)
   {
      for (auto [command, error, reply] : table) {
         const Answer got = send(command);
         EXPECT_EQ(got.error, error) << command;
         EXPECT_EQ(got.reply, reply) << command;
      }
   }
   CommandLog log;
};

// What the disc is: tracks, their lengths and types, the whole disc's length,
// where the device stands, and the words it does not know (the replies the
// CD control parses are in its own log checks).
TEST_F(CommandLayer, StatusOfTheDisc)
{
   open("disc.cue");
   expect_answers({
      {"status cdaudio length track 1", MCI_OK, "00:02:05"},
      {"status cdaudio length track 4", MCI_OK, "00:01:25"},
      {"status cdaudio length", MCI_OK, "00:08:05"},
      {"status cdaudio type track 1", MCI_OK, "audio"},
      {"STATUS CDAudio  Mode wait", MCI_OK, "stopped"},
      {"status cdaudio position", MCI_OK, "01:00:00:00"},
      {"status cdaudio position track 3", MCI_OK, "03:00:00:00"},
      {"status cdaudio current track", MCI_OK, "1"},
      {"status cdaudio media present", MCI_OK, "true"},
      {"status cdaudio ready", MCI_OK, "true"},
      {"status cdaudio time format", MCI_OK, "tmsf"},
      {"status cdaudio length track 5", MCIERR_OUTOFRANGE, ""},
      {"status cdaudio length track 0", MCIERR_OUTOFRANGE, ""},
      {"status cdaudio length track three", MCIERR_BAD_POSITION, ""},
      {"status cdaudio length track 3:00", MCIERR_BAD_POSITION, ""},
      {"status cdaudio type track", MCIERR_MISSING_PARAMETER, ""},
      {"status cdaudio type track 1 2", MCIERR_UNRECOGNIZED_KEYWORD, ""},
      {"status cdaudio volume", MCIERR_UNRECOGNIZED_KEYWORD, ""},
      {"status cdaudio", MCIERR_MISSING_PARAMETER, ""},
      {"status cdrom mode", MCIERR_INVALID_DEVICE_NAME, ""},
      {"rewind cdaudio", MCIERR_UNRECOGNIZED_COMMAND, ""},
      {"", MCIERR_UNRECOGNIZED_COMMAND, ""},
      {"set cdaudio time format msf", MCIERR_BAD_TIME_FORMAT, ""},
      {"set cdaudio time format", MCIERR_MISSING_PARAMETER, ""},
      {"set cdaudio speed 2", MCIERR_UNRECOGNIZED_KEYWORD, ""},
      {"open cdaudio wait", MCIERR_DEVICE_OPEN, ""},
      {"open cdaudio exclusive", MCIERR_UNRECOGNIZED_KEYWORD, ""},
   });
}

// Play, pause and stop move the mode and the position; positions are checked
// against the disc, and a data track is never played.
TEST_F(CommandLayer, PlayPauseAndStop)
{
   open("disc.cue");
   expect_answers({
      {"play cdaudio from 4", MCIERR_NOT_AUDIO_TRACK, ""},
      {"play cdaudio from 3 to 3:00:03:11", MCIERR_OUTOFRANGE, ""},
      {"play cdaudio from 3:00:03:11", MCIERR_OUTOFRANGE, ""},
      {"play cdaudio from 5", MCIERR_OUTOFRANGE, ""},
      {"play cdaudio from 3 to 3", MCIERR_OUTOFRANGE, ""},
      {"play cdaudio from 3:00:60", MCIERR_BAD_POSITION, ""},
      {"play cdaudio from 3:00:00:75", MCIERR_BAD_POSITION, ""},
      {"play cdaudio from 3:0:0:0:0", MCIERR_BAD_POSITION, ""},
      {"play cdaudio from 3 :00", MCIERR_UNRECOGNIZED_KEYWORD, ""},
      {"play cdaudio from", MCIERR_MISSING_PARAMETER, ""},
      {"play cdaudio at 3", MCIERR_UNRECOGNIZED_KEYWORD, ""},
      {"status cdaudio mode", MCI_OK, "stopped"},
      {"play cdaudio from 3 to 3:00:03:10", MCI_OK, ""},
      {"status cdaudio mode", MCI_OK, "playing"},
      {"status cdaudio position", MCI_OK, "03:00:00:00"},
      {"status cdaudio current track", MCI_OK, "3"},
      {"pause cdaudio", MCI_OK, ""},
      {"status cdaudio mode", MCI_OK, "paused"},
      {"play cdaudio from 2:00:01:05 notify", MCI_OK, ""},
      {"status cdaudio position", MCI_OK, "02:00:01:05"},
      {"stop cdaudio wait", MCI_OK, ""},
      {"status cdaudio mode", MCI_OK, "stopped"},
      {"status cdaudio position", MCI_OK, "02:00:01:05"},
      {"pause cdaudio", MCI_OK, ""},
      {"status cdaudio mode", MCI_OK, "stopped"},
      {"close cdaudio", MCI_OK, ""},
      {"status cdaudio mode", MCIERR_INVALID_DEVICE_NAME, ""},
      {"play cdaudio from 1", MCIERR_INVALID_DEVICE_NAME, ""},
      {"close cdaudio", MCIERR_INVALID_DEVICE_NAME, ""},
   });
   int16_t pcm[4];
   EXPECT_EQ(mci_cdaudio_read(pcm, 1), 0u) << "closed";
}

// The reader hands out the image's PCM exactly, in reads of any size, from
// any position to the end asked for, and stops before a data track.
TEST_F(CommandLayer, TheReaderHandsOutTheTracksPcm)
{
   open("disc.cue");
   const auto t1 = track_pcm(1), t2 = track_pcm(2), t3 = track_pcm(3);
   ASSERT_EQ(send("play cdaudio from 2 to 2:00:01:00").error, MCI_OK);
   EXPECT_EQ(read_frames(100000, mci_cdaudio_read, 7777), frames_of(t2, 0, 75 * SECTOR_FRAMES));
   expect_answers({{"status cdaudio mode", MCI_OK, "stopped"}, {"status cdaudio position", MCI_OK, "02:00:01:00"}});

   // No "to": through tracks 1 to 3, in reads that end inside sectors.
   ASSERT_EQ(send("play cdaudio from 1").error, MCI_OK);
   EXPECT_EQ(read_frames(1000000, mci_cdaudio_read, 1001), joined({t1, t2, t3}));
   expect_answers({{"status cdaudio position", MCI_OK, "04:00:00:00"}});
   // A "to" past the data track's start still ends before it.
   ASSERT_EQ(send("play cdaudio from 3:00:03:00 to 4:00:01:00").error, MCI_OK);
   EXPECT_EQ(read_frames(100000, mci_cdaudio_read), frames_of(t3, 225 * SECTOR_FRAMES, 235 * SECTOR_FRAMES));

   // Paused, nothing comes; play without "from" goes on where it stood.
   ASSERT_EQ(send("play cdaudio from 1:00:01:00 to 1:00:02:00").error, MCI_OK);
   const auto first = read_frames(20 * SECTOR_FRAMES, mci_cdaudio_read);
   ASSERT_EQ(send("pause cdaudio").error, MCI_OK);
   EXPECT_TRUE(read_frames(10, mci_cdaudio_read).empty());
   expect_answers({{"status cdaudio position", MCI_OK, "01:00:01:20"}, {"play cdaudio to 1:00:02:00", MCI_OK, ""}});
   EXPECT_EQ(joined({first, read_frames(100000, mci_cdaudio_read)}),
             frames_of(t1, 75 * SECTOR_FRAMES, 150 * SECTOR_FRAMES));
   ASSERT_EQ(send("play cdaudio from 3").error, MCI_OK);
   ASSERT_EQ(send("stop cdaudio").error, MCI_OK);
   EXPECT_TRUE(read_frames(10, mci_cdaudio_read).empty());
}

// A disc that begins with a data track: its audio tracks play to the end of
// the disc.
TEST_F(CommandLayer, DataTrackFirst)
{
   open("mixed.cue");
   expect_answers({{"status cdaudio type track 1", MCI_OK, "other"},
                   {"status cdaudio type track 2", MCI_OK, "audio"},
                   {"status cdaudio length track 1", MCI_OK, "00:01:25"},
                   {"status cdaudio length track 4", MCI_OK, "00:03:10"},
                   {"play cdaudio from 1", MCIERR_NOT_AUDIO_TRACK, ""},
                   {"play cdaudio", MCIERR_NOT_AUDIO_TRACK, ""},
                   {"play cdaudio from 2", MCI_OK, ""}});
   EXPECT_EQ(read_frames(1000000, mci_cdaudio_read, 4096), joined({track_pcm(1), track_pcm(2), track_pcm(3)}));
   expect_answers({{"status cdaudio position", MCI_OK, "04:00:03:10"}, {"status cdaudio mode", MCI_OK, "stopped"}});
}

// A disc that stops being readable: the reader hands out what it could read
// and stops; play where nothing can be read asks the drive to play by
// itself, which an image cannot, so play fails.
TEST_F(CommandLayer, UnreadableAudio)
{
   TempDir dir;
   for (const char *name : {"disc.cue", "disc.bin"})
      std::filesystem::copy_file(cd_file(name), dir.path() / name);
   mci_set_cdaudio_source(dir.file("disc.cue").c_str());
   ASSERT_EQ(send("open cdaudio wait").error, MCI_OK);
   std::filesystem::resize_file(dir.path() / "disc.bin", 200 * CD_SECTOR);
   ASSERT_EQ(send("play cdaudio from 1").error, MCI_OK);
   // Read in pieces that straddle the file's end: what lies past it is silence.
   const auto heard = read_frames(1000000, mci_cdaudio_read, 4096);
   const std::size_t readable = 200 * SECTOR_FRAMES * 2;
   ASSERT_GE(heard.size(), readable);
   EXPECT_LE(heard.size(), readable + 4096 * 2);
   EXPECT_EQ(slice(heard, 0, readable), slice(joined({track_pcm(1), track_pcm(2)}), 0, readable));
   EXPECT_TRUE(all_silent(heard, readable));
   expect_answers({{"status cdaudio mode", MCI_OK, "stopped"},
                   {"play cdaudio from 3", MCIERR_HARDWARE, ""},
                   {"status cdaudio mode", MCI_OK, "stopped"},
                   {"play cdaudio from 1 to 1:00:00:10", MCI_OK, ""},
                   {"status cdaudio mode", MCI_OK, "playing"}});
}

// Replies that do not fit are errors, never cut; a null reply is allowed;
// every code has its text.
TEST_F(CommandLayer, RepliesAndErrorTexts)
{
   open("disc.cue");
   const Answer small = send("status cdaudio mode", 7);
   EXPECT_EQ(small.error, MCIERR_PARAM_OVERFLOW);
   EXPECT_EQ(small.reply, "");
   EXPECT_EQ(send("status cdaudio mode", 8).reply, "stopped");
   EXPECT_EQ(mci_send_string("status cdaudio mode", nullptr, 0), MCI_OK);
   for (unsigned code = MCIERR_UNRECOGNIZED_COMMAND; code <= MCIERR_PARAM_OVERFLOW; ++code) {
      char text[256] = "";
      EXPECT_TRUE(mci_get_error_string(code, text, sizeof text)) << code;
      EXPECT_GT(std::strlen(text), 10u) << code;
   }
   char text[8];
   EXPECT_FALSE(mci_get_error_string(MCI_OK, text, sizeof text));
   EXPECT_FALSE(mci_get_error_string(999, text, sizeof text));
   EXPECT_EQ(std::strlen(text), 7u) << "cut to the buffer";
}

}
