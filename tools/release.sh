#!/usr/bin/env bash
# Builds Lumo.exe and packs what a user downloads: dist/Lumo-<version>.zip holding one folder
# "Lumo-<version>" with Lumo.exe (stripped; every resource compiled in), "TitleIcon.png" beside it
# (the status bar icons the frame reads from beside the executable first) and README.txt (Chinese
# and English, from tools/release/README.txt). The version is the one the settings page shows,
# read by tools/version.py from resources/StringTable.rc ("V1.3" -> Lumo-1.3.zip).
# Refuses to pack an executable that imports anything but Windows' own DLLs.
# Usage: tools/release.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
build=${1:?build folder}

version=$(python3 "$here/version.py")

"$here/setup.sh" "$build"
"$here/build.sh" "$build" --target Lumo
exe="$build/bin/Lumo.exe"

# Windows' own DLLs, lower case: everything else (libstdc++, libgcc, winpthread...) would have to
# ship beside Lumo.exe, which the static link is there to avoid.
system_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll gdiplus.dll kernel32.dll msimg32.dll
  msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll winmm.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
foreign=""
for dll in $imports; do
  case "$system_dlls" in
    *[[:space:]]"$dll"[[:space:]]*) ;;
    *) foreign="$foreign $dll" ;;
  esac
done
if [ -n "$foreign" ]; then
  echo "release: Lumo.exe imports DLLs that are not part of Windows:$foreign" >&2
  exit 1
fi

name="Lumo-$version"
stage=$(mktemp -d "${TMPDIR:-/tmp}/lumo-release.XXXXXX")
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
x86_64-w64-mingw32-strip -o "$stage/$name/Lumo.exe" "$exe"
cp "$src/resources/TitleIcon.png" "$stage/$name/TitleIcon.png"
# Notepad on every Windows version reads UTF-8 with the byte-order mark and CRLF line ends.
{
  printf '\357\273\277'
  sed -e "s/{VERSION}/$version/" -e 's/$/\r/' "$src/tools/release/README.txt"
} > "$stage/$name/README.txt"

mkdir -p "$src/dist"
zip_file="$src/dist/$name.zip"
rm -f "$zip_file"
(cd "$stage" && zip -q -X -r "$zip_file" "$name")
echo "release: $zip_file ($(du -k "$zip_file" | cut -f1) KB; imports:" $imports")"
