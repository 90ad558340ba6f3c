#!/usr/bin/env bash
# Fetches Debian's source package of TagLib (the tag library Lumo reads titles, artists, albums
# and durations with) and builds it with the project's mingw-w64 toolchain as a static library,
# with Debian's mingw zlib for compressed ID3v2 frames. Everything stays under BUILD_DIR/taglib:
#   apt/      a private source list and package lists (the machine's apt configuration is only
#             read, to reuse the mirrors it already names)
#   src/      the unpacked source package
#   install/  headers and libtag.a, what CMakeLists.txt links into Lumo.exe
# A second run finds install/ complete for the pinned version and does nothing.
# Usage: tools/build-taglib.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
build=$(cd "${1:?build folder}" && pwd)

# The version Lumo is built and tested with (Debian 12's, with its security update).
version=1.13-2+deb12u1
root="$build/taglib"
install="$root/install"
stamp="$install/.lumo-taglib-$version"
[ -f "$stamp" ] && exit 0

started=$(date +%s)
rm -rf "$root"
mkdir -p "$root/apt/sources.list.d" "$root/apt/lists/partial" "$root/src"

# The private source list: a deb-src twin of every Debian archive the machine installs from.
python3 - "$root/apt/sources.list.d/lumo-taglib.sources" <<'EOF'
import glob
import re
import sys

entries = []
for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    with open(path, encoding="utf-8") as f:
        for stanza in re.split(r"\n\s*\n", f.read()):
            fields = {}
            for line in stanza.splitlines():
                if line.startswith("#") or ":" not in line or line[0].isspace():
                    continue
                key, value = line.split(":", 1)
                fields[key.strip()] = value.strip()
            if "deb" in fields.get("Types", "").split() and fields.get("Enabled", "yes") != "no":
                entries.append((fields.get("URIs", ""), fields.get("Suites", ""),
                                fields.get("Components", ""), fields.get("Signed-By", "")))
for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
    try:
        lines = open(path, encoding="utf-8").read().splitlines()
    except OSError:
        continue
    for line in lines:
        m = re.match(r"\s*deb\s+(\[([^\]]*)\]\s+)?(\S+)\s+(\S+)\s+(.*)", line)
        if m:
            signed = re.search(r"signed-by=(\S+)", m.group(2) or "")
            entries.append((m.group(3), m.group(4), m.group(5).strip(),
                            signed.group(1) if signed else ""))
with open(sys.argv[1], "w", encoding="utf-8") as out:
    for uris, suites, components, signed_by in entries:
        # Only Debian's own archives carry Debian's source packages.
        if "debian" not in uris or not suites:
            continue
        out.write("Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n" % (uris, suites, components))
        if signed_by:
            out.write("Signed-By: %s\n" % signed_by)
        out.write("\n")
EOF
mkdir -p "$root/apt/cache/archives/partial"
apt_options=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$root/apt/sources.list.d"
             -o "Dir::State::Lists=$root/apt/lists" -o "Dir::Cache=$root/apt/cache"
             -o APT::Sandbox::User=root)
echo "build-taglib: fetching the source package taglib $version"
apt-get "${apt_options[@]}" update -qq >"$root/apt/update.log" 2>&1 \
  || { cat "$root/apt/update.log" >&2; exit 1; }
(cd "$root/src" && apt-get "${apt_options[@]}" source --download-only -qq "taglib=$version") \
  >"$root/apt/source.log" 2>&1 || { cat "$root/apt/source.log" >&2; exit 1; }
(cd "$root/src" && dpkg-source -x --no-check taglib_*.dsc taglib) >"$root/apt/unpack.log" 2>&1 \
  || { cat "$root/apt/unpack.log" >&2; exit 1; }

echo "build-taglib: building a static library with mingw-w64"
# Debian builds TagLib against its packaged UTF-8 library (libutfcpp-dev, header only); its own
# folder holds nothing but those headers, so the cross compiler may search it.
cmake -S "$root/src/taglib" -B "$root/obj" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF -DBUILD_EXAMPLES=OFF \
  -DBUILD_BINDINGS=OFF -DWITH_ZLIB=ON -DCMAKE_INSTALL_PREFIX="$install" \
  -DZLIB_ROOT=/usr/x86_64-w64-mingw32 -DCMAKE_CXX_FLAGS="-I/usr/include/utf8cpp" \
  >"$root/configure.log" 2>&1 \
  || { cat "$root/configure.log" >&2; exit 1; }
grep -q 'HAVE_ZLIB 1' "$root/obj/config.h" || { echo "build-taglib: zlib not found" >&2; exit 1; }
cmake --build "$root/obj" -j "${LUMO_JOBS:-2}" >"$root/build.log" 2>&1 \
  || { tail -n 40 "$root/build.log" >&2; exit 1; }
cmake --install "$root/obj" >"$root/install.log" 2>&1 || { cat "$root/install.log" >&2; exit 1; }
touch "$stamp"
echo "build-taglib: done in $(( $(date +%s) - started )) s ($install)"
