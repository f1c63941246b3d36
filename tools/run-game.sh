#!/usr/bin/env bash
# Installs what is missing, builds the game and the artwork generator (only
# what it runs: tools/test.sh builds the rest), writes the default working
# folder (game/) when it is not there yet, and starts the game in it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh"
"$top/tools/build.sh" release Orvex artgen
if [ ! -x "$top/build/bin/Orvex" ]; then
  echo "The game program is not built yet." >&2
  exit 1
fi
if [ ! -d "$top/game" ]; then
  if [ ! -x "$top/build/bin/artgen" ]; then
    echo "The artwork generator (artgen) is not built yet: there is no working folder to start the game in." >&2
    exit 1
  fi
  "$top/build/bin/artgen" "$top/game"
fi
cd "$top/game"
exec "$top/build/bin/Orvex"
