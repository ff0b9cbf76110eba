#!/usr/bin/env bash
# Builds the Debian package: a release build in build-deb/ (or BUILD_DIR),
# then cpack. Prints the path of the .deb. JOBS sets the build's parallelism.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
# dpkg-shlibdeps works out the package's dependencies.
if ! command -v dpkg-shlibdeps >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends dpkg-dev
fi
build_dir="$(realpath -m "${BUILD_DIR:-build-deb}")"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DYKT_BUILD_TESTS=OFF \
    -DYKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --parallel "${JOBS:-$(nproc)}"
# cpack ends with "CPack: - package: PATH generated."
(cd "$build_dir" && cpack -G DEB) | sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p'
