#!/usr/bin/env bash
# The installed game keeps each player's records in the player's data folder. The program is
# installed into a temporary DESTDIR and played on a virtual X server with a temporary HOME:
# an easy game scores one pair and runs out of time, and the player types a name.
#   - without XDG_DATA_HOME the record lands in ~/.local/share/quenlow/score.ini;
#   - with XDG_DATA_HOME set (to a folder that does not exist yet), it lands there;
#   - when the data folder cannot be made, the game's error box names the file, and the game
#     goes on and quits cleanly.
# Nothing is ever written beside the installed program.
#
#   installed_records.sh <build folder> <storm_driver> <error_box_picture>
set -uo pipefail

build=$1
driver=$2
reference_box=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d)
source "$here/../system/x_session.sh"
box_pid=
trap '[[ -n $box_pid ]] && kill "$box_pid" 2>/dev/null; stop_all; rm -rf "$work"' EXIT

for tool in "$driver" "$reference_box"; do [[ -x $tool ]] || fail "no program at $tool"; done
command -v import >/dev/null && command -v compare >/dev/null ||
  skip_test "ImageMagick is not installed, so the boxes cannot be looked at"
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -3 "$work/install.log")"
games=$root/usr/games
start_x

# The viewable top-level windows that are none of the given ids and not the game's own.
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
wait_named() {
  local id= _
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

mkdir -p "$work/logs" "$work/home"
sanitizer_logs_to "$work/logs"
export QUENLOW_TICK_MS=30 HOME=$work/home
game_log=$work/game.log

# Plays an easy game that scores one pair and enters the name $1 for the record; leaves the
# ids of the main window, the time-up message and the name box in main, message, entry.
play_for_record() {
  start_game "$games"
  main=$(wait_window Quenlow) || fail "no game window came up: $(cat "$game_log")"
  xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key --clearmodifiers F2
  sleep 0.5
  baseline=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | tr '\n' ' ')
  "$driver" --one-pair --pid "$game_pid" || fail "no pair could be removed"
  message=$(wait_other $baseline) || fail "no time-up message"
  xdotool windowfocus --sync "$message" 2>/dev/null
  xdotool key Return
  entry=$(wait_named 破纪录) || fail "the score of one pair asked for no name"
  xdotool windowfocus --sync "$entry" 2>/dev/null
  xdotool type --delay 30 "$1"
  xdotool key Return
}
quit_game() {
  xdotool windowfocus --sync "$main" 2>/dev/null
  xdotool key --clearmodifiers alt+x
  wait_game_end 300 || fail "the game did not close after Alt+X"
  ((game_status == 0)) || fail "the game ended with status $game_status: $(tail -3 "$game_log")"
  check_sanitizer_logs "$work/logs"
}
expect_record() {  # file, name
  local bytes
  bytes=$(tr -d '\r' <"$1" 2>/dev/null) || fail "no score file at $1"
  grep -qx "name=$2" <<<"$bytes" && grep -qx "score=50" <<<"$bytes" ||
    fail "$1 does not hold the record of $2: $bytes"
}

# Without XDG_DATA_HOME: ~/.local/share/quenlow, made at the save.
unset XDG_DATA_HOME
play_for_record Ann
wait_named 排行榜 >/dev/null || fail "the leaderboard did not show the new record"
quit_game
expect_record "$HOME/.local/share/quenlow/score.ini" Ann
[[ $(stat -c %a "$HOME/.local/share/quenlow") == 700 ]] || fail "the data folder is open to others"

# With XDG_DATA_HOME: the record goes there and the first file stays as it was.
export XDG_DATA_HOME=$work/data/home
play_for_record Bo
wait_named 排行榜 >/dev/null || fail "the leaderboard did not show the new record"
quit_game
expect_record "$XDG_DATA_HOME/quenlow/score.ini" Bo
expect_record "$HOME/.local/share/quenlow/score.ini" Ann

# A data folder that cannot be made: a file stands where it should be.
echo "in the way" >"$work/blocked"
export XDG_DATA_HOME=$work/blocked/data
play_for_record Cy
error=$(wait_other $baseline "$entry" "$message") || fail "no error box after the refused save"
sleep 0.5
import -display "$DISPLAY" -window "$error" "$work/error.png" || fail "no picture of the error box"
expected="Unable to write to $XDG_DATA_HOME/quenlow/score.ini."
"$reference_box" "$expected" >"$work/box.log" 2>&1 &
box_pid=$!
reference=$(wait_named reference) || fail "the reference error box did not come up"
sleep 0.5
import -display "$DISPLAY" -window "$reference" "$work/expected.png"
kill "$box_pid"; wait "$box_pid" 2>/dev/null; box_pid=
differ=$(compare -metric AE "$work/error.png" "$work/expected.png" null: 2>&1)
[[ $differ == 0 ]] || fail "the error box does not show \"$expected\" ($differ pixels differ)"
xdotool windowfocus --sync "$error" 2>/dev/null
xdotool key Return
sleep 0.5
kill -0 "$game_pid" 2>/dev/null || fail "the game died after the error box"
xdotool windowfocus --sync "$main" 2>/dev/null
xdotool key --clearmodifiers F3
sleep 0.3
quit_game
[[ $(cat "$work/blocked") == "in the way" ]] || fail "the file in the way was changed"

stray=$(find "$root" -name 'score.ini*')
[[ -z $stray ]] || fail "the installed game wrote beside itself: $stray"
echo "passed"
