#!/usr/bin/env bash
# Sets up, builds and starts the loader. "--simulate" attaches the built-in
# virtual module instead of a real one; see "--help" for the other options.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build.sh >/dev/null
export LANG="${LANG:-C.UTF-8}"
if [ -x build/bin/ykt4m-loader ]; then
    exec build/bin/ykt4m-loader "$@"
fi
exec build/bin/ykt4m-cli read "$@"
