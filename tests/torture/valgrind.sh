#!/usr/bin/env bash
# Memcheck on a short scripted game of the real program (a build without the sanitizers): an
# easy game that scores a pair, a hint, a shuffle, a pause, a time-up with a new record and its
# name, the leaderboard, a normal game, and Alt+X. It passes when memcheck finds no invalid
# read or write, no use of uninitialised memory and no definite leak outside the suppressions
# of the toolkit's own (valgrind.supp), and the game exits with status 0.
#
#   valgrind.sh <program> <storm_driver> [log file to keep]
set -uo pipefail

program=$1
driver=$2
keep=${3:-}
torture_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$torture_dir/../system/x_session.sh"
need_programs "$program" "$driver"
prepare_session valgrind
keep_log() { [[ -n $keep && -e $work/memcheck.log ]] && cp "$work/memcheck.log" "$keep"; }
at_exit keep_log
start_x

game=$work/game
copy_game "$program" "$game"
# Each tick 100 ms: the game runs out within seconds even at memcheck's pace.
export QUENLOW_TICK_MS=100
start_game "$game" valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
  --errors-for-leak-kinds=definite --track-origins=yes --num-callers=30 \
  --suppressions="$torture_dir/valgrind.supp" --gen-suppressions=all --child-silent-after-fork=yes \
  --log-file="$work/memcheck.log" --error-exitcode=99

wait_main
sleep 2
press F2
sleep 2
"$driver" --one-pair --pid "$game_pid" || fail "no pair could be removed"
sleep 2
press F7
sleep 1
press F8
sleep 1
press F9
sleep 1
press F9
# The time runs out: the message, then the record's name, then the leaderboard.
entry=
for _ in $(seq 600); do
  entry=$(xdotool search --onlyvisible --name '^破纪录$' 2>/dev/null | head -1)
  [[ -n $entry ]] && break
  # The time-up message comes first; Enter closes it (and does nothing to the main window).
  for box in $(xdotool search --onlyvisible --name '^quenlow$|^$' 2>/dev/null); do
    xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key Return
  done
  sleep 0.2
done
[[ -n $entry ]] || fail "the time-up never asked for a name"
xdotool windowfocus --sync "$entry" 2>/dev/null
xdotool type --delay 50 Valgrind
xdotool key Return
wait_window 排行榜 >/dev/null || fail "the leaderboard did not show after the record"
sleep 1
press F3
sleep 3
close_game 1200
grep -q 'name=Valgrind' "$game/score.ini" || fail "the record was not saved"

log=$work/memcheck.log
grep -E 'ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:' "$log" | sed 's/^==[0-9]*== //'
((game_status != 99)) || { sed -n '1,200p' "$log" >&2; fail "memcheck found errors (see above)"; }
((game_status == 0)) || fail "the game ended with status $game_status"
echo "passed"
