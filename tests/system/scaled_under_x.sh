#!/usr/bin/env bash
# Plays the real program on a virtual X server as a screen at 200 % and at 150 % shows it
# (QT_SCALE_FACTOR): the window is 640 x 550 times the factor below its menu; after F2 the
# letters hold detail finer than the blocks an enlarged 1 x board would show, every border
# between two cells looks the same, and a press picks the cell under the pointer.
#
#   scaled_under_x.sh <program> [screenshot-at-200%.png]
set -uo pipefail

program=$1
keep=${2:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x_session.sh"
need_programs "$program"
prepare_session import convert
# The window at 200 % stands at (600, 276) and is 1280 pixels wide.
xvfb_screen=2560x1600x24
start_x
suppress_toolkit_leaks
copy_game "$program" "$work"

# Device pixels of a game coordinate at the factor, as a whole number.
at() { awk -v v="$1" -v f="$factor" 'BEGIN { printf "%d", v * f }'; }

# The board as it is on the screen now, as board.png.
shoot_board() {
  shoot_screen "$work/screen.png"
  convert "$work/screen.png" -crop "${board_w}x${board_h}+$board_x+$board_y" +repage \
    "$work/board.png"
}

# The colours of the pixels of board.png along one row, from x0 to x1 (device pixels).
row_colours() {
  convert "$work/board.png" -crop "$(($3 - $2))x1+$2+$1" +repage -depth 8 txt:- |
    awk 'NR > 1 { print $3 }'
}

# Whether two runs of grey colours (#RRGGBB) are alike to within a few levels a pixel.
same_profile() {
  awk -v a="$1" -v b="$2" '
    function digit(c) { return index("0123456789ABCDEF", c) - 1 }
    function red(c) { return digit(substr(c, 2, 1)) * 16 + digit(substr(c, 3, 1)) }
    BEGIN {
      n = split(a, x, " "); if (split(b, y, " ") != n) exit 1
      for (i = 1; i <= n; i++) { d = red(x[i]) - red(y[i]); if (d > 4 || d < -4) exit 1 }
    }'
}

play_at() {
  factor=$1
  start_game "$work" env QT_SCALE_FACTOR="$factor"
  local window board_w board_h
  window=$(wait_window Quenlow) || fail "no window at $factor: $(cat "$work/game.log")"
  eval "$(xdotool getwindowgeometry --shell "$window")"  # X Y WIDTH HEIGHT
  board_w=$(at 640)
  board_h=$(at 550)
  [[ $WIDTH == "$board_w" ]] || fail "at $factor the window is $WIDTH wide, not $board_w"
  board_x=$X
  board_y=$((Y + HEIGHT - board_h))

  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --clearmodifiers F2
  sleep 0.5
  shoot_board

  # Detail finer than the enlarged 1 x pixels: within the first cell, some blocks of
  # factor x factor device pixels (aligned to the game's pixels) hold more than one colour.
  if [[ $factor == 2 ]]; then
    local mixed
    mixed=$(convert "$work/board.png" -crop "80x100+160+200" +repage -depth 8 txt:- |
      awk -F'[,: ]+' 'NR > 1 { b = int($1 / 2) "," int($2 / 2); c = $NF
           if (!(b in first)) first[b] = c; else if (first[b] != c) mixed[b] = 1 }
           END { print length(mixed) }')
    ((mixed >= 20)) || fail "at 200 % the first tile shows only $mixed finer blocks"
  fi

  # Every border between two cells of the top row, read just below the cells' tops, is the
  # same run of colours: the cell pictures land on whole pixels everywhere. The smooth
  # reduction at 150 % may round a grey edge one or two levels apart.
  local y first=
  y=$(at 105)
  for col in $(seq 2 12); do
    local edge profile
    edge=$(at $((80 + 40 * (col - 1))))
    profile=$(row_colours "$y" $((edge - $(at 4))) $((edge + $(at 4))) | tr '\n' ' ')
    [[ $profile == *"#000000"* ]] || fail "at $factor no black border before column $col"
    [[ -z $first ]] && first=$profile
    same_profile "$profile" "$first" ||
      fail "at $factor the border before column $col differs: $profile, not $first"
  done

  # A press on the middle of cell (3, 2) picks it: its white field turns black.
  xdotool mousemove $((board_x + $(at 180))) $((board_y + $(at 175))) click 1
  sleep 0.5
  shoot_board
  local picked other
  picked=$(row_colours "$(at 155)" "$(at 163)" "$(at 164)" | sort -u)
  other=$(row_colours "$(at 155)" "$(at 203)" "$(at 204)" | sort -u)
  [[ $picked == "#000000" ]] || fail "at $factor the press did not pick cell (3, 2): $picked"
  [[ $other == "#FFFFFF" ]] || fail "at $factor the press picked cell (4, 2) as well: $other"
  xdotool mousemove $((board_x + $(at 180))) $((board_y + $(at 175))) click 1  # drop it

  if [[ $factor == 2 && -n $keep ]]; then
    sleep 0.3
    shoot_screen "$work/screen.png"
    convert "$work/screen.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$keep" ||
      fail "the picture could not be kept at $keep"
  fi
  kill "$game_pid" 2>/dev/null
  wait "$game_pid" 2>/dev/null
  game_pid=
}

play_at 2
play_at 1.5
echo "passed"
