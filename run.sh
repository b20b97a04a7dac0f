#!/usr/bin/env bash
# Installs what is missing, builds, and starts the timer.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build -j"$(nproc)" --target vantoli-timer
exec build/vantoli-timer "$@"
