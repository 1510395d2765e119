#!/usr/bin/env bash
# Builds the patch set of Allegro's software MIDI synthesiser (DIGMID) from
# Debian's freepats: a datafile made by Allegro's pat2dat.
# Usage: bash make_patches.sh <output.dat>
#
# DIGMID and pat2dat read a GUS-style default.cfg and resolve the .pat names in
# it against that file's own folder; they do not understand the "dir" line of
# freepats' TiMidity configuration. So the index is copied into a scratch
# folder beside links to the folders its "dir" lines name.
set -euo pipefail
out=$1
index=/etc/timidity/freepats.cfg
[ -r "$index" ] || { echo "no MIDI patch set: $index is missing (package freepats)" >&2; exit 1; }
command -v pat2dat >/dev/null || { echo "pat2dat is missing (package liballegro4-dev)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$index" "$work/default.cfg"
while read -r word dir _; do
  [ "$word" = dir ] || continue
  for entry in "$dir"/*; do
    ln -s "$entry" "$work/"
  done
done < "$index"
mkdir -p "$(dirname "$out")"
# pat2dat names its output itself from a name ending in ".dat"; it is written
# in the scratch folder and moved, so a broken run leaves no half file.
(cd "$work" && pat2dat -o patches.dat default.cfg >/dev/null 2>&1)
[ -s "$work/patches.dat" ] || { echo "pat2dat made no patch set" >&2; exit 1; }
mv "$work/patches.dat" "$out"
