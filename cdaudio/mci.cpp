// The command layer's entry: splitting a command into words, the commands
// that change the device, and the error texts.
#include "cdaudio/mci_device.h"
#include "cdaudio/tmsf.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

struct ErrorText {
   unsigned code;
   const char *text;
};

constexpr ErrorText ERROR_TEXTS[] = {
   {MCIERR_UNRECOGNIZED_COMMAND, "The command is not recognized."},
   {MCIERR_UNRECOGNIZED_KEYWORD, "The command has a word this device does not know."},
   {MCIERR_INVALID_DEVICE_NAME, "The device is not open or is not recognized."},
   {MCIERR_DEVICE_OPEN, "The device is already open."},
   {MCIERR_NO_DRIVE, "No CD drive or disc image was found."},
   {MCIERR_DEVICE_NOT_READY, "The drive is not ready: there is no disc in it, or its door is open."},
   {MCIERR_MISSING_PARAMETER, "The command is missing a value."},
   {MCIERR_BAD_POSITION, "A position or track number is not written as track:minutes:seconds:frames."},
   {MCIERR_OUTOFRANGE, "A position or track number lies outside the disc."},
   {MCIERR_BAD_TIME_FORMAT, "The time format is not supported; use tmsf."},
   {MCIERR_NOT_AUDIO_TRACK, "The position lies in a data track, which cannot be played."},
   {MCIERR_UNSUPPORTED_FUNCTION, "This drive or disc image cannot do that."},
   {MCIERR_HARDWARE, "The drive could not read the disc's audio."},
   {MCIERR_PARAM_OVERFLOW, "The reply does not fit into the buffer given."},
};

std::vector<std::string> split_lower(const char *command)
{
   std::string text(command ? command : "");
   for (char &c : text)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
   std::istringstream in(text);
   std::vector<std::string> words;
   for (std::string word; in >> word;)
      words.push_back(word);
   return words;
}

// The last sector of the run of audio tracks that holds `track`: play stops
// there, so a data track is never played as sound.
int32_t end_of_audio_run(const CdDrive &drive, int track)
{
   while (track < drive.last_track() && drive.is_audio(track + 1))
      ++track;
   return track == drive.last_track() ? drive.disc_end() : drive.track_start(track + 1);
}

MciAnswer open_device(MciDevice &device, const MciWords &words)
{
   for (const std::string &word : words)
      if (word != "shareable")
         return {MCIERR_UNRECOGNIZED_KEYWORD, {}};
   if (device.drive)
      return {MCIERR_DEVICE_OPEN, {}};
   device.drive = CdDrive::open(device.source);
   if (!device.drive)
      return {MCIERR_NO_DRIVE, {}};
   device.reader = CdReader();
   device.door_open = false;
   device.analogue = false;
   return {};
}

MciAnswer set_device(MciDevice &device, const MciWords &words)
{
   if (words.size() >= 2 && words[0] == "time" && words[1] == "format") {
      if (words.size() == 2)
         return {MCIERR_MISSING_PARAMETER, {}};
      if (words.size() > 3)
         return {MCIERR_UNRECOGNIZED_KEYWORD, {}};
      return {words[2] == "tmsf" ? MCI_OK : MCIERR_BAD_TIME_FORMAT, {}};
   }
   if (words.size() == 2 && words[0] == "door" && (words[1] == "open" || words[1] == "closed")) {
      const bool open = words[1] == "open";
      if (!(open ? device.drive->open_door() : device.drive->close_door()))
         return {MCIERR_UNSUPPORTED_FUNCTION, {}};
      mci_end_analogue(device);
      device.reader.stop();
      device.door_open = open;
      return {};
   }
   return {words.empty() ? MCIERR_MISSING_PARAMETER : MCIERR_UNRECOGNIZED_KEYWORD, {}};
}

MciAnswer play_device(MciDevice &device, const MciWords &words)
{
   const std::string *from_text = nullptr, *to_text = nullptr;
   for (std::size_t i = 0; i < words.size(); i += 2) {
      if (words[i] != "from" && words[i] != "to")
         return {MCIERR_UNRECOGNIZED_KEYWORD, {}};
      if (i + 1 == words.size())
         return {MCIERR_MISSING_PARAMETER, {}};
      (words[i] == "from" ? from_text : to_text) = &words[i + 1];
   }
   if (unsigned error = mci_need_disc(device))
      return {error, {}};
   CdDrive &drive = *device.drive;
   int32_t from = mci_position(device);
   if (from_text)
      if (unsigned error = mci_resolve_position(device, *from_text, from))
         return {error, {}};
   if (from >= drive.disc_end())
      return {MCIERR_OUTOFRANGE, {}};
   const int track = drive.track_at(from);
   if (track == 0 || !drive.is_audio(track))
      return {MCIERR_NOT_AUDIO_TRACK, {}};
   const int32_t run_end = end_of_audio_run(drive, track);
   int32_t to = run_end;
   if (to_text)
      if (unsigned error = mci_resolve_position(device, *to_text, to))
         return {error, {}};
   if (to <= from)
      return {MCIERR_OUTOFRANGE, {}};
   to = std::min(to, run_end);
   uint8_t probe[CD_SECTOR_BYTES];
   if (drive.read_audio(from, 1, probe)) {
      mci_end_analogue(device);
      device.reader.play(from, to);
      return {};
   }
   // The audio cannot be read: let the drive play it to its own output.
   if (!drive.play_analogue(from, to))
      return {MCIERR_HARDWARE, {}};
   device.reader.stop_at(from);
   device.analogue = true;
   device.analogue_position = from;
   return {};
}

