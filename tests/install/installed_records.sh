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
source "$here/../system/x_session.sh"
need_programs "$driver" "$reference_box"
prepare_session import compare
root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  fail "cmake --install failed: $(tail -3 "$work/install.log")"
games=$root/usr/games
start_x

mkdir -p "$work/home"
sanitizer_logs_to "$work/logs"
export QUENLOW_TICK_MS=30 HOME=$work/home
game_log=$work/game.log

# Plays for a record, named $1, and quits once the leaderboard shows it.
record_and_quit() {
  play_for_record "$games" "$driver" "$1"
  wait_window 排行榜 >/dev/null || fail "the leaderboard did not show the new record"
  quit_game
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
record_and_quit Ann
expect_record "$HOME/.local/share/quenlow/score.ini" Ann
[[ $(stat -c %a "$HOME/.local/share/quenlow") == 700 ]] || fail "the data folder is open to others"

# With XDG_DATA_HOME: the record goes there and the first file stays as it was.
export XDG_DATA_HOME=$work/data/home
record_and_quit Bo
expect_record "$XDG_DATA_HOME/quenlow/score.ini" Bo
expect_record "$HOME/.local/share/quenlow/score.ini" Ann

# A data folder that cannot be made: a file stands where it should be.
echo "in the way" >"$work/blocked"
export XDG_DATA_HOME=$work/blocked/data
play_for_record "$games" "$driver" Cy
expect_error_box "$reference_box" "Unable to write to $XDG_DATA_HOME/quenlow/score.ini."
press F3
sleep 0.3
quit_game
check_sanitizer_logs "$work/logs"
[[ $(cat "$work/blocked") == "in the way" ]] || fail "the file in the way was changed"

stray=$(find "$root" -name 'score.ini*')
[[ -z $stray ]] || fail "the installed game wrote beside itself: $stray"
echo "passed"
