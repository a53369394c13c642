#!/usr/bin/env bash
# The game as a native Wayland client, under Weston's headless compositor: it comes up with
# the desktop entry's id as its app id, the compositor shows a frame with the black board,
# and on SIGTERM (what a session sends when it ends) it closes and leaves with status 0.
#
#   wayland_session.sh <program>
set -uo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../system/x_session.sh"
need_programs "$program"
prepare_session weston weston-screenshooter convert
[[ $(dpkg-query -W -f='${Status}' qt6-wayland 2>/dev/null) == "install ok installed" ]] ||
  skip_test "the Qt Wayland platform plugin (qt6-wayland) is not installed"

# A compositor of our own, in a runtime folder of our own; --debug lets the screenshooter in.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=quenlow-test
start_helper weston --backend=headless-backend.so --use-pixman --socket=$socket --width=1024 \
  --height=768 --idle-time=0 --debug >"$work/weston.log" 2>&1
for _ in $(seq 100); do
  [[ -S $XDG_RUNTIME_DIR/$socket ]] && break
  kill -0 "$helper_pid" 2>/dev/null || break
  sleep 0.1
done
[[ -S $XDG_RUNTIME_DIR/$socket ]] ||
  skip_test "Weston's headless compositor did not start: $(tail -2 "$work/weston.log")"

sanitizer_logs_to "$work/logs"
cat "$here/wayland-lsan.supp" >>"$work/logs/lsan.supp"
copy_game "$program" "$work/game"
(cd "$work/game" && unset DISPLAY && WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland \
   WAYLAND_DEBUG=client exec ./quenlow >"$work/game.log" 2>&1) &
game_pid=$!

# A frame is shown when the compositor's own picture of its screen holds the black board: as
# many black pixels as the board has, give or take the menu's letters. A screen that the shell
# has not painted yet is black all over, and does not count.
board=$((640 * 550))
black=0
framed() { ((black >= board && black < board + 5000)); }
for _ in $(seq 60); do
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended: $(grep -v '^\[' "$work/game.log" | tail -3)"
  rm -f "$work"/wayland-screenshot*.png
  (cd "$work" && WAYLAND_DISPLAY=$socket weston-screenshooter >/dev/null 2>&1)
  shots=("$work"/wayland-screenshot*.png)
  if [[ -f ${shots[0]} ]]; then
    black=$(convert "${shots[0]}" -fill white +opaque black -fill black -opaque black -negate \
      -format '%[fx:round(mean*w*h)]' info:)
    framed && break
  fi
  sleep 0.25
done
framed || fail "no frame with the board reached the compositor ($black black pixels)"
grep -q "set_app_id(\"org.example.quenlow\")" "$work/game.log" ||
  fail "the window does not carry the desktop entry's id"

kill -TERM "$game_pid"
wait_game_end 300 || fail "the game did not end after SIGTERM"
check_sanitizer_logs "$work/logs"
((game_status == 0)) || fail "the game ended with status $game_status: $(grep -v '^\[' "$work/game.log" | tail -3)"
[[ ! -e $work/game/score.ini ]] || fail "the game wrote a score file"
echo "passed"
