#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each for N seconds
# (default 10), starting from its committed corpus in fuzz/corpus/<target>/.
# Exits non-zero when any target finds a crash, a hang or a leak; the input
# that did it is kept in build-fuzz/fuzz-findings/. Copy it into
# fuzz/corpus/<target>/ once fixed, so that every later run replays it.
#   fuzz/run-fuzzers.sh [seconds] [target...]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
build="${SART_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seconds="${1:-10}"
shift || true

if (($#)); then
  targets=("$@")
else
  mapfile -t targets < <(sed -n 's/^[[:space:]]*sart_fuzzer(\([A-Za-z0-9_]*\).*/\1/p' "$here/CMakeLists.txt")
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DSART_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target "${targets[@]}" -j2

export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
findings="$build/fuzz-findings"
mkdir -p "$findings"
failed=()
for target in "${targets[@]}"; do
  binary="$(find "$build" -type f -name "$target" -perm -u+x | head -n 1)"
  seeds="$here/corpus/$target"
  work="$build/fuzz-corpus/$target"
  mkdir -p "$seeds" "$work"
  echo "== $target: $seconds s"
  if ! "$binary" "$work" "$seeds" -max_total_time="$seconds" -timeout=10 \
      -artifact_prefix="$findings/$target-" -print_final_stats=1 >"$findings/$target.log" 2>&1; then
    failed+=("$target")
    tail -n 40 "$findings/$target.log"
  else
    grep -E '^stat::number_of_executed_units|^Done' "$findings/$target.log" || true
  fi
done

if ((${#failed[@]})); then
  echo "Findings in: ${failed[*]} (inputs and logs in $findings)" >&2
  exit 1
fi
echo "No findings."
