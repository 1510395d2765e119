// MIDI: the file loaded by Allegro and played by its MIDI player, which runs
// on Allegro's timer. The length is measured in beats before the song plays.
#include "player/backend.h"

#include "player/engine.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct DestroyMidi {
   void operator()(MIDI *m) const { destroy_midi(m); }
};

struct MidiSong {
   std::unique_ptr<MIDI, DestroyMidi> midi;
   // Beats, measured at start: the target of the first seek that found
   // nothing left to play.
   int length_beats = 0;
   bool paused = false;
};

MidiSong &live()
{
   static MidiSong song;
   return song;
}

// Seeks one beat further at a time while the target lies in the song;
// Allegro runs the player silently meanwhile. The seek past the end stops
// the song (result 1), the one after finds nothing playing (-1).
int measure_beats()
{
   int target = 0;
   do
      ++target;
   while (midi_seek(target) >= 0);
   return target;
}

void release()
{
   MidiSong &s = live();
   if (s.midi)
      stop_midi();
   s.midi.reset();
   s.length_beats = 0;
   s.paused = false;
}

int start(const char *name, const FILE_IMAGE *)
{
   MidiSong &s = live();
   release();
   if (!midi_driver || midi_driver->id == MIDI_NONE)
      return SONG_NO_SOUND;
   s.midi.reset(load_midi(name));
   if (!s.midi)
      return SONG_REFUSED;
   if (play_midi(s.midi.get(), FALSE) != 0) {
      s.midi.reset();
      return SONG_NO_VOICE;
   }
   s.length_beats = measure_beats();
   stop_midi();
   if (play_midi(s.midi.get(), FALSE) != 0) {
      s.midi.reset();
      return SONG_NO_VOICE;
   }
   return SONG_OK;
}

// Allegro stops a song that does not loop at its end and sets midi_pos
// negative.
int poll()
{
   return midi_pos >= 0 ? 1 : 0;
}

double position()
{
   return static_cast<double>(std::max(0L, static_cast<long>(midi_pos)));
}

double length()
{
   return live().length_beats;
}

void pause(int paused)
{
   live().paused = paused != 0;
   if (paused)
      midi_pause();
   else
      midi_resume();
}

// The song's beats run to three before the measured length (the beat after
// the last note still counts as inside it). A seek to beat n leaves midi_pos
// at n - 1, the beat just begun. Allegro's seek sets a paused song going
// again, so a paused one is paused anew.
void seek(double fraction)
{
   const int last = std::max(1, live().length_beats - 3);
   midi_seek(static_cast<int>(std::lround(fraction * last)) + 1);
   if (live().paused)
      midi_pause();
}

int poll_interval_ms()
{
   return 40;
}

const char *const EXTENSIONS[] = {"MID", nullptr};

}

const BACKEND midi_backend = {BACKEND_MIDI, EXTENSIONS, false,   start,           poll, position, length,
                              pause,        seek,       release, poll_interval_ms};
