#!/usr/bin/env bash
# Runs every benchmark program of a build: bench/run.sh [BUILD_DIR]
# Each prints its goal and whether it is met; a goal not met is reported, not fatal.
# bench_floor is the plain window bench_startup measures the program against, not a benchmark.
# bench_wheels gives each of its 43 covering cells up to 20 s on both cores: about 15 minutes.
# bench_backtest runs four mixes over 100,000 draws on both cores: under a minute.
set -uo pipefail
build=${1:-build}
# Headless unless a display is given.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi

status=0
for bench in "$build"/bench/bench_*; do
  name=$(basename "$bench")
  [ -f "$bench" ] && [ -x "$bench" ] || continue # skips the generated *_autogen folders
  [ "$name" = bench_floor ] && continue
  echo "== $name"
  if ! "$bench"; then
    echo "($name: a goal not met, or it could not run)"
    status=1
  fi
done
exit $status
