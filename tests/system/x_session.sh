# Shared by the scripts that run the real game on a virtual X server (and by the Wayland one,
# for its session); sourced, not run.
#
# The session:
#   need_programs FILE...   fails unless each FILE is a program (what the build should have made)
#   prepare_session [TOOL...]
#                    skips (77) unless each TOOL is installed; makes the scratch folder $work
#                    and sets the EXIT trap that stops what was started and removes $work
#   at_exit FUNCTION runs FUNCTION at the end, once all is stopped and before $work goes
#   start_helper CMD...  runs CMD in the background (a window manager, a picture), leaves its
#                    pid in helper_pid; stopped at the end, or before by stop_helper PID
#   start_x          starts Xvfb on a free display and exports DISPLAY (leaves with 77 if it
#                    cannot); its screen is $xvfb_screen, by default 1280x1024x24
#   suppress_toolkit_leaks  lets the leak checker pass what the X platform's libraries keep
# The game:
#   copy_game PROGRAM DIR   puts the program into DIR, where it keeps its score file
#   start_game DIR [PREFIX...]
#                    starts DIR/quenlow from DIR (through PREFIX, e.g. setpriv), sets game_pid;
#                    its output goes to $game_log, by default DIR/game.log
#   wait_main        waits for the main window, focuses it, leaves its id in main
#   press KEY...     sends the keys to the main window
#   close_game [T], quit_game [T]
#                    Alt+X, then waits up to T tenths of a second for the end; quit_game also
#                    fails unless the status is 0
#   stop_all         kills what was started (the EXIT trap calls it)
# Windows and pictures:
#   wait_window T    waits for a viewable top-level window titled T, prints its id
#   wait_other ID... waits for a box that is none of the ids nor the game's named windows
#   open_leaderboard opens the leaderboard from the game menu, prints its id
#   play_for_record DIR DRIVER NAME
#                    starts the game in DIR for an easy game that scores one pair and runs out
#                    of time, and types NAME for the record
#   expect_error_box PICTURE_TOOL TEXT
#                    the box after the record is the game's error box showing TEXT; closes it
#   shoot_screen FILE, same_picture A B

skip=77
x_session_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
skip_test() { echo "SKIPPED: $*" >&2; exit $skip; }

work=
xvfb_pid=
game_pid=
helper_pids=()
exit_steps=()

need_programs() {
  local file
  for file; do [[ -x $file ]] || fail "no program at $file"; done
}

prepare_session() {
  local tool
  for tool; do command -v "$tool" >/dev/null || skip_test "$tool is not installed"; done
  work=$(mktemp -d)
  trap end_session EXIT
}

at_exit() { exit_steps+=("$1"); }

end_session() {
  local step
  stop_all
  for step in "${exit_steps[@]}"; do "$step"; done
  [[ -n $work ]] && rm -rf "$work"
}

start_helper() {
  "$@" &
  helper_pid=$!
  helper_pids+=("$helper_pid")
}

stop_helper() {
  local pid kept=()
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
  for pid in "${helper_pids[@]}"; do [[ $pid == "$1" ]] || kept+=("$pid"); done
  helper_pids=("${kept[@]}")
}

