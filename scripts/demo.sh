#!/usr/bin/env bash
# The main job: installs what is missing, builds Tessaly and renders the built-in demo
# signal through the plug-in with the sides raised by 3 dB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DTESSALY_TESTS=OFF
"$root/build/tools/tessaly-host" info
"$root/build/tools/tessaly-host" render --set Stereo=3 --out "$root/build/demo.wav"
