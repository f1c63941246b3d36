#!/usr/bin/env bash
# Installs what is missing, builds the world map program, writes its sound
# files into its working folder (world/) when one of them is missing, and
# starts it there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
"$top/tools/build.sh" release
if [ ! -x "$top/build/bin/worldmap" ]; then
  echo "The world map program is not built yet." >&2
  exit 1
fi
folder="$top/world"
if [ ! -f "$folder/MainMap.mus" ] || [ ! -f "$folder/MainMap.sfx" ]; then
  "$top/build/bin/worldmap-artgen" "$folder"
fi
cd "$folder"
exec "$top/build/bin/worldmap"
