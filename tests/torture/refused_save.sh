#!/usr/bin/env bash
# A record the system refuses to store: the score file has no write permission. The real game
# plays an easy game that scores one pair and runs out of time; the player types a name; the
# error box then shows exactly "Unable to write to <path>." (compared pixel for pixel with the
# game's error box drawn with that text); the game goes on (a new game starts, it quits with
# status 0); the leaderboard shows the new record for the rest of the run; and the score file
# keeps every byte.
#
#   refused_save.sh <program> <storm_driver> <error_box_picture>
set -uo pipefail

program=$1
driver=$2
reference_box=$3
torture_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
source "$torture_dir/../system/x_session.sh"
box_pid=
trap '[[ -n $box_pid ]] && kill "$box_pid" 2>/dev/null; stop_all; rm -rf "$work"' EXIT

for tool in "$program" "$driver" "$reference_box"; do [[ -x $tool ]] || fail "no program at $tool"; done
command -v import >/dev/null && command -v compare >/dev/null ||
  skip_test "ImageMagick is not installed, so the boxes cannot be looked at"
start_x

# The viewable top-level windows that are none of the given ids, newest last.
other_window() {
  local known=" $* " id
  for id in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
    [[ $known == *" $id "* ]] && continue
    local name
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
same_picture() {
  local differ
  differ=$(compare -metric AE "$1" "$2" null: 2>&1)
  [[ $differ == 0 ]] || { echo "$differ pixels differ"; return 1; }
}
open_leaderboard() {  # main window id; prints the leaderboard's id
  local board= _ try
  for try in 1 2 3; do
    xdotool windowfocus --sync "$1" 2>/dev/null
    xdotool key --clearmodifiers alt+g
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

game=$work/game
mkdir -p "$game" "$work/logs"
cp "$program" "$game/quenlow"
printf '[easy]\r\nname=\r\nscore=0\r\n[hard]\r\nname=Old\r\nscore=700\r\n' >"$game/score.ini"
chmod 444 "$game/score.ini"
sha256sum "$game/score.ini" >"$work/before.sum"

sanitizer_logs_to "$work/logs"
export QUENLOW_TICK_MS=30
start_game "$game"
main=$(wait_window Quenlow) || fail "no game window came up: $(cat "$game/game.log")"
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers F2
sleep 0.5
# Windows the toolkit keeps on the screen besides the main window are no boxes.
baseline=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | tr '\n' ' ')
"$driver" --one-pair --pid "$game_pid" || fail "no pair could be removed"

# 30 ms a tick: the time is up within seconds. The first box says so.
message=$(wait_other $baseline) || fail "no time-up message"
xdotool windowfocus --sync "$message" 2>/dev/null
xdotool key Return
entry=$(for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^破纪录$' 2>/dev/null | head -1 | grep . && break
  sleep 0.1
done) || true
[[ -n $entry ]] || fail "the score of one pair asked for no name"
xdotool windowfocus --sync "$entry" 2>/dev/null
xdotool type --delay 30 Refused
xdotool key Return

error=$(wait_other $baseline "$entry" "$message") || fail "no error box after the refused save"
sleep 0.5
import -display "$DISPLAY" -window "$error" "$work/error.png" || fail "no picture of the error box"
# The same box drawn by the game's own box code with the text the player must see.
expected="Unable to write to $game/score.ini."
"$reference_box" "$expected" >"$work/box.log" 2>&1 &
box_pid=$!
reference=$(for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^reference$' 2>/dev/null | head -1 | grep . && break
  sleep 0.1
done) || true
[[ -n $reference ]] || fail "the reference error box did not come up"
sleep 0.5
import -display "$DISPLAY" -window "$reference" "$work/expected.png"
kill "$box_pid"; wait "$box_pid" 2>/dev/null; box_pid=
result=$(same_picture "$work/error.png" "$work/expected.png") ||
  fail "the error box does not show \"$expected\" ($result)"

xdotool windowfocus --sync "$error" 2>/dev/null
xdotool key Return
sleep 0.5
kill -0 "$game_pid" 2>/dev/null || fail "the game died after the error box"
# The game goes on: a new game starts, and the record stays on the leaderboard.
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers F9 F3
sleep 0.3
board=$(open_leaderboard "$main") || fail "the leaderboard did not open"
sleep 0.5
import -display "$DISPLAY" -window "$board" "$work/board.png"
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers alt+x
wait_game_end 300 || fail "the game did not close after Alt+X"
((game_status == 0)) || fail "the game ended with status $game_status: $(tail -3 "$game/game.log")"
check_sanitizer_logs "$work/logs"
sha256sum -c --quiet "$work/before.sum" || fail "the refused score file changed"

# What the leaderboard must show: the game's own leaderboard on a file holding the record.
chmod 644 "$game/score.ini"
printf '[easy]\r\nname=Refused\r\nscore=50\r\n[hard]\r\nname=Old\r\nscore=700\r\n' >"$game/score.ini"
start_game "$game"
main=$(wait_window Quenlow) || fail "the game did not come up again"
board=$(open_leaderboard "$main") || fail "the leaderboard did not open"
sleep 0.5
import -display "$DISPLAY" -window "$board" "$work/expected-board.png"
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers alt+x
wait_game_end 300 || fail "the game did not close after Alt+X"
result=$(same_picture "$work/board.png" "$work/expected-board.png") ||
  fail "the leaderboard does not show the refused record ($result)"
echo "passed"
