#!/usr/bin/env bash
# Configures and builds the loader into build/ (or the folder in BUILD_DIR).
# Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
build_dir="${BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)"
