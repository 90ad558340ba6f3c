#!/usr/bin/env bash
# Prepares a fresh Debian 12 machine and a build folder for Lumo: installs the missing packages,
# generates the locales Wine needs to report zh-CN, builds TagLib from Debian's source package
# (tools/build-taglib.sh, once per build folder) and creates the private Wine prefix.
# Usage: tools/setup.sh BUILD_DIR [--sound-null]   (--sound-null: ALSA null device in the Wine HOME)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?build folder}
mkdir -p "$build"

packages=(cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
          wine wine64 xvfb xauth x11-utils xdotool xclip imagemagick
          gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly gstreamer1.0-libav
          fonts-wqy-microhei locales sox libsox-fmt-mp3 lame ffmpeg python3 zip
          dpkg-dev libz-mingw-w64-dev libutfcpp-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine reads the glibc locale to answer GetUserDefaultLocaleName; generate ours without root.
locales="$(cd "$build" && pwd)/locale"
mkdir -p "$locales"
for loc in zh_CN zh_TW en_US; do
  [ -d "$locales/$loc.UTF-8" ] || localedef -i "$loc" -f UTF-8 "$locales/$loc.UTF-8" >/dev/null 2>&1 || true
  [ -d "$locales/$loc.UTF-8" ] || { echo "setup: cannot generate locale $loc" >&2; exit 1; }
done

"$here/build-taglib.sh" "$build"

. "$here/lumo-env.sh" "$build"

mkdir -p "$HOME"
printf 'pcm.!default { type null }\n' > "$LUMO_BUILD/wine/asoundrc-null"
if [ "${2:-}" = "--sound-null" ]; then
  cp "$LUMO_BUILD/wine/asoundrc-null" "$HOME/.asoundrc"
else
  rm -f "$HOME/.asoundrc"
fi

if [ ! -f "$WINEPREFIX/.lumo-ready" ]; then
  echo "setup: creating the Wine prefix in $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineboot -i >"$LUMO_BUILD/wine/wineboot.log" 2>&1
  # Without a window manager, destroying a top-level window waits ~2 s unless Wine manages none.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$LUMO_BUILD/wine/wineboot.log" 2>&1
  # Chinese glyphs in every font the program or Wine picks.
  for face in 'DejaVu Sans' 'Tahoma' 'MS Shell Dlg' 'Microsoft Sans Serif' 'Arial'; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >>"$LUMO_BUILD/wine/wineboot.log" 2>&1
  done
  wineserver -w
  touch "$WINEPREFIX/.lumo-ready"
fi
