#!/usr/bin/env bash
# Fetches Scintilla, the editing component, from Debian's source package `scite` into the build
# folder and unpacks it there (apt checks the package's checksums). Prints the unpacked
# `scintilla` folder. Nothing of it is kept in the repository.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

version=5.3.3-1
dir=$PENLET_BUILD/scintilla-$version
if [ ! -f "$dir/scintilla/include/Scintilla.h" ]; then
  mkdir -p "$dir/download"
  log "fetching Scintilla (Debian source package scite $version)"
  (cd "$dir/download" && apt-get source --download-only "scite=$version" >/dev/null 2>&1) || {
    log "could not fetch scite $version: is Debian's source archive (deb-src) enabled?"
    exit 1
  }
  tar -xzf "$dir/download/scite_${version%-*}.orig.tar.gz" -C "$dir" scintilla
fi
echo "$dir/scintilla"
