#!/usr/bin/env bash
# Copies the README's screenshots from the end-to-end suite's output into docs/screenshots/: one
# picture per page, taken by the flows of tools/e2e/ under BUILD_DIR/screenshots/ during a test run.
# Usage: tools/update-screenshots.sh [BUILD_DIR]   (default build; run ./lumo test or make test first)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
src=$(dirname "$here")
build=${1:-$src/build}
shots="$build/screenshots"
target="$src/docs/screenshots"

# README name <- the flow's screenshot (both PNG, 320 x 480, the client area of the window)
pictures=(
  "player.png:e2e-player-playing.png"     # a list with a track playing
  "drawer.png:e2e-drawer.png"             # the playlist drawer open beside the player
  "browse.png:e2e-browse-ticks.png"       # the browse page with two files and a folder ticked
  "input.png:e2e-input-typed.png"         # the add-playlist input box with a Chinese name typed
  "settings.png:e2e-settings.png"         # the settings page
  "help.png:e2e-help.png"                 # the help page
)

missing=0
for pair in "${pictures[@]}"; do
  [ -f "$shots/${pair#*:}" ] || { echo "update-screenshots: $shots/${pair#*:} is missing" >&2; missing=1; }
done
[ $missing -eq 0 ] || { echo "update-screenshots: run the end-to-end suite first (./lumo test)" >&2; exit 1; }

mkdir -p "$target"
for pair in "${pictures[@]}"; do
  cp "$shots/${pair#*:}" "$target/${pair%%:*}"
  echo "docs/screenshots/${pair%%:*}"
done
