#!/bin/sh
# Configures a preset's build and builds the targets given, or all of it (for
# the asan preset, its preset's targets).
#   tools/build-preset.sh PRESET [TARGET...]
set -e
cd "$(dirname "$0")/.."
preset=$1
shift
cmake --preset "$preset" >/dev/null
if [ $# -gt 0 ]; then
    cmake --build --preset "$preset" --target "$@"
else
    cmake --build --preset "$preset"
fi