stop_all() {
  local pid
  [[ -n $game_pid ]] && kill -9 "$game_pid" 2>/dev/null
  for pid in "${helper_pids[@]}"; do kill "$pid" 2>/dev/null; done
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

# For the runs whose sanitizer reports go to the terminal; sanitizer_logs_to brings its own.
suppress_toolkit_leaks() {
  export LSAN_OPTIONS="suppressions=$x_session_dir/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
}

# The sanitizers of an instrumented build write their reports into files under $1 rather than
# onto the terminal, so that a report cannot be missed among the program's own output.
sanitizer_logs_to() {
  mkdir -p "$1"
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

# The program keeps score.ini beside itself, so each run plays a copy in a folder of its own.
copy_game() {
  mkdir -p "$2" && cp "$1" "$2/quenlow" || fail "the program could not be copied to $2"
}

start_game() {
  local dir=$1
  game_output=${game_log:-$1/game.log}
  shift
  (cd "$dir" && QT_QPA_PLATFORM=xcb exec "$@" ./quenlow >"$game_output" 2>&1) &
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

wait_main() {
  main=$(wait_window Quenlow) || fail "no game window came up: $(cat "$game_output")"
  xdotool windowfocus --sync "$main" 2>/dev/null
}

press() {
  xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key --clearmodifiers "$@"
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

close_game() {
  press alt+x
  wait_game_end "${1:-300}" || fail "the game did not close after Alt+X"
}

quit_game() {
  close_game "$@"
  ((game_status == 0)) || fail "the game ended with status $game_status: $(tail -5 "$game_output")"
}

# The newest viewable top-level window that is none of the given ids and not one of the
# game's named windows: the box the game has just opened.
other_window() {
  local known=" $* " id name
  for id in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    [[ $known == *" $id "* ]] && continue
    name=$(xdotool getwindowname "$id" 2>/dev/null)
    [[ $name == Quenlow || $name == 排行榜 ]] && continue
    echo "$id"
  done | tail -1
}

wait_other() {
  local id= _
  for _ in $(seq 300); do
    id=$(other_window "$@")
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

open_leaderboard() {
  local board= _
  # A key sent while the menu is still opening can be lost, so the menu is tried again.
  for _ in 1 2 3; do
    press alt+g  # the game menu; its last item is the leaderboard
    sleep 0.3
    xdotool key Up Return
    for _ in $(seq 30); do
      board=$(xdotool search --onlyvisible --name '^排行榜$' 2>/dev/null | head -1)
      [[ -n $board ]] && { echo "$board"; return 0; }
      sleep 0.1
    done
    xdotool key Escape Escape
  done
  return 1
}

# Starts the game in $1 and plays an easy game that scores one pair (through the storm driver
# $2) and runs out of time, then types $3 as the record's name. Leaves the ids of the main
# window, the time-up message and the name box in main, message and entry, and in seen_windows
# every window up by then.
play_for_record() {
  start_game "$1"
  wait_main
  press F2
  sleep 0.5
  # Windows the toolkit keeps on the screen besides the main window are no boxes.
  local baseline
  baseline=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | tr '\n' ' ')
  "$2" --one-pair --pid "$game_pid" || fail "no pair could be removed"
  # The time-up message comes first, then the name box.
  message=$(wait_other $baseline) || fail "no time-up message"
  xdotool windowfocus --sync "$message" 2>/dev/null
  xdotool key Return
  entry=$(wait_window 破纪录) || fail "the score of one pair asked for no name"
  xdotool windowfocus --sync "$entry" 2>/dev/null
  xdotool type --delay 30 "$3"
  xdotool key Return
  seen_windows="$baseline $message $entry"
}

# The box that comes up after play_for_record must look, pixel for pixel, like the game's own
# error box drawn by $1 with the text $2. The box is closed and the game must live on.
expect_error_box() {
  local error reference differ
  error=$(wait_other $seen_windows) || fail "no error box after the refused save"
  sleep 0.5
  import -display "$DISPLAY" -window "$error" "$work/error.png" || fail "no picture of the error box"
  start_helper "$1" "$2" >"$work/box.log" 2>&1
  reference=$(wait_window reference) || fail "the reference error box did not come up"
  sleep 0.5
  import -display "$DISPLAY" -window "$reference" "$work/expected.png" ||
    fail "no picture of the reference error box"
  stop_helper "$helper_pid"
  differ=$(same_picture "$work/error.png" "$work/expected.png") ||
    fail "the error box does not show \"$2\" ($differ)"
  xdotool windowfocus --sync "$error" 2>/dev/null
  xdotool key Return
  sleep 0.5
  kill -0 "$game_pid" 2>/dev/null || fail "the game died after the error box"
}

shoot_screen() {
  import -display "$DISPLAY" -window root "$1" || fail "no screenshot could be taken"
}

same_picture() {
  local differ
  differ=$(compare -metric AE "$1" "$2" null: 2>&1)
  [[ $differ == 0 ]] || { echo "$differ pixels differ"; return 1; }
}
