#!/usr/bin/env bash
# Sets up, builds and runs every test. BUILD_DIR and the configure arguments
# select another build (the sanitizer build of CI uses them).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh "$@"
export LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --parallel "$(nproc)" --timeout 600
