#!/usr/bin/env bash
# Plays the real program on a virtual X server: the window comes up titled "Quenlow" over a
# black board; F2 deals an easy board whose tiles show at the easy field's pixels; two equal
# tiles on the edge of the field are clicked away; F9 shows the pause picture; Alt+X closes
# the window and the program ends with status 0, leaving no score file behind.
#
#   play_under_x.sh <program> [screenshot.png]
#
# With a second argument a picture of the window with the game in progress is kept there.
set -uo pipefail

program=$1
keep=${2:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x_session.sh"
need_programs "$program"
prepare_session import convert
start_x
suppress_toolkit_leaks

copy_game "$program" "$work"
start_game "$work"
wait_main
[[ $(xdotool getwindowname "$main") == Quenlow ]] || fail "window title is not Quenlow"

eval "$(xdotool getwindowgeometry --shell "$main")"  # X Y WIDTH HEIGHT
[[ $WIDTH == 640 ]] || fail "the window is $WIDTH pixels wide, not 640"
# The board fills the client area, which lies below the menu bar at the bottom of the window.
board_x=$X
board_y=$((Y + HEIGHT - 550))
(( HEIGHT > 550 )) || fail "no room for a menu bar above the board (height $HEIGHT)"

shot=0
screenshot() {  # the board as it is on the screen now, as board.png
  sleep 0.3
  shot=$((shot + 1))
  shoot_screen "$work/screen$shot.png"
  convert "$work/screen$shot.png" -crop "640x550+$board_x+$board_y" +repage "$work/board.png"
}
# The colours of pixels of the board, as RRGGBB, one a line.
pixels() {
  local format=
  while (($#)); do format+="%[hex:p{$1,$2}]\n"; shift 2; done
  convert "$work/board.png" -format "$format" info:
}
# How many pixels of the board have the colour.
count_colour() {
  convert "$work/board.png" -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%[fx:round(mean*w*h)]' info:
}
click_cell() {  # column, row of the easy field
  xdotool mousemove $((board_x + 80 + 40 * ($1 - 1) + 20)) $((board_y + 100 + 50 * ($2 - 1) + 25)) \
    click 1
}

# Before any game: black all over.
screenshot
[[ $(convert "$work/board.png" -format '%[max]' info:) == 0 ]] ||
  fail "the board is not black before the first game"

# F2: an easy game. Every cell of the 12 x 7 field shows a tile: the white field of the
# tile inside its black frame; the margin round the field stays black.
press F2
screenshot
args=()
for col in $(seq 12); do
  for row in $(seq 7); do
    args+=($((80 + 40 * (col - 1) + 3)) $((100 + 50 * (row - 1) + 3)))
  done
done
whites=$(pixels "${args[@]}" | grep -c '^FFFFFF$')
((whites == 84)) || fail "only $whites of the 84 easy cells show a tile after F2"
margin=$(pixels 79 99 80 100 560 450 600 300 40 300 | sort -u)
[[ $margin == 000000 ]] || fail "the margin round the easy field is not black: $margin"

# Two equal letters on the same edge of the field can always be joined through the ring
# round it. Find such a pair by comparing the cells' pictures.
declare -A seen
pair=
cell_sum() {
  convert "$work/board.png" -crop "40x50+$((80 + 40 * ($1 - 1)))+$((100 + 50 * ($2 - 1)))" \
    +repage rgb:- | md5sum | cut -d' ' -f1
}
for edge in "top" "left" "bottom" "right"; do
  seen=()
  case $edge in
    top) cells=$(for c in $(seq 12); do echo "$c 1"; done) ;;
    bottom) cells=$(for c in $(seq 12); do echo "$c 7"; done) ;;
    left) cells=$(for r in $(seq 7); do echo "1 $r"; done) ;;
    right) cells=$(for r in $(seq 7); do echo "12 $r"; done) ;;
  esac
  while read -r c r; do
    sum=$(cell_sum "$c" "$r")
    if [[ -n ${seen[$sum]:-} ]]; then pair="${seen[$sum]} $c $r"; break; fi
    seen[$sum]="$c $r"
  done <<<"$cells"
  [[ -n $pair ]] && break
done
[[ -n $pair ]] || fail "no two equal tiles on one edge of the easy field"
read -r c1 r1 c2 r2 <<<"$pair"

# The first click picks the tile: it shows inverted.
click_cell "$c1" "$r1"
screenshot
corner=$(pixels $((80 + 40 * (c1 - 1) + 3)) $((100 + 50 * (r1 - 1) + 3)))
[[ $corner == 000000 ]] || fail "the picked tile ($c1, $r1) is not shown inverted"
# The second shows the path in yellow for half a second, painted before the program waits;
# then the pair is gone and the board is drawn anew. The labels above the board are yellow
# too, so only the part below them counts.
click_cell "$c2" "$r2"
path=0
for _ in $(seq 8); do
  shoot_screen "$work/path.png"
  path=$(convert "$work/path.png" -crop "640x500+$board_x+$((board_y + 50))" +repage \
    -fill black +opaque '#FFFF00' -fill white -opaque '#FFFF00' -format '%[fx:round(mean*w*h)]' info:)
  ((path > 0)) && break
done
((path > 0)) || fail "the path between the pair never showed on the screen"
sleep 0.7
screenshot
if [[ -n $keep ]]; then
  convert "$work/screen$shot.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$keep" ||
    fail "the picture could not be kept at $keep"
fi
gone=$(pixels $((80 + 40 * (c1 - 1) + 3)) $((100 + 50 * (r1 - 1) + 3)) \
              $((80 + 40 * (c2 - 1) + 3)) $((100 + 50 * (r2 - 1) + 3)) | sort -u)
[[ $gone == 000000 ]] || fail "the pair ($c1, $r1) and ($c2, $r2) was not removed"

# F9: the pause picture covers the board, the word in yellow on black.
press F9
screenshot
yellow=$(count_colour '#FFFF00')
((yellow > 2000)) || fail "no pause picture after F9 ($yellow yellow pixels)"
[[ $(pixels 83 103) == 000000 ]] || fail "the tiles still show during the pause"

# Alt+X quits at once; the program ends cleanly and has written nothing.
quit_game 100
[[ ! -e $work/score.ini ]] || fail "quitting wrote a score file"
echo "passed"
