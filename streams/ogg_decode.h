// Decoding loop shared by the Ogg player's poll and its whole-file sample.
#pragma once

#include <cstddef>
#include <cstdint>

struct OGG_PLAYER;

enum class OggDecodeEnd { full, end_of_stream, error };

struct OggDecoded {
   OggDecodeEnd end;
   size_t bytes;  // written to dest
};

// Fills `bytes` bytes with 16-bit unsigned silence (0x8000).
void ogg_fill_silence(void *dest, size_t bytes);

// Decodes 16-bit unsigned little-endian PCM into dest until `bytes` are
// written, the stream ends or decoding fails; gaps in the data are skipped.
// When looping, the end goes back to the start and reading goes on, unless
// the stream yields nothing from its start at all (then: end_of_stream).
// At the end of the stream and after a failure the read position is at the
// start again; dest keeps what was decoded. The rest of dest is untouched.
OggDecoded ogg_decode_into(OGG_PLAYER &player, uint8_t *dest, size_t bytes, bool loop);
