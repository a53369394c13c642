#!/usr/bin/env bash
# The command line of the real program, with no display anywhere: the help, the version and
# the mistakes are answered without one, and a game that cannot open a display says so in one
# line and ends with status 1 instead of aborting.
#
#   command_line.sh <program>
set -uo pipefail
program=$1
[[ -x $program ]] || { echo "FAIL: no program at $program" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# No X server, no compositor, and no platform forced by the test environment.
run() {
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:999 XDG_RUNTIME_DIR="$work" \
    timeout 20 "$program" "$@" >"$work/out" 2>"$work/err"
}

no_display="quenlow: cannot open a display (no X server or Wayland compositor could be reached; is DISPLAY or WAYLAND_DISPLAY set?)"
usage_first="Usage: quenlow [--help] [--version]"

# arguments | status | the first line of stdout | the first line of stderr ("-" for empty)
while IFS='|' read -r args status out err; do
  read -ra argv <<<"$args"
  run "${argv[@]}"
  got=$?
  got_out=$(head -1 "$work/out"); got_err=$(head -1 "$work/err")
  [[ -s $work/out ]] || got_out=-
  [[ -s $work/err ]] || got_err=-
  out=${out/USAGE/$usage_first}; err=${err/NODISPLAY/$no_display}
  if [[ $got != "$status" || $got_out != "$out" || $got_err != "$err" ]]; then
    echo "FAIL: quenlow ${args:-(no options)}: status $got, stdout \"$got_out\", stderr \"$got_err\"" \
         "(expected $status, \"$out\", \"$err\")" >&2
    failures=$((failures + 1))
  fi
  # Each mistake is followed by the whole usage on stderr.
  if [[ $status == 2 ]] && ! grep -qxF -- "$usage_first" "$work/err"; then
    echo "FAIL: quenlow $args: no usage after the message" >&2
    failures=$((failures + 1))
  fi
done <<'CASES'
--help|0|USAGE|-
-h|0|USAGE|-
--version|0|quenlow 2.3|-
-v|0|quenlow 2.3|-
--version --frobnicate|0|quenlow 2.3|-
--frobnicate|2|-|quenlow: unknown option --frobnicate
-x|2|-|quenlow: unknown option -x
level3|2|-|quenlow: unexpected argument level3
-platform|2|-|quenlow: the option -platform needs a value
|1|-|NODISPLAY
-platform xcb|1|-|NODISPLAY
--style=fusion|1|-|NODISPLAY
CASES

# Without a display the toolkit's own complaints stay back: one line is all the player sees.
run
lines=$(wc -l <"$work/err")
if ((lines != 1)); then
  echo "FAIL: without a display the program printed $lines lines:" >&2
  cat "$work/err" >&2
  failures=$((failures + 1))
fi
((failures == 0)) || exit 1
echo "passed"
