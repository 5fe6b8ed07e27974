#!/usr/bin/env bash
# One step of the installed-game checks: install, files, entry, start,
# elsewhere or remove. The test list sets CMAKE, CORVENNE_BUILD,
# CORVENNE_ASSETS, CORVENNE_PREFIX, CORVENNE_PROBE and DESKTOP_FILE_VALIDATE.
set -euo pipefail
shopt -s inherit_errexit

prefix=$CORVENNE_PREFIX
entry=$prefix/share/applications/corvenne.desktop

fail() { echo "FAIL: $*" >&2; exit 1; }

# A key's value as written in the entry.
entry_value() { sed -n "s/^$1=//p" "$entry"; }

# A value with the entry's escaped backslashes undone; no other escape occurs in a path.
entry_string() { entry_value "$1" | sed 's/\\\\/\\/g'; }

# The program Exec starts, read as a launcher reads it: one quoted word with
# \" \` \$ \\ escaped inside, and %% for a percent sign.
entry_program() {
  local exec
  exec=$(entry_string Exec)
  [[ $exec =~ ^\"(([^\"\\]|\\.)*)\"$ ]] || fail "Exec is not one quoted program: $exec"
  sed -e 's/\\\(.\)/\1/g' -e 's/%%/%/g' <<<"${BASH_REMATCH[1]}"
}

# Starts the installed program in FOLDER on the offscreen platform with the
# probe loaded, and prints what the probe saw of the main window.
run_installed_game() {
  local program status=0
  program=$(entry_program)
  (cd "$1" && timeout 30 env QT_QPA_PLATFORM=offscreen LD_PRELOAD="$CORVENNE_PROBE" "$program") || status=$?
  [[ $status -eq 0 ]] || fail "the game in $1 ended with status $status (124: it was still running after 30 s)"
}

# Width x height from a PNG file's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }

install() {
  rm -rf "$prefix"
  "$CMAKE" --install "$CORVENNE_BUILD" --prefix "$prefix" >/dev/null
}

files() {
  [[ -x $prefix/bin/corvenne ]] || fail "no program in bin/"
  [[ -x $prefix/bin/corvenne-replay ]] || fail "no corvenne-replay beside it in bin/"
  cmp "$CORVENNE_ASSETS/tavlo2.bmp" "$prefix/share/corvenne/tavlo2.bmp"
  local size icon
  for size in 16 32 48 128; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/corvenne.png
    cmp "$CORVENNE_ASSETS/icon-$size.png" "$icon"
    [[ $(png_size "$icon") == "${size}x${size}" ]] || fail "$icon is $(png_size "$icon")"
  done
}

entry() {
  local verdict
  verdict=$("$DESKTOP_FILE_VALIDATE" "$entry" 2>&1) || fail "$verdict"
  [[ -z $verdict ]] || fail "desktop-file-validate has remarks: $verdict"
  [[ $(entry_value Icon) == corvenne ]] || fail "Icon=$(entry_value Icon)"
  [[ ";$(entry_value Categories)" == *";Game;"* ]] || fail "Categories=$(entry_value Categories)"
  [[ -n $(entry_value Comment) ]] || fail "no Comment"
  [[ $(entry_program) == "$prefix/bin/corvenne" ]] || fail "Exec starts $(entry_program)"
  [[ $(entry_string Path) == "$prefix/share/corvenne" ]] || fail "Path=$(entry_string Path)"
}

start() {
  local seen expected
  seen=$(run_installed_game "$(entry_string Path)")
  expected=$'main window: Corvenne\nstatus line: Start new game\ncue ball: #ffffff\nblack ball: #000000\nmessage box: none'
  [[ $seen == "$expected" ]] || fail $'started from Path, the game showed:\n'"$seen"
}

# Outside its folder the game has no table picture: the probe must see the
# message about it, which also shows that it would see one in `start`.
elsewhere() {
  local seen
  empty_folder=$(mktemp -d)
  trap 'rm -rf "$empty_folder"' EXIT
  seen=$(run_installed_game "$empty_folder")
  [[ $seen == *"status line: "$'\n'* ]] || fail $'a status line was set without a table:\n'"$seen"
  [[ $seen == *"message box: tavlo2.bmp: the file is missing"* ]] || fail $'no missing-picture message:\n'"$seen"
}

remove() { rm -rf "$prefix"; }

case ${1-} in
  install | files | entry | start | elsewhere | remove) "$1" ;;
  *) fail "unknown step '${1-}'" ;;
esac
