#!/usr/bin/env bash
# Installs what is missing (Debian 12, never removing anything), then
# configures and builds into ./build. Quick when everything is already there.
#   scripts/setup.sh          the program, its Word plugin, the sample maker and
#                             the tester simulator: what ./run needs
#   scripts/setup.sh --tests  everything, tests and benchmarks included
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh "$@"

build_dir="${SART_BUILD_DIR:-build}"
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SART_CMAKE_ARGS:-}
fi
if [ "${1:-}" = --tests ]; then
  cmake --build "$build_dir" -j"$(nproc)"
else
  cmake --build "$build_dir" -j"$(nproc)" --target sart_program
fi
