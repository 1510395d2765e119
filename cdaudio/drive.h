// One CD source reached through libcdio: a CD drive, or a disc image (a CUE
// sheet with its BIN file, and the other image kinds libcdio opens) used the
// same way. The command layer (mci.h) sits on top of it.
//
// Contract:
// - CdDrive::open with an empty name takes the system's default drive. It
//   returns null when there is no such drive or image; libcdio's own log
//   messages are silenced, failures are the caller's to report.
// - An open drive may hold no disc (tray empty or open): has_disc() is then
//   false and the track queries answer for no track at all.
// - Tracks are numbered first_track() .. last_track(). Positions are logical
//   sector numbers (LSN), the first audio sector of a disc being 0.
// - read_audio reads whole sectors of 16-bit little-endian stereo PCM, as the
//   disc holds them.
// - The door operations and the drive's own (analogue) playing need a real
//   drive; on an image they fail. The analogue play sends the sound to the
//   drive's audio output, not to the program.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct _CdIo;

enum class CdPlayMode { stopped, playing, paused };

class CdDrive {
 public:
   static std::unique_ptr<CdDrive> open(const std::string &name);
   ~CdDrive();
   CdDrive(const CdDrive &) = delete;
   CdDrive &operator=(const CdDrive &) = delete;

   // Reopens the source when the drive reports a changed disc, so the
   // queries below describe the disc now in it.
   void refresh();
   bool has_disc() const;
   int first_track() const;
   int last_track() const;
   bool is_audio(int track) const;
   int32_t track_start(int track) const;
   int32_t track_sectors(int track) const;
   // The lead-out: one past the disc's last sector.
   int32_t disc_end() const;
   // The track holding `lsn`, or 0 when it lies before the first track.
   int track_at(int32_t lsn) const;

   bool read_audio(int32_t lsn, uint32_t count, uint8_t *out) const;
   bool open_door();
   bool close_door();

   bool play_analogue(int32_t from, int32_t to);
   bool pause_analogue();
   bool stop_analogue();
   // What the drive's own play is doing, and where (stopped when the drive
   // cannot tell).
   CdPlayMode analogue_mode(int32_t &lsn) const;

 private:
   struct Close {
      void operator()(_CdIo *cdio) const;
   };
   CdDrive(std::unique_ptr<_CdIo, Close> cdio, std::string name);

   std::unique_ptr<_CdIo, Close> cdio_;
   std::string name_;
};
