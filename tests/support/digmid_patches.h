// A patch set for Allegro's software MIDI synthesiser (DIGMID), made from
// Debian's freepats package (installed by scripts/setup.sh).
//
// DIGMID reads a GUS-style default.cfg and resolves the .pat names in it
// against that file's own folder; it does not understand the "dir" line of
// freepats' TiMidity configuration. So the index is copied into a private
// folder that lives until process exit, beside links to the folders its
// "dir" line names. Point "patches" in section "sound" at the returned file.
//
// Measured: the melodic patches play; freepats' drum patches stay silent
// under DIGMID, whether on channel 10 or as a melodic program, so percussion
// cannot be captured with this set.
#pragma once

#include <string>

namespace kstr::test {

// Path of the prepared default.cfg; empty, with a reported failure, when the
// patch set is missing. Prepared once per process.
std::string digmid_patch_index();

}
