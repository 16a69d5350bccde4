#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine (as root); skips what is there.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

packages=(cmake make g++ clang-format googletest libgtest-dev g++-mingw-w64-i686 wine wine32:i386
  xvfb x11-utils x11-apps imagemagick locales fonts-ipafont-gothic fonts-ipafont-mincho
  fonts-wine cups-daemon cups-client printer-driver-cups-pdf libcups2:i386 poppler-utils clang libclang-rt-dev
  uim-xim uim-anthy xdotool)
missing=()
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# A mirror caught in the middle of a sync fails one index now and then: try again, and if it
# still fails, go on with the indexes apt has, remembering which failed for the message below.
stale_indexes=""
update_index() {
  local try out
  for try in 1 2 3; do
    out=$(LC_ALL=C $SUDO apt-get update -qq 2>&1) && { stale_indexes=""; return 0; }
    sleep $((try * 10))
  done
  printf '%s\n' "$out" >&2
  stale_indexes=$(printf '%s\n' "$out" | sed -n 's/^E: Failed to fetch \([^ ]*\) *\(.*\)$/  \1: \2/p' | sort -u)
  log "warning: apt-get update failed three times; installing from the indexes at hand"
}
# Scintilla comes from Debian's source archive (scripts/fetch-scintilla.sh): a deb-src entry for
# the machine's own suite.
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources; then
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  log "enabling Debian's source archive for $suite"
  printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$suite" | $SUDO tee /etc/apt/sources.list.d/penlet-deb-src.sources >/dev/null
  update_index
fi
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  log "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  update_index
  if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null; then
    if [ -n "$stale_indexes" ]; then
      log "could not install: ${missing[*]}"
      log "The package mirror's index is out of step with its signed release file:"
      printf '%s\n' "$stale_indexes" >&2
      log "so apt does not see the versions that match the packages already installed (it says"
      log "only \"held broken packages\"). The mirror is in the middle of a sync: run this again once"
      log "it has finished, or name another Debian mirror in /etc/apt/sources.list.d/. Do not turn"
      log "apt's signature checks off for it."
    fi
    exit 1
  fi
fi
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  log "generating the ja_JP.UTF-8 locale"
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
