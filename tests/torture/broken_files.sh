#!/usr/bin/env bash
# The real game started on broken score files: a binary file, an empty one, one of 50 MB, a
# folder in place of the file, a file it may not read, bytes that are no GBK in a name, a score
# "abc", a name of 3000 bytes. For each the window comes up, the leaderboard opens from the
# menu (游戏 → 排行榜) and looks exactly as it does for a clean file holding what is readable
# (the defaults where nothing is), the game quits with status 0 and no sanitizer report, and
# the score file has not been touched: same bytes, same inode, same modification time.
#
#   broken_files.sh <program> [case...]
set -uo pipefail

program=$1
shift
torture_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$torture_dir/../system/x_session.sh"
need_programs "$program"
prepare_session import compare convert
start_x
# The folders must be open to the unprivileged user of the unreadable-file case.
chmod 755 "$work"

crlf() { printf '%s\r\n' "$@"; }

# Each case fills the folder $1 with its score.ini. A reference is a clean file (or none)
# holding what a case should show.
make_none() { :; }
make_binary() {
  # Random bytes, the same every run; no "[" among them, so that no section can come of them.
  python3 -c 'import random, sys; r = random.Random(8)
sys.stdout.buffer.write(bytes(b if b != 0x5B else 0x5D for b in r.randbytes(65536)))' \
    >"$1/score.ini"
}
make_empty() { : >"$1/score.ini"; }
make_huge() {
  # A record at each end of 50 MB of lines that are none of the game's.
  {
    crlf '[easy]' 'name=First' 'score=50' '[junk]'
    yes 'filler=abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijkl' |
      head -c $((50 * 1024 * 1024))
    crlf '' '[hard]' 'name=Big' 'score=500'
  } >"$1/score.ini"
}
ref_huge() { crlf '[easy]' 'name=First' 'score=50' '[hard]' 'name=Big' 'score=500' >"$1/score.ini"; }
make_folder() { mkdir "$1/score.ini" && crlf '[easy]' 'name=Inside' 'score=50' >"$1/score.ini/x"; }
make_unreadable() {
  crlf '[easy]' 'name=Secret' 'score=900' >"$1/score.ini"
  chmod 000 "$1/score.ini"
}
make_bad_gbk() {
  # 0x81 0x20, 0xFF and a lead byte cut off at the end: no GBK character among them.
  printf '[easy]\r\nname=\x81\x20\xff\xfeA\x80\r\nscore=150\r\n[normal]\r\nname=Ann\r\nscore=300\r\n' \
    >"$1/score.ini"
}
ref_bad_gbk() { crlf '[easy]' 'name=' 'score=150' '[normal]' 'name=Ann' 'score=300' >"$1/score.ini"; }
make_abc() { crlf '[easy]' 'name=Bob' 'score=abc' '[hard]' 'name=Cy' 'score=12x' >"$1/score.ini"; }
ref_abc() { crlf '[easy]' 'name=Bob' 'score=0' '[hard]' 'name=Cy' 'score=0' >"$1/score.ini"; }
make_long_name() {
  { printf '[normal]\r\nname='; head -c 3000 /dev/zero | tr '\0' 'W'
    crlf '' 'score=250' '[hard]' 'name=After' 'score=350'; } >"$1/score.ini"
}
ref_long_name() {
  { printf '[normal]\r\nname='; head -c 2047 /dev/zero | tr '\0' 'W'
    crlf '' 'score=250' '[hard]' 'name=After' 'score=350'; } >"$1/score.ini"
}

# What may not change: for a file its bytes, inode, size, mode and modification time; for a
# folder the same of everything in it. The listing of the game's folder comes too.
fingerprint() {
  (cd "$1" && find . -print0 | sort -z | xargs -0 stat -c '%n %i %s %a %y' &&
    find score.ini -type f -exec sha256sum {} + 2>/dev/null)
}

