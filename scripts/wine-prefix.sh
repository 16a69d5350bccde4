#!/usr/bin/env bash
# Creates the project's own Wine prefix (under the build folder) with Japanese fonts mapped
# to the Windows face names that Penlet and Wine's dialogs ask for, and a virtual desktop:
# Wine then draws window frames itself and hides windows at once, where a bare X server
# without a window manager keeps every hide waiting for about two seconds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

stamp="$WINEPREFIX/.penlet-prefix-v2"
[ -f "$stamp" ] && exit 0

log "setting up the Wine prefix $WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
# A server kept alive for the tests would make the waits below wait for ever.
wineserver -k >/dev/null 2>&1 || true
wineboot -i >/dev/null 2>&1 </dev/null || true
wineserver -w || true

reg=$(mktemp --suffix=.reg)
{
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  while IFS='=' read -r face target; do
    printf '"%s"="%s"\r\n' "$face" "$target"
  done <<'MAP'
ＭＳ Ｐゴシック=IPAPGothic
ＭＳ ゴシック=IPAGothic
ＭＳ Ｐ明朝=IPAPMincho
ＭＳ 明朝=IPAMincho
MS PGothic=IPAPGothic
MS Gothic=IPAGothic
MS PMincho=IPAPMincho
MS Mincho=IPAMincho
MS UI Gothic=IPAPGothic
ＭＳ ＵＩ Ｇｏｔｈｉｃ=IPAPGothic
Meiryo UI=IPAPGothic
メイリオ=IPAPGothic
Tahoma=IPAPGothic
MS Shell Dlg=IPAPGothic
MS Shell Dlg 2=IPAPGothic
MS Sans Serif=IPAPGothic
Microsoft Sans Serif=IPAPGothic
Segoe UI=IPAPGothic
MAP
  printf '\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1280x1024"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16 >"$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1 </dev/null
rm -f "$reg"
wineserver -w || true
touch "$stamp"
log "Wine prefix ready"
