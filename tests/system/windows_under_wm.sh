#!/usr/bin/env bash
# The real program under a window manager (openbox) on a virtual X server, read back through
# the window properties and geometry that the window manager sees:
#   - the main window's frame stands at (300, 138);
#   - the help box, the no-pair box and the error box have blank titles (WM_NAME and
#     _NET_WM_NAME), and the help box's outer centre is the screen's centre;
#   - the help box's text has even margins and its OK button stands in the middle, from pixels;
#   - the leaderboard is 269 x 162 outside at its first showing and again when reopened, and
#     it and the about window are centred on the main window, outer rectangle on outer one.
#
#   windows_under_wm.sh <program> [folder for screenshots]
set -uo pipefail

program=$1
keep=${2:-}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x_session.sh"
need_programs "$program"
prepare_session xprop xwininfo openbox import convert
start_x
suppress_toolkit_leaks
HOME=$work start_helper openbox --sm-disable >"$work/openbox.log" 2>&1
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
  skip_test "openbox did not start: $(tail -1 "$work/openbox.log")"

# Outer rectangle of a client window: left top width height, frame included.
outer() {
  local x y w h l r t b
  eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "x=" $4 }
    /Absolute upper-left Y/ { print "y=" $4 } /Width:/ { print "w=" $2 } /Height:/ { print "h=" $2 }')"
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  [[ -n ${b:-} ]] || fail "window $1 has no frame extents"
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}
centre() {  # twice the centre of an outer rectangle, so that halves stay exact
  read -r x y w h <<<"$1"
  echo $((2 * x + w)) $((2 * y + h))
}
near() {  # what, doubled centre a, doubled centre b: within 1 pixel
  read -r ax ay <<<"$2"
  read -r bx by <<<"$3"
  (( ax - bx <= 2 && bx - ax <= 2 && ay - by <= 2 && by - ay <= 2 )) ||
    fail "$1: centres differ: $(( ax / 2 )),$(( ay / 2 )) against $(( bx / 2 )),$(( by / 2 ))"
}
# The one client window besides the main window and the leaderboard that appears.
new_box() {
  local id _
  for _ in $(seq 50); do
    for id in $(xprop -root _NET_CLIENT_LIST | sed 's/.*# //; s/,//g'); do
      [[ $((id)) == $((main)) || $((id)) == $((${board:-0})) ]] && continue
      xwininfo -id "$id" 2>/dev/null | grep -q 'IsViewable' && { echo "$id"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
blank_titles() {  # what, window
  local props
  props=$(xprop -id "$2" WM_NAME _NET_WM_NAME)
  grep -q '^WM_NAME(STRING) = $' <<<"$props" || grep -q '^WM_NAME(STRING) = ""' <<<"$props" ||
    fail "$1: WM_NAME is not blank: $props"
  grep -q '^_NET_WM_NAME(UTF8_STRING) = $' <<<"$props" ||
    grep -q '^_NET_WM_NAME(UTF8_STRING) = ""' <<<"$props" ||
    grep -q '^_NET_WM_NAME:  not found' <<<"$props" || fail "$1: _NET_WM_NAME is not blank: $props"
}
shoot() {  # file: the whole screen
  sleep 0.3
  shoot_screen "$1"
  [[ -n $keep ]] && cp "$1" "$keep/"
}

game=$work/game
copy_game "$program" "$game"
start_game "$game"
wait_main
sleep 0.5
read -r mx my mw mh <<<"$(outer "$main")"
[[ "$mx $my" == "300 138" ]] || fail "the main window's frame stands at $mx, $my, not 300, 138"
main_centre=$(centre "$mx $my $mw $mh")
screen_centre=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

# The help box: blank titles, centred on the screen, even margins, OK in the middle.
press alt+h
box=$(new_box) || fail "no help box appeared"
sleep 0.3
blank_titles "help box" "$box"
read -r bx by bw bh <<<"$(outer "$box")"
near "help box on the screen" "$(centre "$bx $by $bw $bh")" "$screen_centre"
shoot "$work/help.png"
eval "$(xwininfo -id "$box" | awk '/Absolute upper-left X/ { print "cx=" $4 }
  /Absolute upper-left Y/ { print "cy=" $4 } /Width:/ { print "cw=" $2 } /Height:/ { print "ch=" $2 }')"
convert "$work/help.png" -crop "${cw}x$ch+$cx+$cy" +repage "$work/box.png"
# Dark pixels are the text and the button's frame; the text lies in the upper part, the button
# in the lower one. Columns holding dark pixels give their left and right ends.
ink() {  # top height: first and last column with a dark pixel in that band
  convert "$work/box.png" -crop "${cw}x$2+0+$1" +repage -colorspace gray -threshold 50% \
    -negate -scale "${cw}x1!" -threshold 0 txt:- |
    awk -F'[,:]' '/white|#FFFFFF/ { if (first == "") first = $1; last = $1 } END { print first, last }'
}
read -r tl tr <<<"$(ink 0 $((ch / 2)))"
[[ -n $tl ]] || fail "no text found in the help box"
left=$tl right=$((cw - 1 - tr))
((left - right <= 8 && right - left <= 8)) ||
  fail "the help text's margins are uneven: $left px on the left, $right px on the right"
((left < 25)) || fail "the help text starts $left px from the left edge, as if beside an icon"
read -r ol or <<<"$(ink $((ch / 2)) $((ch / 2)))"
[[ -n $ol ]] || fail "no button found in the help box"
((ol + or - (cw - 1) <= 4 && (cw - 1) - ol - or <= 4)) ||
  fail "the OK button spans $ol..$or, not the middle of the box's $cw pixels"
xdotool key Return
sleep 0.3

# The no-pair box (a hint before any game) has blank titles too.
press F7
box=$(new_box) || fail "no box appeared on F7"
blank_titles "no-pair box" "$box"
xdotool key Return
sleep 0.3

# The function menu, for the eye: the pause item with nothing beside it.
press alt+t
shoot "$work/menu.png"
xdotool key Escape Escape
sleep 0.3

# The leaderboard: its outer size and centre at the first showing, its size when reopened.
board=$(open_leaderboard) || fail "no leaderboard appeared"
sleep 0.3
read -r sx sy sw sh <<<"$(outer "$board")"
[[ "$sw $sh" == "269 162" ]] || fail "the leaderboard is $sw x $sh outside at its first showing"
near "leaderboard on the main window" "$(centre "$sx $sy $sw $sh")" "$main_centre"
xdotool windowfocus --sync "$board" 2>/dev/null
xdotool key Tab Return  # the second button closes it
sleep 0.5
board=$(open_leaderboard) || fail "the leaderboard did not come back"
sleep 0.3
read -r rx ry rw rh <<<"$(outer "$board")"
[[ "$rw $rh" == "269 162" ]] || fail "the reopened leaderboard is $rw x $rh outside"
[[ "$rx $ry" == "$sx $sy" ]] || fail "the leaderboard came back at $rx, $ry, not $sx, $sy"

# The error box: the reset cannot write the score file.
printf '[easy]\r\nname=\r\nscore=0\r\n' >"$game/score.ini"
chmod 444 "$game/score.ini"
xdotool windowfocus --sync "$board" 2>/dev/null
xdotool key Shift+Tab Return  # the reset button
box=$(new_box) || fail "no error box appeared on a refused reset"
blank_titles "error box" "$box"
xdotool key Return
sleep 0.3
chmod 644 "$game/score.ini"

# The about window, centred on the main window.
press alt+a
about=$(new_box) || fail "no about window appeared"
sleep 0.3
near "about window on the main window" "$(centre "$(outer "$about")")" "$main_centre"
xdotool key Return
sleep 0.3

quit_game 100
echo "passed"
