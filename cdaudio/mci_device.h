// Inside the command layer: the state of the one device "cdaudio" and the
// helpers its command files share.
#pragma once

#include "cdaudio/cd_reader.h"
#include "cdaudio/drive.h"
#include "cdaudio/mci.h"

#include <memory>
#include <string>
#include <vector>

struct MciDevice {
   // What "open" opens; empty for the default drive.
   std::string source;
   // Null while the device is closed.
   std::unique_ptr<CdDrive> drive;
   bool door_open = false;
   CdReader reader;
   // The drive plays by itself because its audio could not be read; the
   // reader then stays stopped and the drive is asked where it is.
   bool analogue = false;
   int32_t analogue_position = 0;
   MCI_LOG log = nullptr;
   void *log_data = nullptr;
};

// The words of a command after the device name, lower-cased.
using MciWords = std::vector<std::string>;

struct MciAnswer {
   unsigned error = MCI_OK;
   std::string reply;
};

MciDevice &mci_device();

// MCIERR_DEVICE_NOT_READY unless a disc is in and the door is shut.
unsigned mci_need_disc(const MciDevice &device);
// The sector a TMSF text names on the disc, checked against its tracks.
unsigned mci_resolve_position(const MciDevice &device, const std::string &text, int32_t &lsn);
// A track number word, checked against the disc's tracks.
unsigned mci_resolve_track(const MciDevice &device, const std::string &word, int &track);

// The play mode and position of whichever plays, the reader or the drive.
CdPlayMode mci_mode(MciDevice &device);
int32_t mci_position(MciDevice &device);
// Ends the drive's own play, if it plays, and leaves the reader where it was.
void mci_end_analogue(MciDevice &device);

MciAnswer mci_status(MciDevice &device, const MciWords &words);
