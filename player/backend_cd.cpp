// The audio CD backend: plays the disc's first track, read digitally by the
// CD control, through an Allegro audio stream that the poll refills like any
// other stream, so Stop, Pause, seeking and the progress work as for files.
#include "player/backend_cd.h"
#include "player/backend.h"
#include "player/engine.h"
#include "player/stream_buffer.h"

#include "cdaudio/cd_control.h"
#include "cdaudio/mci.h"
#include "cdaudio/tmsf.h"

#include <allegro.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The CD track a "cda" entry plays.
constexpr unsigned CD_TRACK = 1;

struct StopStream {
   void operator()(AUDIOSTREAM *stream) const { stop_audio_stream(stream); }
};

struct CdSong {
   std::unique_ptr<AUDIOSTREAM, StopStream> stream;
   std::vector<int16_t> pcm;
   std::size_t buffer_frames = 0;
   // Buffers filled with silence since the reader ran dry: after two the
   // last audio has been heard.
   int silent_buffers = 0;
   bool paused = false;
   // The track's length in CD frames, from the end position of the request.
   int32_t length_frames = 0;
};

// Left alive at exit on purpose: Allegro removes its streams itself then.
CdSong &song()
{
   static CdSong *state = new CdSong;
   return *state;
}

// Stream buffers of whole CD sectors, about "mp3oggbuffer" KiB.
std::size_t buffer_frames()
{
   const std::size_t sectors =
      std::max<std::size_t>(1, static_cast<std::size_t>(std::max(mp3oggbuffer, 0)) * 1024 / CD_SECTOR_BYTES);
   return sectors * CD_FRAME_SAMPLES;
}

bool control_not_open()
{
   return cd_state.cd_error_code == MCIERR_INVALID_DEVICE_NAME || cd_state.cd_error_code == MCIERR_NO_DRIVE;
}

// Is CD_TRACK audio? Opens the control first when start-up could not.
int first_track_is_audio()
{
   int audio = cd_is_audio(CD_TRACK);
   if (audio < 0 && control_not_open()) {
      read_cd_settings();
      if (cd_init() != 0)
         return -1;
      audio = cd_is_audio(CD_TRACK);
   }
   return audio;
}

// A drive whose audio could not be read plays to its own output while the
// stream stays silent: the song lasts as long as the drive plays.
bool drive_plays_by_itself()
{
   return cd_command("status cdaudio mode") == 0 && std::strcmp(cd_state.cd_reply, "playing") == 0;
}

int cd_backend_start(const char *, const FILE_IMAGE *)
{
   cd_set_volume(255, 255);
   const int audio = first_track_is_audio();
   if (audio == 0)
      return SONG_REFUSED;
   // An error of the type query still leads to the play attempt.
   if (cd_play(CD_TRACK) != 0)
      return control_not_open() ? SONG_NO_CD_DRIVE : SONG_OPEN_FAILED;
   CdSong &s = song();
   TMSF end;
   s.length_frames = parse_tmsf(cd_state.cd_resume_to, end) ? end.offset : 0;
   s.buffer_frames = buffer_frames();
   s.pcm.assign(s.buffer_frames * 2, 0);
   s.silent_buffers = 0;
   s.paused = false;
   s.stream.reset(play_audio_stream(static_cast<int>(s.buffer_frames), 16, TRUE, CD_SAMPLE_RATE, 255, 128));
   if (!s.stream) {
      cd_stop();
      return SONG_NO_VOICE;
   }
   return SONG_OK;
}

int cd_backend_poll()
{
   CdSong &s = song();
   if (!s.stream)
      return 0;
   if (s.paused)
      return 1;
   while (void *buffer = get_audio_stream_buffer(s.stream.get())) {
      const std::size_t got = cd_read_audio(s.pcm.data(), s.buffer_frames);
      auto *out = static_cast<uint16_t *>(buffer);
      // CD audio is signed; Allegro streams take unsigned samples.
      for (std::size_t i = 0; i < got * 2; ++i)
         out[i] = static_cast<uint16_t>(static_cast<uint16_t>(s.pcm[i]) ^ 0x8000u);
      std::fill(out + got * 2, out + s.buffer_frames * 2, uint16_t{0x8000});
      free_audio_stream_buffer(s.stream.get());
      s.silent_buffers = got || drive_plays_by_itself() ? 0 : s.silent_buffers + 1;
   }
   return s.silent_buffers < 2 ? 1 : 0;
}

// Seconds from the track's start to where the reader stands.
double cd_backend_position()
{
   const CdSong &s = song();
   TMSF at;
   if (!s.stream || cd_command("status cdaudio position") != 0 || !parse_tmsf(cd_state.cd_reply, at))
      return 0;
   const int32_t frames = at.track == CD_TRACK ? at.offset : s.length_frames;
   return frames / static_cast<double>(CD_FRAMES_PER_SECOND);
}

double cd_backend_length()
{
   return song().length_frames / static_cast<double>(CD_FRAMES_PER_SECOND);
}

void cd_backend_pause(int paused)
{
   CdSong &s = song();
   if (!s.stream || (paused != 0) == s.paused)
      return;
   s.paused = paused != 0;
   if (s.paused) {
      cd_pause();
      voice_stop(s.stream->voice);
   } else {
      cd_resume();
      voice_start(s.stream->voice);
   }
}

void cd_backend_seek(double fraction)
{
   CdSong &s = song();
   if (!s.stream || s.length_frames <= 0)
      return;
   const auto target = static_cast<int32_t>(std::clamp(fraction, 0.0, 1.0) * (s.length_frames - 1));
   cd_command("play cdaudio from %u:%s to %s", CD_TRACK, format_msf(target).c_str(), cd_state.cd_resume_to);
   s.silent_buffers = 0;
   if (s.paused)
      cd_pause();
}

void cd_backend_stop()
{
   CdSong &s = song();
   s.stream.reset();
   s.paused = false;
   cd_stop();
}

int cd_backend_poll_interval_ms()
{
   return stream_poll_interval_ms(static_cast<int>(song().buffer_frames), CD_SAMPLE_RATE);
}

const char *const NO_EXTENSIONS[] = {nullptr};

}

void read_cd_settings()
{
   cd_set_device(get_config_string(CD_SECTION, CD_DEVICE_KEY, ""));
}

const BACKEND cd_backend = {
   BACKEND_CD,
   NO_EXTENSIONS,
   false,
   cd_backend_start,
   cd_backend_poll,
   cd_backend_position,
   cd_backend_length,
   cd_backend_pause,
   cd_backend_seek,
   cd_backend_stop,
   cd_backend_poll_interval_ms,
};
