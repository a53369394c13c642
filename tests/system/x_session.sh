# Shared by the scripts that run the real game on a virtual X server; sourced, not run.
#   start_x          starts Xvfb on a free display and exports DISPLAY (leaves with 77 if it
#                    cannot); its screen is $xvfb_screen, by default 1280x1024x24
#   start_game DIR [PREFIX...]
#                    starts DIR/quenlow from DIR (through PREFIX, e.g. setpriv), sets game_pid;
#                    its output goes to $game_log, by default DIR/game.log
#   wait_window T    waits for a viewable top-level window titled T, prints its id
#   stop_all         kills what was started (the EXIT trap calls it)
# Callers set `work` (a scratch folder) before sourcing.

skip=77
x_session_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
skip_test() { echo "SKIPPED: $*" >&2; exit $skip; }

xvfb_pid=
game_pid=

stop_all() {
  [[ -n $game_pid ]] && kill -9 "$game_pid" 2>/dev/null
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}

start_x() {
  for tool in Xvfb xdpyinfo xdotool; do
    command -v "$tool" >/dev/null || skip_test "$tool is not installed, so no X server can be run"
  done
  local display= n
  # A display number nobody uses; Xvfb refuses one that is taken, so try a few.
  for n in $(seq $((150 + RANDOM % 200)) 400); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    # -noreset: a server that resets when its last client leaves refuses the next one for a
    # moment, and a test that starts one game after another would meet it resetting.
    Xvfb ":$n" -screen 0 "${xvfb_screen:-1280x1024x24}" -nolisten tcp -noreset \
      >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      # Our own server must still be alive: when another run took the number first, xdpyinfo
      # answers for that run's server and we would share its display.
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then display=":$n"; break; fi
      sleep 0.1
    done
    [[ -n $display ]] && break
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=
  done
  [[ -n $display ]] || skip_test "no X server could be started (Xvfb: $(tail -1 "$work/xvfb.log"))"
  export DISPLAY=$display
  unset QT_QPA_PLATFORM QT_SCALE_FACTOR
}

# The sanitizers of an instrumented build write their reports into files under $1 rather than
# onto the terminal, so that a report cannot be missed among the program's own output.
sanitizer_logs_to() {
  export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}:log_path=$1/asan"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}:log_path=$1/ubsan"
  # A copy beside the logs, which a game run as another user can read too.
  cp "$x_session_dir/lsan.supp" "$1/lsan.supp" && chmod 644 "$1/lsan.supp"
  export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$1/lsan.supp:print_suppressions=0"
}

# Fails when a sanitizer wrote a report under $1.
check_sanitizer_logs() {
  local log
  for log in "$1"/asan* "$1"/ubsan*; do
    [[ -e $log ]] || continue
    if [[ -s $log ]]; then
      echo "---- $log" >&2
      head -60 "$log" >&2
      fail "a sanitizer reported a fault (see above)"
    fi
  done
}

start_game() {
  local dir=$1 log=${game_log:-$1/game.log}
  shift
  (cd "$dir" && QT_QPA_PLATFORM=xcb exec "$@" ./quenlow >"$log" 2>&1) &
  game_pid=$!
}

wait_window() {
  local window= _
  for _ in $(seq 600); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n $window ]] && { echo "$window"; return 0; }
    [[ -n $game_pid ]] && ! kill -0 "$game_pid" 2>/dev/null && return 1
    sleep 0.1
  done
  return 1
}

# Waits up to $1 tenths of a second for the game to end; its status in game_status.
wait_game_end() {
  local _
  for _ in $(seq "$1"); do
    kill -0 "$game_pid" 2>/dev/null || break
    # A process that has ended but is not reaped yet still answers kill -0.
    [[ $(awk '{print $3}' "/proc/$game_pid/stat" 2>/dev/null) == Z ]] && break
    sleep 0.1
  done
  if [[ $(awk '{print $3}' "/proc/$game_pid/stat" 2>/dev/null) =~ ^[RSDT]$ ]]; then
    return 1
  fi
  wait "$game_pid"
  game_status=$?
  game_pid=
  return 0
}
