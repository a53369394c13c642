#!/usr/bin/env bash
# A click storm on the real game: the program (best the sanitizer build) runs on a virtual X
# server while storm_driver sends it random presses, function keys, pauses and answers to
# every box for the given time, then quits through the menu. It passes when the game never
# died, exited with status 0, no sanitizer reported anything, and score.ini is a well-formed
# file whose records are ones the storm made: scores in steps of 50 and names that were typed.
#
#   storm.sh <program> <storm_driver> <seconds> [seed]
#
# QUENLOW_TICK_MS (default 40) shortens the time bar's tick so that games run out and records
# happen within the run. QUENLOW_STORM_KEEP=<folder> keeps the run's files there.
set -uo pipefail

program=$1
driver=$2
seconds=$3
seed=${4:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
torture_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$torture_dir/../system/x_session.sh"
need_programs "$program" "$driver"
prepare_session
keep_files() {
  [[ -n ${QUENLOW_STORM_KEEP:-} ]] || return 0
  mkdir -p "$QUENLOW_STORM_KEEP" && cp -r "$work"/. "$QUENLOW_STORM_KEEP"/
}
at_exit keep_files
start_x

game=$work/game
copy_game "$program" "$game"
# No records yet, so that the first time-up with a score sets one; a section of someone
# else's must come through the storm untouched.
printf '[easy]\r\nname=\r\nscore=0\r\n[normal]\r\nname=\r\nscore=0\r\n[hard]\r\nname=\r\nscore=0\r\n[other]\r\nkept=yes\r\n' \
  >"$game/score.ini"

sanitizer_logs_to "$work/logs"
export QUENLOW_TICK_MS=${QUENLOW_TICK_MS:-40}
echo "storm of $seconds s, seed $seed (repeat: storm.sh <program> <driver> $seconds $seed)"
started=$(date +%s)
start_game "$game"

"$driver" --pid "$game_pid" --seconds "$seconds" --seed "$seed" --names "$work/names.txt"
driver_status=$?
if ! wait_game_end 300; then
  fail "the game is still running after the storm (driver status $driver_status)"
fi
echo "the storm ran $(( $(date +%s) - started )) s; the game ended with status $game_status"
check_sanitizer_logs "$work/logs"
if grep -Eq 'runtime error|AddressSanitizer|LeakSanitizer' "$game/game.log"; then
  grep -E -A20 'runtime error|AddressSanitizer|LeakSanitizer' "$game/game.log" | head -60 >&2
  fail "a sanitizer reported a fault on the game's output"
fi
((driver_status == 0)) || fail "the storm driver failed (status $driver_status): $(tail -5 "$game/game.log")"
((game_status == 0)) || fail "the game ended with status $game_status: $(tail -5 "$game/game.log")"

# The score file: CR LF lines, the three sections with one name and one score each, scores
# that a game can reach, names that the storm typed (cut to the 255 the box takes).
ini=$game/score.ini
[[ -s $ini ]] || fail "score.ini is gone or empty after the storm"
python3 - "$ini" "$work/names.txt" <<'EOF' || fail "score.ini is not what the storm can have made"
import sys
data = open(sys.argv[1], "rb").read()
try:
    typed = {line.rstrip("\n")[:255] for line in open(sys.argv[2])}
except FileNotFoundError:
    typed = set()
typed.add("")
if not data.endswith(b"\r\n") or b"\n" in data.replace(b"\r\n", b""):
    sys.exit("lines do not all end with CR LF")
sections, current = {}, None
for line in data.decode("latin-1").split("\r\n")[:-1]:
    if line.startswith("[") and line.endswith("]"):
        current = line[1:-1]
        if current in sections:
            sys.exit("section %s twice" % current)
        sections[current] = {}
        continue
    if current is None or "=" not in line:
        sys.exit("stray line %r" % line)
    key, value = line.split("=", 1)
    if key in sections[current]:
        sys.exit("key %s twice in [%s]" % (key, current))
    sections[current][key] = value
if sections.get("other") != {"kept": "yes"}:
    sys.exit("the foreign section changed: %r" % sections.get("other"))
records = 0
for name in ("easy", "normal", "hard"):
    s = sections.get(name)
    if s is None or set(s) != {"name", "score"}:
        sys.exit("[%s] does not hold exactly name= and score=: %r" % (name, s))
    if not s["score"].isdigit() or (s["score"] != "0" and s["score"].startswith("0")):
        sys.exit("[%s] score %r is not a plain number" % (name, s["score"]))
    score = int(s["score"])
    if score % 50 or score > 2**31 - 1:
        sys.exit("[%s] score %d is no game's score" % (name, score))
    if s["name"] not in typed:
        sys.exit("[%s] name %r was never typed" % (name, s["name"]))
    if score:
        records += 1
    print("[%s] %s %r" % (name, s["score"], s["name"]))
print("%d record(s) in the file, %d name box(es) answered" % (records, len(typed) - 1))
EOF
echo "passed"
