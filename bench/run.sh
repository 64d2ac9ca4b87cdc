#!/usr/bin/env bash
# Runs every benchmark of a build: bench/run.sh BUILD_DIR
# Start-up: the program against a bare Qt Widgets window, both offscreen, 15 runs each,
# median time from process start to window shown and median peak resident memory.
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen

python3 - "$build/bench" <<'PY'
import os, statistics, subprocess, sys
folder = sys.argv[1]
def run(args):
    proc = subprocess.Popen([os.path.join(folder, args[0])] + args[1:], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    out = proc.stdout.read()
    _, _, usage = os.wait4(proc.pid, 0)
    return float(out.split()[-1]), usage.ru_maxrss / 1024.0
modes = {"program": ["bench_startup"], "bare window": ["bench_floor"],
         "window with text": ["bench_floor", "--text"]}
results = {k: [] for k in modes}
for _ in range(15):
    for name, args in modes.items():
        results[name].append(run(args))
med = {k: (statistics.median(t for t, _ in v), statistics.median(m for _, m in v)) for k, v in results.items()}
p = med["program"]
print(f"start-up: program {p[0]:.1f} ms, {p[1]:.1f} MiB peak (median of 15, offscreen)")
for floor in ("bare window", "window with text"):
    f = med[floor]
    print(f"  {floor:17} {f[0]:6.1f} ms {f[1]:6.1f} MiB -> ratio time {p[0]/f[0]:.2f}x,"
          f" memory {p[1]/f[1]:.2f}x (goal 1.3x / 1.5x of the bare window)")
PY

for bench in "$build"/bench/bench_*; do
  case "$(basename "$bench")" in bench_startup | bench_floor) continue ;; esac
  echo "== $(basename "$bench")"
  "$bench" || echo "($(basename "$bench") reports a goal not met)"
done
