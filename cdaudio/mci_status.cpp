// The "status" command: what the module asks the drive.
#include "cdaudio/mci_device.h"
#include "cdaudio/tmsf.h"

namespace {

const char *mode_name(MciDevice &device)
{
   if (device.door_open)
      return "open";
   if (!device.drive->has_disc())
      return "not ready";
   switch (mci_mode(device)) {
   case CdPlayMode::playing: return "playing";
   case CdPlayMode::paused: return "paused";
   case CdPlayMode::stopped: break;
   }
   return "stopped";
}

std::string position_text(const CdDrive &drive, int32_t lsn)
{
   const int track = drive.track_at(lsn);
   return format_tmsf(static_cast<unsigned>(track), lsn - drive.track_start(track));
}

bool is(const MciWords &words, std::initializer_list<const char *> expected)
{
   if (words.size() != expected.size())
      return false;
   std::size_t i = 0;
   for (const char *word : expected)
      if (words[i++] != word)
         return false;
   return true;
}

// Items that take a track: "length track N", "type track N", "position track N".
MciAnswer track_item(const MciDevice &device, const MciWords &words)
{
   if (words.size() < 3)
      return {MCIERR_MISSING_PARAMETER, {}};
   if (words.size() > 3)
      return {MCIERR_UNRECOGNIZED_KEYWORD, {}};
   int track = 0;
   if (unsigned error = mci_resolve_track(device, words[2], track))
      return {error, {}};
   const CdDrive &drive = *device.drive;
   if (words[0] == "length")
      return {MCI_OK, format_msf(drive.track_sectors(track))};
   if (words[0] == "type")
      return {MCI_OK, drive.is_audio(track) ? "audio" : "other"};
   return {MCI_OK, format_tmsf(static_cast<unsigned>(track), 0)};
}

}

MciAnswer mci_status(MciDevice &device, const MciWords &words)
{
   if (words.empty())
      return {MCIERR_MISSING_PARAMETER, {}};
   if (is(words, {"mode"}))
      return {MCI_OK, mode_name(device)};
   if (is(words, {"time", "format"}))
      return {MCI_OK, "tmsf"};
   const bool present = !device.door_open && device.drive->has_disc();
   if (is(words, {"media", "present"}) || is(words, {"ready"}))
      return {MCI_OK, present ? "true" : "false"};

   if (unsigned error = mci_need_disc(device))
      return {error, {}};
   const CdDrive &drive = *device.drive;
   if (is(words, {"number", "of", "tracks"}))
      return {MCI_OK, std::to_string(drive.last_track() - drive.first_track() + 1)};
   if (is(words, {"length"}))
      return {MCI_OK, format_msf(drive.disc_end() - drive.track_start(drive.first_track()))};
   if (is(words, {"position"}))
      return {MCI_OK, position_text(drive, mci_position(device))};
   if (is(words, {"current", "track"}))
      return {MCI_OK, std::to_string(drive.track_at(mci_position(device)))};
   if (words.size() >= 2 && words[1] == "track" &&
       (words[0] == "length" || words[0] == "type" || words[0] == "position"))
      return track_item(device, words);
   return {MCIERR_UNRECOGNIZED_KEYWORD, {}};
}
