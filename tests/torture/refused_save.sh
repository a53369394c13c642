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
source "$torture_dir/../system/x_session.sh"
need_programs "$program" "$driver" "$reference_box"
prepare_session import compare
start_x

game=$work/game
copy_game "$program" "$game"
printf '[easy]\r\nname=\r\nscore=0\r\n[hard]\r\nname=Old\r\nscore=700\r\n' >"$game/score.ini"
chmod 444 "$game/score.ini"
sha256sum "$game/score.ini" >"$work/before.sum"

sanitizer_logs_to "$work/logs"
# 30 ms a tick: the time is up within seconds.
export QUENLOW_TICK_MS=30
play_for_record "$game" "$driver" Refused
expect_error_box "$reference_box" "Unable to write to $game/score.ini."

# The game goes on: a new game starts, and the record stays on the leaderboard.
press F9 F3
sleep 0.3
board=$(open_leaderboard) || fail "the leaderboard did not open"
sleep 0.5
import -display "$DISPLAY" -window "$board" "$work/board.png"
quit_game
check_sanitizer_logs "$work/logs"
sha256sum -c --quiet "$work/before.sum" || fail "the refused score file changed"

# What the leaderboard must show: the game's own leaderboard on a file holding the record.
chmod 644 "$game/score.ini"
printf '[easy]\r\nname=Refused\r\nscore=50\r\n[hard]\r\nname=Old\r\nscore=700\r\n' >"$game/score.ini"
start_game "$game"
wait_main
board=$(open_leaderboard) || fail "the leaderboard did not open"
sleep 0.5
import -display "$DISPLAY" -window "$board" "$work/expected-board.png"
quit_game
result=$(same_picture "$work/board.png" "$work/expected-board.png") ||
  fail "the leaderboard does not show the refused record ($result)"
echo "passed"
