#!/usr/bin/env bash
# One step of the installed-game checks: install, files, entry, metainfo,
# manual, command_line, start, elsewhere, own_picture, moved, tools, package
# or remove. The test list sets CMAKE, CPACK, CORVENNE_BUILD, CORVENNE_ASSETS,
# CORVENNE_SOUNDS (the build's samples), CORVENNE_WITH_SOUND (1 when the game
# is built with sound), CORVENNE_PREFIX, CORVENNE_VERSION, CORVENNE_PROBE,
# DESKTOP_FILE_VALIDATE, APPSTREAMCLI, UPDATE_MIME_DATABASE and LINTIAN.
set -euo pipefail
shopt -s inherit_errexit

prefix=$CORVENNE_PREFIX
app_id=org.corvenne.Corvenne
entry=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
match_type=application/x-corvenne-match
started_as_installed=$'main window: Corvenne\nstatus line: Start new game\ncue ball: #ffffff\nblack ball: #000000\nmessage box: none'

fail() { echo "FAIL: $*" >&2; exit 1; }

# A key's value as written in ENTRY (the installed one by default).
entry_value() { sed -n "s/^$1=//p" "${2:-$entry}"; }

# The program Exec starts, read as a launcher reads it: one quoted word with
# \" \` \$ \\ escaped inside (and \ escaped once more for the entry), and %%
# for a percent sign; then the file it opens.
entry_program() {
  local exec
  exec=$(entry_value Exec "${1:-$entry}" | sed 's/\\\\/\\/g')
  [[ $exec =~ ^\"(([^\"\\]|\\.)*)\"\ %f$ ]] || fail "Exec is not one quoted program and %f: $exec"
  sed -e 's/\\\(.\)/\1/g' -e 's/%%/%/g' <<<"${BASH_REMATCH[1]}"
}

# Folders that have nothing to do with the game, removed when the step ends.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
scratch_folder() { mktemp -d -p "$scratch"; }

# Starts PROGRAM in FOLDER on the offscreen platform with the probe loaded,
# and prints what the probe saw of the main window. With `toolkit`, the
# platform is left for the arguments after the folder to name.
run_game() {
  local program=$1 folder=$2 status=0 platform=(QT_QPA_PLATFORM=offscreen)
  shift 2
  [[ ${1-} != toolkit ]] || { platform=(-u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY); shift; }
  (cd "$folder" && timeout 30 env "${platform[@]}" LD_PRELOAD="$CORVENNE_PROBE" "$program" "$@") || status=$?
  [[ $status -eq 0 ]] || fail "$program $* in $folder ended with status $status (124: it was still running after 30 s)"
}

# Starts PROGRAM from an unrelated folder: it must find its own table picture.
expect_start_from_anywhere() {
  local seen
  seen=$(run_game "$1" "$(scratch_folder)")
  [[ $seen == "$started_as_installed" ]] || fail $'started from an unrelated folder, '"$1"$' showed:\n'"$seen"
}

# Width x height from a PNG file's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }

install() {
  rm -rf "$prefix"
  "$CMAKE" --install "$CORVENNE_BUILD" --prefix "$prefix" >/dev/null
}

files() {
  [[ -x $prefix/bin/corvenne ]] || fail "no program in bin/"
  [[ ! -e $prefix/bin/corvenne-replay ]] || fail "the driver is installed without asking for the tools"
  cmp "$CORVENNE_ASSETS/tavlo2.bmp" "$prefix/share/corvenne/tavlo2.bmp"
  local sample
  for sample in "$CORVENNE_SOUNDS"/*.wav; do
    cmp "$sample" "$prefix/share/corvenne/$(basename "$sample")"
  done
  local size icon
  for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    cmp "$CORVENNE_ASSETS/icon-$size.png" "$icon"
    [[ $(png_size "$icon") == "${size}x${size}" ]] || fail "$icon is $(png_size "$icon")"
  done
  grep -q "MIT License" "$prefix/share/doc/corvenne/copyright" || fail "no licence in share/doc/corvenne/"
  expect_match_type "$prefix/share/mime/packages/$app_id.xml"
}

# The shared MIME database, built from the match files' type alone, knows
# match files by their name and by their first line.
expect_match_type() {
  local database
  database=$(scratch_folder)
  mkdir "$database/packages"
  cp "$1" "$database/packages/"
  "$UPDATE_MIME_DATABASE" "$database" >/dev/null 2>&1
  grep -qxF "$match_type:*.corvenne" "$database/globs" || fail "$1 gives no glob for *.corvenne"
  grep -qF "# Corvenne match file" "$database/magic" || fail "$1 gives no first line for match files"
}

entry() {
  local verdict
  verdict=$("$DESKTOP_FILE_VALIDATE" "$entry" 2>&1) || fail "$verdict"
  [[ -z $verdict ]] || fail "desktop-file-validate has remarks: $verdict"
  [[ $(entry_value Icon) == "$app_id" ]] || fail "Icon=$(entry_value Icon)"
  [[ $(entry_value Keywords) == "pool;billiards;8-ball;" ]] || fail "Keywords=$(entry_value Keywords)"
  [[ $(entry_value StartupNotify) == true ]] || fail "StartupNotify=$(entry_value StartupNotify)"
  [[ -z $(entry_value Path) ]] || fail "the entry still needs Path=$(entry_value Path)"
  [[ $(entry_program) == "$prefix/bin/corvenne" ]] || fail "Exec starts $(entry_program)"
  [[ $(entry_value MimeType) == "$match_type;" ]] || fail "MimeType=$(entry_value MimeType)"
}

metainfo() {
  local verdict
  verdict=$("$APPSTREAMCLI" validate --no-net "$metainfo" 2>&1) || fail "$verdict"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "no launchable"
  grep -q "<release version=\"$CORVENNE_VERSION\"" "$metainfo" || fail "no release $CORVENNE_VERSION"
  grep -q "<mediatype>$match_type</mediatype>" "$metainfo" || fail "no mediatype $match_type"
  grep -q '<url type="homepage">https://' "$metainfo" || fail "no homepage"
  grep -q '<screenshot type="default">' "$metainfo" || fail "no screenshot"
}

# Renders PAGE; man's warnings, such as unknown requests, fail the step.
expect_clean_manual() {
  local warnings
  warnings=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null) || fail "man cannot render $1"
  [[ -z $warnings ]] || fail $'man warns about '"$1"$':\n'"$warnings"
  [[ $(MANWIDTH=80 man -l "$1" 2>/dev/null) == *NAME* ]] || fail "$1 renders empty"
}

# Every option the program's help lists is in the manual's synopsis too.
manual() {
  local page=$prefix/share/man/man6/corvenne.6.gz synopsis option
  expect_clean_manual "$page"
  synopsis=$(MANWIDTH=200 LC_ALL=C man -l "$page" 2>/dev/null | sed -n '/^SYNOPSIS/,/^DESCRIPTION/p')
  for option in $(env -u DISPLAY "$prefix/bin/corvenne" --help | grep -o -- '--[a-z-]*' | sort -u); do
    [[ $synopsis == *"$option"* ]] || fail "the manual's synopsis lacks $option"
  done
}

# The answers need no display: the program is started without one. The
# toolkit's own options reach the toolkit, beside the game's own: the window
# opens on the platform they name, with no other way to find one.
command_line() {
  local program=$prefix/bin/corvenne out status
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version)
  [[ $out == "corvenne $CORVENNE_VERSION" ]] || fail "--version printed: $out"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help)
  [[ $out == "Usage: corvenne [options] [file]"*"--version"* ]] || fail $'--help printed:\n'"$out"
  local words why
  while IFS='|' read -r words why; do
    status=0
    # Unquoted on purpose: the words are separate arguments.
    # shellcheck disable=SC2086
    out=$(env -u DISPLAY "$program" $words 2>&1) || status=$?
    [[ $status -eq 2 && $out == "corvenne: $why"* ]] || fail "'$words' gave status $status and: $out"
  done <<'REFUSED'
--bogus|Unknown option 'bogus'.
one two|unexpected argument 'two'
-platform|Missing value after '-platform'.
--host abc|--host takes a port number
--host 65536 --name Anna|--host takes a port number
--sound on|--sound takes no 'on'; usage: corvenne [--sound | --no-sound]
--no-sound OFF|--no-sound takes no 'OFF'
--sound --no-sound|--sound and --no-sound together
REFUSED
  out=$(run_game "$program" "$(scratch_folder)" toolkit -platform offscreen --no-sound)
  [[ $out == "$started_as_installed" ]] || fail $'with -platform offscreen the game showed:\n'"$out"
}

# As the menu starts it: the entry names no folder, so it starts anywhere.
start() { expect_start_from_anywhere "$(entry_program)"; }

# A table picture in the folder the game starts in comes first: a damaged one
# is reported, not passed over for the installed one.
own_picture() {
  local folder seen
  folder=$(scratch_folder)
  printf 'BM not a picture' >"$folder/tavlo2.bmp"
  seen=$(run_game "$prefix/bin/corvenne" "$folder")
  [[ $seen == *"message box: tavlo2.bmp: "* && $seen != *missing* ]] || fail $'own picture not read first:\n'"$seen"
}

# The whole installation moved elsewhere still starts; without its picture the
# message names every folder that was searched; one beside the program, as in
# the build tree, is found last.
moved() {
  local moved_to empty seen
  moved_to=$(scratch_folder)/moved
  cp -R "$prefix" "$moved_to"
  expect_start_from_anywhere "$moved_to/bin/corvenne"
  rm "$moved_to/share/corvenne/tavlo2.bmp"
  empty=$moved_to/empty
  mkdir "$empty"
  seen=$(run_game "$moved_to/bin/corvenne" "$empty")
  local expected="message box: tavlo2.bmp: the file is missing (looked in $empty, $moved_to/share/corvenne and $moved_to/bin)"
  [[ $seen == *"$expected"* ]] || fail $'without a picture:\n'"$seen"
  cp "$CORVENNE_ASSETS/tavlo2.bmp" "$moved_to/bin/"
  expect_start_from_anywhere "$moved_to/bin/corvenne"
}

# The driver and its manual page come with the tools component only.
tools() {
  local tools_prefix
  tools_prefix=$(scratch_folder)/tools
  "$CMAKE" --install "$CORVENNE_BUILD" --prefix "$tools_prefix" --component tools >/dev/null
  [[ -x $tools_prefix/bin/corvenne-replay ]] || fail "no corvenne-replay in the tools component"
  [[ ! -e $tools_prefix/bin/corvenne ]] || fail "the tools component holds the game"
  expect_clean_manual "$tools_prefix/share/man/man1/corvenne-replay.1.gz"
}

# The Debian package, built from this build, unpacked into a scratch root and
# started from an unrelated folder.
package() {
  local folder deb root field
  folder=$(scratch_folder)
  (cd "$folder" && "$CPACK" -G DEB --config "$CORVENNE_BUILD/CPackConfig.cmake" >/dev/null)
  deb=$folder/corvenne_${CORVENNE_VERSION}_amd64.deb
  [[ -f $deb ]] || fail "no $(basename "$deb") among: $(ls "$folder")"
  field=$(dpkg-deb -f "$deb" Depends)
  [[ $field == *libc6* && $field == *libqt6widgets6* ]] || fail "Depends: $field"
  [[ $CORVENNE_WITH_SOUND == 0 || $field == *libqt6multimedia6* ]] || fail "Depends without the sound: $field"
  field=$(dpkg-deb -f "$deb" Homepage)
  [[ $field == https://* ]] || fail "Homepage: $field"
  field=$(dpkg-deb -f "$deb" Recommends)
  [[ $field == "fonts-wine, fonts-liberation2, fonts-comic-neue" ]] || fail "Recommends: $field"
  root=$folder/root
  dpkg-deb -x "$deb" "$root"
  local file
  for file in games/corvenne share/corvenne/tavlo2.bmp share/corvenne/pocket_drop.wav \
    share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml share/mime/packages/$app_id.xml \
    share/icons/hicolor/256x256/apps/$app_id.png share/man/man6/corvenne.6.gz share/doc/corvenne/copyright share/doc/corvenne/changelog.gz; do
    [[ -f $root/usr/$file ]] || fail "the package lacks /usr/$file"
  done
  [[ ! -e $root/usr/bin/corvenne-replay ]] || fail "the package holds the driver"
  [[ $(entry_program "$root/usr/share/applications/$app_id.desktop") == /usr/games/corvenne ]] \
    || fail "the packaged entry starts $(entry_program "$root/usr/share/applications/$app_id.desktop")"
  expect_start_from_anywhere "$root/usr/games/corvenne"
  local remarks
  remarks=$("$LINTIAN" --allow-root --no-cfg --fail-on none "$deb" 2>&1) || fail $'lintian could not check the package:\n'"$remarks"
  [[ -z $remarks ]] || fail $'lintian has remarks on the package:\n'"$remarks"
}

remove() { rm -rf "$prefix"; }

case ${1-} in
  install | files | entry | metainfo | manual | command_line | start | own_picture | moved | tools | package | remove) "$1" ;;
  *) fail "unknown step '${1-}'" ;;
esac
