// vorbisfile callbacks that read an OGG_PLAYER's memory block in place.
// The datasource is the player; offsets are 32-bit, so blocks longer than
// 2^31 bytes are out of reach.
#pragma once

#include <cstddef>
#include <cstdint>

#include "streams/ogg_player_record.h"

// Copies whole items of `size` bytes, as many as are wanted and left.
size_t ogg_memory_read(void *dest, size_t size, size_t count, void *player);
// Whence 0 (start), 1 (current) or 2 (end), with only the low 32 bits of
// `offset`. -1 and no move for another whence or a target outside the block.
int ogg_memory_seek(void *player, ogg_int64_t offset, int whence);
// Rewinds; the block stays the caller's.
int ogg_memory_close(void *player);
long ogg_memory_tell(void *player);

ov_callbacks ogg_memory_callbacks();
