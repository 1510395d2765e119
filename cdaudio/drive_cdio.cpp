#include "cdaudio/drive.h"

#include <cdio/cdio.h>
// After cdio.h, which declares the types it uses.
#include <cdio/audio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/mmc_hl_cmds.h>

#include <algorithm>
#include <cstdlib>

namespace {

// libcdio reports every failed guess of an image kind on stderr; the command
// layer reports failures itself, so its messages are dropped.
void quiet_log(cdio_log_level_t, const char[]) {}

std::string default_drive_name()
{
   char *name = cdio_get_default_device(nullptr);
   std::string result = name ? name : "";
   std::free(name);
   return result;
}

}

void CdDrive::Close::operator()(_CdIo *cdio) const
{
   cdio_destroy(cdio);
}

CdDrive::CdDrive(std::unique_ptr<_CdIo, Close> cdio, std::string name) : cdio_(std::move(cdio)), name_(std::move(name))
{
}

CdDrive::~CdDrive() = default;

std::unique_ptr<CdDrive> CdDrive::open(const std::string &name)
{
   cdio_log_set_handler(quiet_log);
   const std::string source = name.empty() ? default_drive_name() : name;
   if (source.empty())
      return nullptr;
   std::unique_ptr<_CdIo, Close> cdio(cdio_open(source.c_str(), DRIVER_UNKNOWN));
   if (!cdio)
      return nullptr;
   return std::unique_ptr<CdDrive>(new CdDrive(std::move(cdio), source));
}

void CdDrive::refresh()
{
   if (cdio_get_media_changed(cdio_.get()) != 1)
      return;
   if (std::unique_ptr<_CdIo, Close> fresh{cdio_open(name_.c_str(), DRIVER_UNKNOWN)})
      cdio_ = std::move(fresh);
}

bool CdDrive::has_disc() const
{
   const track_t count = cdio_get_num_tracks(cdio_.get());
   return count != CDIO_INVALID_TRACK && count > 0;
}

int CdDrive::first_track() const
{
   return has_disc() ? cdio_get_first_track_num(cdio_.get()) : 1;
}

int CdDrive::last_track() const
{
   return has_disc() ? first_track() + cdio_get_num_tracks(cdio_.get()) - 1 : 0;
}

bool CdDrive::is_audio(int track) const
{
   return cdio_get_track_format(cdio_.get(), static_cast<track_t>(track)) == TRACK_FORMAT_AUDIO;
}

int32_t CdDrive::track_start(int track) const
{
   return cdio_get_track_lsn(cdio_.get(), static_cast<track_t>(track));
}

int32_t CdDrive::track_sectors(int track) const
{
   // An image whose file is shorter than its sheet says gives a count that
   // wrapped below zero: the track then holds what the file holds of it.
   const int32_t start = track_start(track);
   const auto count = static_cast<int32_t>(cdio_get_track_sec_count(cdio_.get(), static_cast<track_t>(track)));
   return count < 0 ? std::max(0, disc_end() - start) : count;
}

int32_t CdDrive::disc_end() const
{
   return cdio_get_disc_last_lsn(cdio_.get());
}

int CdDrive::track_at(int32_t lsn) const
{
   for (int track = last_track(); track >= first_track(); --track)
      if (lsn >= track_start(track))
         return track;
   return 0;
}

bool CdDrive::read_audio(int32_t lsn, uint32_t count, uint8_t *out) const
{
   return cdio_read_audio_sectors(cdio_.get(), out, lsn, count) == DRIVER_OP_SUCCESS;
}

bool CdDrive::open_door()
{
   return mmc_eject_media(cdio_.get()) == DRIVER_OP_SUCCESS;
}

bool CdDrive::close_door()
{
   if (mmc_close_tray(cdio_.get()) != DRIVER_OP_SUCCESS)
      return false;
   // A new disc may be in: read it afresh.
   if (std::unique_ptr<_CdIo, Close> fresh{cdio_open(name_.c_str(), DRIVER_UNKNOWN)})
      cdio_ = std::move(fresh);
   return true;
}

bool CdDrive::play_analogue(int32_t from, int32_t to)
{
   msf_t start, end;
   cdio_lsn_to_msf(from, &start);
   cdio_lsn_to_msf(to, &end);
   return cdio_audio_play_msf(cdio_.get(), &start, &end) == DRIVER_OP_SUCCESS;
}

bool CdDrive::pause_analogue()
{
   return cdio_audio_pause(cdio_.get()) == DRIVER_OP_SUCCESS;
}

bool CdDrive::stop_analogue()
{
   return cdio_audio_stop(cdio_.get()) == DRIVER_OP_SUCCESS;
}

CdPlayMode CdDrive::analogue_mode(int32_t &lsn) const
{
   cdio_subchannel_t sub{};
   if (cdio_audio_read_subchannel(cdio_.get(), &sub) != DRIVER_OP_SUCCESS)
      return CdPlayMode::stopped;
   lsn = cdio_msf_to_lsn(&sub.abs_addr);
   switch (sub.audio_status) {
   case CDIO_MMC_READ_SUB_ST_PLAY: return CdPlayMode::playing;
   case CDIO_MMC_READ_SUB_ST_PAUSED: return CdPlayMode::paused;
   default: return CdPlayMode::stopped;
   }
}
