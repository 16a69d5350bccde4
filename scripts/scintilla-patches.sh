#!/usr/bin/env bash
# Edits the series of changes to Scintilla in patches/scintilla/ through Git (needs only Git and
# bash, as Git for Windows has them):
#   scripts/scintilla-patches.sh work [release dir]
#       makes build/scintilla-work, a Git repository of the release with one commit per patch;
#       edit there and amend a commit (git rebase -i), or commit a new change on top
#   scripts/scintilla-patches.sh export
#       writes the work repository's commits back as the series, one patch per commit, each
#       under its old name when its subject is unchanged
# The release defaults to the one scripts/fetch-scintilla.sh unpacks.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
series=$root/patches/scintilla
work=${PENLET_BUILD:-$root/build}/scintilla-work
git_work() { GIT_CEILING_DIRECTORIES=$(dirname "$work") git -C "$work" "$@"; }
subject() { sed -n 's/^Subject: \[PATCH[^]]*\] //p' "$1" | head -1; }

case ${1:-} in
work)
  release=${2:-$("$root/scripts/fetch-scintilla.sh")}
  rm -rf "$work"
  mkdir -p "$work"
  cp -R "$release/src" "$release/win32" "$release/include" "$work/"
  git_work init -q
  git_work config core.autocrlf false
  git_work add -A
  git_work -c user.name=Scintilla -c user.email=scintilla@localhost \
    commit -q -m "Scintilla as released" --date "2023-01-01T00:00:00Z"
  git_work tag release
  for patch in "$series"/*.patch; do
    git_work -c user.name=Penlet -c user.email=penlet@localhost am -q --keep-cr "$patch" ||
      { echo "$(basename "$patch") does not apply; see git am's message above" >&2; exit 1; }
  done
  echo "$work: $(git_work rev-list --count release..HEAD) patches applied on the release"
  ;;
export)
  [ -d "$work/.git" ] || { echo "no $work: run '$0 work' first" >&2; exit 1; }
  out=$(mktemp -d)
  git_work format-patch -q --no-numbered --zero-commit --no-signature -o "$out" release..HEAD
  old=("$series"/*.patch)
  subjects=()
  for patch in "${old[@]}"; do subjects+=("$(subject "$patch")"); done
  rm -f "$series"/*.patch
  i=0
  for patch in "$out"/*.patch; do
    name=$(basename "$patch")
    if [ $i -lt ${#old[@]} ] && [ "$(subject "$patch")" = "${subjects[$i]}" ]; then
      name=$(printf '%04d' $((i + 1)))-$(basename "${old[$i]}" | cut -d- -f2-)
    fi
    mv "$patch" "$series/$name"
    i=$((i + 1))
  done
  rm -rf "$out"
  git -C "$root" status --short -- patches/scintilla
  ;;
*)
  sed -n '2,10s/^# \{0,1\}//p' "$0" >&2
  exit 2
  ;;
esac
