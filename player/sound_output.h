// The program's own digital sound driver: Allegro's software mixer played
// into ALSA from one thread of ours with a short device buffer, so that Stop
// and Pause are heard at once and nothing is mixed while no voice plays.
//
// Contract:
// - sound_output_register() after allegro_init and before install_sound:
//   it adds the driver to Allegro's digital drivers as the first one
//   autodetected, so install_sound(DIGI_AUTODETECT, ...) picks it whenever
//   the ALSA device opens, and falls back to Allegro's own drivers when it
//   does not. A driver the process registered itself before (the tests'
//   capture driver) stays ahead of it. Registering twice is harmless.
//   Returns 0.
// - Choosing a driver: "digi_card" in section "sound" of the configuration,
//   read by Allegro. "KSAL" (or nothing) is this driver; "ALSA" is Allegro's
//   own ALSA driver, "OSS" its OSS driver, and so on.
// - "alsa_device" in section "sound" names the ALSA device ("default" when
//   absent), the same key Allegro's own ALSA driver reads. "sound_freq" and
//   "quality" are read as Allegro's own drivers read them.
// - Output is 16-bit stereo in periods of about 20 ms, four of them queued
//   at most: what the mixer puts out is heard within about 80 ms plus the
//   sound server's own latency. When the last voice stops, what is queued is
//   played out and the thread sleeps until a voice is started.
// - Locking is Allegro's own: _mix_some_samples takes the mixer's mutex
//   for each block, exactly as when Allegro's ALSA driver calls it from
//   Allegro's background thread, and voice calls reach the mixer from any
//   thread as they do with that driver. The output thread calls nothing
//   else of Allegro's but _mixer_get_position (to see whether any voice
//   still plays) and touches no state of the program.
// - A device that fails for good (unplugged, sound server gone) is given up:
//   the mixer then runs on in real time into nothing, so streams advance and
//   songs still end; sound_output_status tells.
#pragma once

constexpr int SOUND_OUTPUT_DRIVER_ID = ('K' << 24) | ('S' << 16) | ('A' << 8) | 'L';

int sound_output_register();

struct SOUND_OUTPUT_STATUS {
   int installed;        // 1 while the driver is the installed one
   int device_ok;        // 0 once the device was given up
   int rate;             // mixing rate, Hz
   int period_frames;    // frames mixed and written at a time
   int periods;          // periods the device queues at most
   long periods_played;  // periods written since install
   int underruns;        // under-runs the device reported and recovered from
   int sleeping;         // 1 while the thread waits for a voice
};

void sound_output_status(SOUND_OUTPUT_STATUS *status);
