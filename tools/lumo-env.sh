# Sourced by the tools: the environment Wine runs Lumo and its tests in, all under one build folder.
# Usage: . tools/lumo-env.sh BUILD_DIR
LUMO_BUILD=$(cd "$1" && pwd)
export WINEPREFIX="$LUMO_BUILD/wine/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# mono and gecko are never needed; without this wineboot asks to download them
export WINEDLLOVERRIDES="mscoree,mshtml="
# A private HOME whose .asoundrc gives ALSA a null device when the machine has no sound card
export HOME="$LUMO_BUILD/wine/home"
export LOCPATH="$LUMO_BUILD/locale"
unset LC_ALL
export LANG=zh_CN.UTF-8
