#!/usr/bin/env bash
# Whole-program figures of the game on a virtual X server, side by side with a bare Qt window
# of the same size with one menu, measured in the same run:
#   - start-up until the window is mapped (viewable), and resident memory 2 s after start,
#     median of RUNS runs each (the two programs take turns);
#   - CPU time over 60 s (IDLE_S) of a running easy game that nobody plays;
#   - one press that picks a tile, from the mouse event to the painted picture, and a full
#     redraw shown, as the picture benchmark measures them on this X server.
#
#   bench/whole-program.sh [build-dir]      (default build/release; run by hand, not by CI)
#
# Needs the release build's quenlow, bare_window, startup_probe and picture_bench, and Xvfb
# and xdotool.
set -euo pipefail

build=${1:-build/release}
runs=${RUNS:-7}
idle_s=${IDLE_S:-60}
game=$build/ui/qt/quenlow
bare=$build/bench/bare_window
probe=$build/bench/startup_probe
picture_bench=$build/bench/picture_bench
for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 1; }
done
for program in "$game" "$bare" "$probe" "$picture_bench"; do
  [[ -x $program ]] || { echo "no program at $program (build the release preset)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
running_pid=
cleanup() {
  if [[ -n $running_pid ]]; then kill "$running_pid" 2>/dev/null || true; fi
  if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=
for n in $(seq 150 200); do
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  # -noreset: the runs start one program after another, and a server that resets when its
  # last client leaves would refuse the next one for a moment.
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    if xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
    sleep 0.1
  done
  [[ -n $display ]] && break
  kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; xvfb_pid=
done
[[ -n $display ]] || { echo "no X server could be started" >&2; exit 1; }
export DISPLAY=$display QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR

# Each program runs from a folder of its own (the game keeps score.ini beside itself).
mkdir "$work/game" "$work/bare"
cp "$game" "$work/game/quenlow"
cp "$bare" "$work/bare/bare_window"

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

probe_once() {  # title program: appends startup_ms and rss_kb to files named after the title
  local out
  out=$("$probe" "$1" "$2")
  awk '$1 == "startup_ms" { print $2 }' <<<"$out" >>"$work/$1.startup"
  awk '$1 == "rss_kb" { print $2 }' <<<"$out" >>"$work/$1.rss"
}
echo "start-up and memory, $runs runs each ..." >&2
probe_once Bare "$work/bare/bare_window"  # warms the caches for both; not counted
: >"$work/Bare.startup"; : >"$work/Bare.rss"
for i in $(seq "$runs"); do
  if ((i % 2)); then
    probe_once Quenlow "$work/game/quenlow"; probe_once Bare "$work/bare/bare_window"
  else
    probe_once Bare "$work/bare/bare_window"; probe_once Quenlow "$work/game/quenlow"
  fi
done
game_start=$(median <"$work/Quenlow.startup")
bare_start=$(median <"$work/Bare.startup")
game_rss=$(median <"$work/Quenlow.rss")
bare_rss=$(median <"$work/Bare.rss")

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }  # utime + stime
idle_cpu() {  # title program [key]: percent of one core over idle_s seconds
  (cd "$(dirname "$2")" && exec "./$(basename "$2")") >/dev/null 2>&1 &
  running_pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name "^$1\$" | head -1)
  if [[ -n ${3:-} ]]; then
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers "$3"
  fi
  sleep 2
  local before after
  before=$(cpu_ticks "$running_pid")
  sleep "$idle_s"
  after=$(cpu_ticks "$running_pid")
  kill "$running_pid"; wait "$running_pid" 2>/dev/null || true; running_pid=
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$idle_s" \
    'BEGIN { printf "%.3f", 100 * t / hz / s }'
}
echo "idle CPU over ${idle_s} s each ..." >&2
game_idle=$(idle_cpu Quenlow "$work/game/quenlow" F2)
bare_idle=$(idle_cpu Bare "$work/bare/bare_window")

echo "picking press and full redraw on this X server ..." >&2
"$picture_bench" --benchmark_filter='BM_PickingPress|BM_DrawBoardAndRepaint' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=json >"$work/press.json" 2>/dev/null
press() {  # benchmark name prefix, field: the median in microseconds
  python3 - "$work/press.json" "$1" "$2" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
run = next(r for r in runs if r["name"].startswith(sys.argv[2]) and r.get("aggregate_name") == "median")
print("%.0f" % run[sys.argv[3]])
PY
}

cat <<TABLE
| figure | Quenlow | bare window | ratio | budget |
|---|---|---|---|---|
| start-up to viewable window, median of $runs (ms) | $game_start | $bare_start | $(ratio "$game_start" "$bare_start") | <= 1.25 |
| resident memory 2 s after start, median of $runs (kB) | $game_rss | $bare_rss | $(ratio "$game_rss" "$bare_rss") | <= 1.15 |
| CPU over ${idle_s} s of a running game, idle (% of a core) | $game_idle | $bare_idle | | < 0.2 |
| picking press, event to painted picture, median of 5 (us wall / CPU) | $(press BM_PickingPress real_time) / $(press BM_PickingPress cpu_time) | | | <= 1000 |
| DrawBoard + repaint of the board view, median of 5 (us wall / CPU) | $(press BM_DrawBoardAndRepaint real_time) / $(press BM_DrawBoardAndRepaint cpu_time) | | | <= 1000 |
TABLE