MciAnswer run(MciDevice &device, const MciWords &all)
{
   if (all.empty())
      return {MCIERR_UNRECOGNIZED_COMMAND, {}};
   const std::string &verb = all[0];
   static const char *const VERBS[] = {"open", "close", "set", "status", "play", "pause", "stop"};
   if (std::find(std::begin(VERBS), std::end(VERBS), verb) == std::end(VERBS))
      return {MCIERR_UNRECOGNIZED_COMMAND, {}};
   if (all.size() < 2)
      return {MCIERR_MISSING_PARAMETER, {}};
   if (all[1] != "cdaudio")
      return {MCIERR_INVALID_DEVICE_NAME, {}};
   MciWords words(all.begin() + 2, all.end());
   if (!words.empty() && (words.back() == "wait" || words.back() == "notify"))
      words.pop_back();
   if (verb == "open")
      return open_device(device, words);
   if (!device.drive)
      return {MCIERR_INVALID_DEVICE_NAME, {}};
   device.drive->refresh();
   if (verb == "status")
      return mci_status(device, words);
   if (verb == "set")
      return set_device(device, words);
   if (verb == "play")
      return play_device(device, words);
   if (!words.empty())
      return {MCIERR_UNRECOGNIZED_KEYWORD, {}};
   if (verb == "pause") {
      if (device.analogue && mci_mode(device) == CdPlayMode::playing && !device.drive->pause_analogue())
         return {MCIERR_HARDWARE, {}};
      if (!device.door_open)
         device.reader.pause();
      return {};
   }
   mci_end_analogue(device);
   device.reader.stop();
   if (verb == "close")
      device.drive.reset();
   return {};
}

}

MciDevice &mci_device()
{
   static MciDevice device;
   return device;
}

CdPlayMode mci_mode(MciDevice &device)
{
   if (!device.analogue)
      return device.reader.mode();
   int32_t lsn = 0;
   const CdPlayMode mode = device.drive->analogue_mode(lsn);
   if (mode != CdPlayMode::stopped)
      device.analogue_position = lsn;
   return mode;
}

int32_t mci_position(MciDevice &device)
{
   if (!device.analogue)
      return device.reader.position();
   mci_mode(device);
   return device.analogue_position;
}

void mci_end_analogue(MciDevice &device)
{
   if (!device.analogue)
      return;
   const int32_t at = mci_position(device);
   device.drive->stop_analogue();
   device.analogue = false;
   device.reader.stop_at(at);
}

unsigned mci_need_disc(const MciDevice &device)
{
   return device.door_open || !device.drive->has_disc() ? MCIERR_DEVICE_NOT_READY : MCI_OK;
}

unsigned mci_resolve_track(const MciDevice &device, const std::string &word, int &track)
{
   TMSF parsed;
   if (!word.empty() && word.find_first_not_of("0123456789") == std::string::npos && word.size() > 3)
      return MCIERR_OUTOFRANGE;
   if (word.find(':') != std::string::npos || !parse_tmsf(word, parsed))
      return MCIERR_BAD_POSITION;
   const CdDrive &drive = *device.drive;
   if (parsed.track < static_cast<unsigned>(drive.first_track()) ||
       parsed.track > static_cast<unsigned>(drive.last_track()))
      return MCIERR_OUTOFRANGE;
   track = static_cast<int>(parsed.track);
   return MCI_OK;
}

unsigned mci_resolve_position(const MciDevice &device, const std::string &text, int32_t &lsn)
{
   TMSF parsed;
   if (!parse_tmsf(text, parsed))
      return MCIERR_BAD_POSITION;
   int track = 0;
   if (unsigned error = mci_resolve_track(device, std::to_string(parsed.track), track))
      return error;
   if (parsed.offset > device.drive->track_sectors(track))
      return MCIERR_OUTOFRANGE;
   lsn = device.drive->track_start(track) + parsed.offset;
   return MCI_OK;
}

unsigned mci_send_string(const char *command, char *reply, std::size_t reply_size)
{
   MciDevice &device = mci_device();
   MciAnswer answer = run(device, split_lower(command));
   if (answer.error == MCI_OK && reply && answer.reply.size() >= reply_size)
      answer = {MCIERR_PARAM_OVERFLOW, {}};
   if (answer.error != MCI_OK)
      answer.reply.clear();
   if (reply && reply_size > 0)
      std::memcpy(reply, answer.reply.c_str(), answer.reply.size() + 1);
   if (device.log)
      device.log(command ? command : "", answer.error, answer.reply.c_str(), device.log_data);
   return answer.error;
}

bool mci_get_error_string(unsigned error, char *text, std::size_t text_size)
{
   const char *found = "Unknown error code.";
   for (const ErrorText &entry : ERROR_TEXTS)
      if (entry.code == error)
         found = entry.text;
   if (text && text_size > 0)
      std::snprintf(text, text_size, "%s", found);
   return std::strcmp(found, "Unknown error code.") != 0;
}

void mci_set_cdaudio_source(const char *name)
{
   mci_device().source = name ? name : "";
}

void mci_set_log(MCI_LOG log, void *data)
{
   mci_device().log = log;
   mci_device().log_data = data;
}

std::size_t mci_cdaudio_read(int16_t *pcm, std::size_t frames)
{
   MciDevice &device = mci_device();
   return device.drive ? device.reader.read(*device.drive, pcm, frames) : 0;
}
