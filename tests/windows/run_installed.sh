#!/usr/bin/env bash
# The Windows installer as a student runs it, under Wine and Xvfb: installed
# silently, the installed kestrafo.exe started from the Start menu's target,
# a session typed into its real window, the files of c:\kestrafo compared
# byte for byte with what the Linux program writes for the same keystrokes
# (the code line and the clock texts masked), then uninstalled silently,
# leaving the working folder as it was.
#
#   run_installed.sh INSTALLER LINUX_PROGRAM
#
# The installer goes into a Wine prefix of its own, made fresh, as a
# student's Windows would be.
set -euo pipefail
export LC_ALL=C

installer=${1:?usage: run_installed.sh INSTALLER LINUX_PROGRAM}
linux_program=${2:-}
[ -f "$installer" ] || { echo "no installer at $installer: build it with make windows" >&2; exit 1; }
[ -x "$linux_program" ] || {
    echo "no Linux program at '$linux_program': configure with -DKESTRAFO_LINUX_PROGRAM (make windows-test does)" >&2
    exit 1
}
for tool in Xvfb xdotool perl cmp; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
done

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrafo-installed.XXXXXX")
export WINEPREFIX=$work/prefix
drive_c=$WINEPREFIX/drive_c
installed=$drive_c/Program\ Files/kestrafo
shortcut=$drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/kestrafo.lnk
xvfb_pid=""
app_pid=""
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

step=""
fail() {
    echo "FAIL [$step]: $*" >&2
    [ ! -s "$work/app.log" ] || sed 's/^/  program: /' "$work/app.log" >&2
    exit 1
}
. "$(dirname "$0")/../support/x_session.sh"

now() { date +%s.%N; }

last_dialog=""
new_dialog_shown() {
    local id
    for id in $(visible_dialogs); do
        if [ "$id" != "$last_dialog" ]; then
            dialog=$id
            return 0
        fi
    done
    running || fail "the program ended while a prompt was expected"
    return 1
}

# Types REPLY into the next prompt and presses Enter.
answer_prompt() {
    wait_until 60 "a prompt" new_dialog_shown
    last_dialog=$dialog
    [ -n "$first_prompt_at" ] || first_prompt_at=$(now)
    xdotool windowfocus --sync "$dialog" 2>/dev/null || xdotool windowfocus "$dialog"
    [ -z "$1" ] || xdotool type --delay 20 -- "$1"
    xdotool key Return
    wait_until 15 "the prompt to close" dialog_gone
}

# One session, the same keystrokes for either program: the start-up
# prompts, the first item, a response of two lines with its rating, a note,
# and "quit program".
session() {
    first_prompt_at=""
    last_dialog=""
    local started
    started=$(now)
    "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    answer_prompt "Ann Lee"
    startup_seconds=$(awk -v a="$started" -v b="$first_prompt_at" 'BEGIN { print b - a }')
    answer_prompt ""
    answer_prompt "5"
    wait_until 30 "the main window" main_window_shown
    xdotool windowfocus --sync "$form" 2>/dev/null || xdotool windowfocus "$form"
    xdotool key --delay 100 ctrl+n ctrl+l
    xdotool type --delay 20 -- "dy/dx = 2x"
    xdotool key Return
    xdotool type --delay 20 -- "so the slope at x = 3 is 6"
    xdotool key ctrl+Return
    answer_prompt "2"
    xdotool windowfocus --sync "$form" 2>/dev/null || xdotool windowfocus "$form"
    xdotool type --delay 20 -- "Remember the chain rule."
    xdotool key ctrl+s
    # "quit program", which has no key: the middle of the button, whose
    # place in twips is 10200, 0, 735 wide, 495 high.
    eval "$(xdotool getwindowgeometry --shell "$form")"
    xdotool mousemove $((X + (10200 + 735 / 2) / 15)) $((Y + 495 / 2 / 15)) click 1
    wait_until 30 "the program to end" stopped
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "exit status $status"
}

# The files of a working folder with the code line and the clock texts
# masked, one file after another, each under its name. The autosave of a
# running copy is not a record file.
masked() {
    local folder=$1 name
    for name in $(cd "$folder" && ls -A | grep -v '^\.autosave_' | sort); do
        printf '== %s\n' "$name"
        perl -0777 -pe '
            s/[^\r\n]*(\r\nassignment #)/<code line>$1/g;
            s/[0-2][0-9]:[0-5][0-9]:[0-5][0-9]/<time>/g;
            s/[01][0-9]-[0-3][0-9]-[0-9]{4}/<date>/g;' "$folder/$name"
    done
}

start_x

step="prefix"
sh "$(dirname "$0")/wine_prefix.sh" "$WINEPREFIX" >"$work/prefix.log" 2>&1 ||
    fail "no Wine prefix: $(cat "$work/prefix.log")"

step="install"
"$wine" "$installer" /S
"$wineserver" -w
for file in kestrafo.exe kestrafo-review.exe LICENSE.txt uninstall.exe; do
    [ -f "$installed/$file" ] || fail "$file is not in Program Files\\kestrafo"
done
[ -f "$shortcut" ] || fail "there is no Start-menu entry"
"$wine" "C:\\Program Files\\kestrafo\\kestrafo-review.exe" --version >"$work/review.out" 2>&1 ||
    fail "kestrafo-review.exe --version failed: $(cat "$work/review.out")"

step="Windows session"
rm -rf "$drive_c/kestrafo"
session "$wine" "C:\\Program Files\\kestrafo\\kestrafo.exe"
wine_startup=$startup_seconds
[ -f "$drive_c/kestrafo/masterFile.txt" ] || fail "no masterFile.txt in c:\\kestrafo"

step="Linux session"
mkdir -p "$work/home"
session env HOME="$work/home" QT_QPA_PLATFORM=xcb "$linux_program"
linux_startup=$startup_seconds

step="compare"
masked "$drive_c/kestrafo" >"$work/windows.txt"
masked "$work/home/kestrafo" >"$work/linux.txt"
grep -q "^== notes_.txt" "$work/windows.txt" || fail "no notes_.txt in c:\\kestrafo"
grep -q "confidence assessment:  2" "$work/windows.txt" || fail "no rating in the records"
if ! cmp -s "$work/windows.txt" "$work/linux.txt"; then
    diff "$work/linux.txt" "$work/windows.txt" | head -n 40 | cat -A >&2
    fail "the Windows program's files differ from the Linux program's"
fi
echo "files of c:\\kestrafo equal the Linux program's: $(grep -c '^== ' "$work/windows.txt") files"
printf 'start to first prompt: %.2f s under Wine, %.2f s on Linux\n' "$wine_startup" "$linux_startup"

step="uninstall"
kept=$(cd "$drive_c/kestrafo" && sha256sum -- * | sort)
"$wine" "C:\\Program Files\\kestrafo\\uninstall.exe" /S
"$wineserver" -w
[ ! -e "$installed" ] || fail "Program Files\\kestrafo is still there: $(ls -A "$installed")"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is still there"
[ "$(cd "$drive_c/kestrafo" && sha256sum -- * | sort)" = "$kept" ] ||
    fail "the uninstaller changed c:\\kestrafo"
echo "PASS: installed, session recorded, uninstalled"
