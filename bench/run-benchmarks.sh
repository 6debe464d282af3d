#!/usr/bin/env bash
# Builds the program and runs every benchmark; each prints its figures as
# ratios measured in the same run, so they compare across machines, with its
# goal, and exits non-zero when it misses it. The script goes on through all
# of them and exits non-zero when any missed its goal.
#   bench/run-benchmarks.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/setup.sh >/dev/null
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/sart-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
failed=0
for bench in archive-scan archive-index shared-archive startup idle-cpu reception receive-dialog report-pdf word-export \
    register signing; do
  binary="$(find build/bench/"$bench" -maxdepth 1 -type f -name 'bench_*' -perm -u+x | head -n 1)"
  if [ -z "$binary" ]; then
    echo "$bench: not built"
    continue
  fi
  "$binary" || { echo "$bench: goal missed"; failed=1; }
done
exit "$failed"