# Runs the game in $dir/game on its score file as the given user (root when empty), opens the
# leaderboard through the menu and keeps a picture of it as $dir/board.png.
run_game() {
  local dir=$1 user=$2 prefix=()
  copy_game "$program" "$dir/game"
  mkdir -p "$dir/logs" && chmod 777 "$dir/logs" && chmod 755 "$dir" "$dir/game"
  [[ -n $user ]] && prefix=(setpriv --reuid="$user" --regid="$user" --clear-groups env HOME=/tmp)
  fingerprint "$dir/game" >"$dir/before.txt"
  (
    sanitizer_logs_to "$dir/logs"
    game_log=$dir/game.log start_game "$dir/game" "${prefix[@]}"
    echo "$game_pid" >"$dir/pid"
    wait "$game_pid"
    echo $? >"$dir/status"
  ) &
  local runner=$!
  local main board _
  for _ in $(seq 100); do [[ -s $dir/pid ]] && break; sleep 0.05; done
  game_pid=$(cat "$dir/pid")
  main=$(wait_window Quenlow) || { cat "$dir/game.log" >&2; fail "$case: no game window came up"; }
  board=$(open_leaderboard) || fail "$case: the leaderboard did not open from the menu"
  sleep 0.5
  kill -0 "$game_pid" 2>/dev/null || fail "$case: the game died showing the leaderboard"
  import -display "$DISPLAY" -window "$board" "$dir/board.png" ||
    fail "$case: no picture of the leaderboard could be taken"
  press alt+x
  wait "$runner"
  game_pid=
  local status
  status=$(cat "$dir/status")
  ((status == 0)) || fail "$case: the game ended with status $status: $(tail -3 "$dir/game.log")"
  check_sanitizer_logs "$dir/logs"
  fingerprint "$dir/game" >"$dir/after.txt"
  diff "$dir/before.txt" "$dir/after.txt" >&2 || fail "$case: the score file changed"
}

# The unreadable file: the superuser reads any file whatever its mode, so when the test runs
# as root the game runs as the user "nobody", for whom mode 000 really does shut the file.
unreadable_user=
if ((EUID == 0)); then
  unreadable_user=$(id -u nobody 2>/dev/null) || skip_test "running as root without a user nobody"
fi

# case, its maker, the reference's maker, the user, and which part of the picture counts:
# "all" or "but-easy-name", where the easy row's name may show replacement marks.
cases=(
  "binary make_binary make_none - all"
  "empty make_empty make_none - all"
  "huge make_huge ref_huge - all"
  "folder make_folder make_none - all"
  "unreadable make_unreadable make_none ${unreadable_user:--} all"
  "bad-gbk make_bad_gbk ref_bad_gbk - but-easy-name"
  "abc make_abc ref_abc - all"
  "long-name make_long_name ref_long_name - all"
)
declare -A references
failed=0
for entry in "${cases[@]}"; do
  read -r case maker reference user region <<<"$entry"
  [[ $user == - ]] && user=
  if (($#)) && [[ " $* " != *" $case "* ]]; then continue; fi
  if [[ -z ${references[$reference]:-} ]]; then
    own=$case
    case=reference-$reference
    mkdir -p "$work/$case/game" && $reference "$work/$case/game"
    run_game "$work/$case" ""
    references[$reference]=$work/$case/board.png
    case=$own
  fi
  mkdir -p "$work/$case/game" && $maker "$work/$case/game"
  run_game "$work/$case" "$user"
  shot=$work/$case/board.png
  ref=${references[$reference]}
  if [[ $region == but-easy-name ]]; then
    # Everything left of the name column, and everything below the easy row.
    crops=("168x400+0+0" "400x400+0+44")
  else
    crops=("2000x2000+0+0")
  fi
  same=1
  for crop in "${crops[@]}"; do
    convert "$shot" -crop "$crop" +repage "$work/a.png"
    convert "$ref" -crop "$crop" +repage "$work/b.png"
    if ! differ=$(same_picture "$work/a.png" "$work/b.png"); then
      echo "FAIL: $case: the leaderboard differs from that of $reference: $differ ($crop)" >&2
      same=0
    fi
  done
  ((same)) && echo "ok: $case" || failed=1
done
((failed == 0)) || exit 1
echo "passed"
