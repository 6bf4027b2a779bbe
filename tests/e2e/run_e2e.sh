#!/usr/bin/env bash
# Sessions of kestrafo as a student has them: the real program in a real X
# window under Xvfb, driven from outside by keystrokes and clicks, the
# question and answer panes read back through the clipboard, and the files
# of the working folder checked byte for byte.
#
#   run_e2e.sh PROGRAM [--screenshot FILE]
#
# --screenshot keeps a picture of the main window in the middle of a session.
set -euo pipefail
export LC_ALL=C

program=${1:?usage: run_e2e.sh PROGRAM [--screenshot FILE]}
shift
screenshot=""
while [ $# -gt 0 ]; do
    case $1 in
    --screenshot) screenshot=${2:?--screenshot needs a file}; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
    esac
done
[ -x "$program" ] || { echo "not a program: $program" >&2; exit 2; }
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")
[ -z "$screenshot" ] || screenshot=$(cd "$(dirname "$screenshot")" && pwd)/$(basename "$screenshot")

here=$(cd "$(dirname "$0")" && pwd)
# Built beside the program: what the files must hold, made by the tutor's code.
records="$(dirname "$program")/e2e_records"
[ -x "$records" ] || { echo "not built: $records" >&2; exit 2; }

for tool in Xvfb xdotool xclip timeout od; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool (scripts/setup.sh installs it)" >&2; exit 1; }
done
if [ -n "$screenshot" ] && ! command -v import >/dev/null; then
    echo "--screenshot needs ImageMagick's import (apt-get install imagemagick)" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrafo-e2e.XXXXXX")
xvfb_pid=""
app_pid=""
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
scenario=""
fail() {
    echo "FAIL [$scenario]: $*" >&2
    [ -z "${app_log:-}" ] || [ ! -s "$app_log" ] || sed 's/^/  program: /' "$app_log" >&2
    if [ -n "$xvfb_pid" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "Xvfb has ended:" >&2
        sed 's/^/  Xvfb: /' "$work/xvfb.log" >&2
    fi
    failed=$((failed + 1))
    echo "$passed passed, $failed failed"
    exit 1
}
pass() {
    passed=$((passed + 1))
    echo "PASS $scenario"
}
. "$here/../support/x_session.sh"

x_ready() { xdotool getmouselocation >/dev/null 2>&1; }

. "$here/window_steps.sh"
. "$here/record_checks.sh"

response_prompt="Enter, as appropriate, an answer to the question, a critique of your answer in response to a given answer, your insights regarding the situation at this point, notes to yourself, or just an OK."$'\n\n'"Always critique your solutions by describing any insights you had or errors you makde, and by explaining how you can make use of the insight or how you now know how to avoid certain errors.  Also pose for the instructor any question or questions that you have related to the problem or series of problems."

# --- the sessions ---------------------------------------------------------

start_x
wait_until 15 "the X server" x_ready

home="$work/home"
mkdir -p "$home"
folder="$home/kestrafo"
today=$(date +%m-%d-%Y)
date_pattern=$today
send_name="send_${today:0:2}${today:3:2}.txt"

# Assignment 005 from its opening to its end: a response rated for
# confidence, one rated for self-critique, a note, both viewers, items passed
# over, and the step onto the next header, which ends the program.
scenario="assignment 005 to its end"
mapfile -d '' items < <(assignment_items 005)
[ ${#items[@]} -eq 6 ] || fail "assignment 005 should have 6 items, the course has ${#items[@]}"
# Two of them spelled out, since they come from the reader under test: its
# markers dropped, its line breaks decoded.
[ "${items[0]}" = 'Find the integral of 1 / (x^2 `sqrt(4 - x^2)) `dx.' ] &&
    [[ ${items[1]} == "The expression "*$'.\n\nThe integral becomes\n   integral of '* ]] ||
    fail "the items of assignment 005 are not the course's"
open_window "Ann Student" "" "5"
date_pattern="$today|$(date +%m-%d-%Y)"

expect_records opening 005
check_file "$folder/masterFile.txt"
master_code=${code_lines[0]}
check_file "$folder/$send_name"
[ "${code_lines[0]}" = "$master_code" ] || fail "the SEND file's code line differs from the master file's"
[ "$(ls "$folder")" = "masterFile.txt"$'\n'"$send_name" ] || fail "unexpected files: $(ls "$folder")"
expect_pane txt_question ""
expect_pane txt_answer " "

click cmdNextQuestion
expect_pane txt_question $'\n\n'"${items[0]}"
response1=("Let x = 2 sin(t), so dx = 2 cos(t) dt." "The integral is -sqrt(4 - x^2) / (4 x) + c.")
type_answer "${response1[@]}"
click cmd_enter_response
answer_prompt "2"
expect_pane txt_question ""
expect_pane txt_answer ""

click cmdNextQuestion
expect_pane txt_question $'\n\n'"${items[1]}"
expect_pane txt_answer ""
critique=("I forgot the triangle at the end; now I draw it first.")
type_answer "${critique[@]}"
if [ -n "$screenshot" ]; then
    # The worked answer from its beginning, the cursor back in the answer.
    click txt_question
    xdotool key ctrl+Home
    click txt_answer
    xdotool key ctrl+End
    read_pane txt_answer
    import -window "$form" "$screenshot"
    echo "screenshot: $screenshot"
fi
click cmd_enter_response
answer_prompt "3"
expect_pane txt_answer ""

click cmdNextQuestion
expect_pane txt_question $'\n\n'"${items[2]}"
[ ! -e "$folder/notes_.txt" ] || fail "the notes file exists before the first note"
note=("remember: x = a sin(t) for sqrt(a^2 - x^2)" "and draw the triangle")
type_answer "${note[@]}"
click cmd_save_as_notes
expect_pane txt_question ""
expect_pane txt_answer ""

note_record=(note "${items[2]}" "${note[@]}")
# The session's records as the master (or SEND) file has them.
expect_session() {
    expect_records opening 005 ";" \
        "$1" 50000 "${items[0]}" "${response1[@]}" -- "confidence assessment:  2" ";" \
        "$1" 50000 "${items[1]}" "${critique[@]}" -- "self critique assessment: 3" ";" \
        "${note_record[@]}"
}
expect_session master
check_file "$folder/masterFile.txt"
expect_session send
check_file "$folder/$send_name"
expect_records "${note_record[@]}"
check_file "$folder/notes_.txt"

click cmd_display_note_file
shown=$'\n\n'$(tr -d '\r\n' <"$folder/notes_.txt")
expect_pane txt_question "$shown"
click cmd_displayCumulativeText
shown+=$("$records" shown "$folder/$send_name"; printf '#')
shown=${shown%#}
expect_pane txt_question "$shown"
expect_pane txt_answer ""

# Items passed over: the answer pane keeps what it has until an item goes
# unanswered, then gets the instructions back.
snapshot "$folder" "$work/after-005"
click cmdNextQuestion
shown+=$'\n\n'"${items[3]}"
expect_pane txt_question "$shown"
expect_pane txt_answer ""
click cmdNextQuestion
shown+=$'\n\n'"${items[4]}"
expect_pane txt_question "$shown"
expect_pane txt_answer "$response_prompt"
click cmdNextQuestion
shown+=$'\n\n'"${items[5]}"
expect_pane txt_question "$shown"
click cmdNextQuestion
expect_exit 0
same_folder "$work/after-005" "$folder"
pass

# An assignment that is not in the course: a message, status 1, nothing
# written.
scenario="assignment 033 is not in the course"
start_program "$home"
start_up "Ann Student" "" "33"
next_dialog
xdotool key Return
expect_exit 1
grep -q '"033"' "$app_log" || fail "no error message that names assignment 033"
same_folder "$work/after-005" "$folder"
pass

# A working folder that does not exist: the program does not start and
# creates nothing there; the default folder stays as it was.
scenario="working folder does not exist"
start_program "$home"
start_up "Ann Student" "1" 'c:\absent' "5"
next_dialog
xdotool key Return
expect_exit 1
grep -q 'absent' "$app_log" || fail "no error message that names the folder"
[ ! -e "$home/absent" ] || fail "the missing folder was created"
same_folder "$work/after-005" "$folder"
pass

# Quit: a second session of the day opens on assignment 001 (the folder
# question answered 1, the folder prompt left empty), then "quit program"
# ends it with status 0 and writes nothing more.
scenario="quit program"
open_window "Ann Student" "1" "" "1"
date_pattern="$today|$(date +%m-%d-%Y)"
for name in masterFile.txt "$send_name"; do
    head -c "$(stat -c %s "$work/after-005/$name")" "$folder/$name" | cmp -s - "$work/after-005/$name" ||
        fail "$name was not only appended to"
    tail -c +"$(($(stat -c %s "$work/after-005/$name") + 1))" "$folder/$name" >"$work/opening-001"
    expect_records opening 001
    check_file "$work/opening-001"
    [ "${code_lines[0]}" != "$master_code" ] || fail "the second session has the first one's code line"
done
cmp -s "$folder/notes_.txt" "$work/after-005/notes_.txt" || fail "the notes file changed"
snapshot "$folder" "$work/after-001"
click cmdNextQuestion
read_pane txt_question
click cmd_quit
expect_exit 0
same_folder "$work/after-001" "$folder"
pass

# The keys: every command of the session without the mouse, Enter still a
# new line in the answer, and the focus back in the answer pane after a
# command that empties it.
scenario="keyboard shortcuts"
mapfile -d '' items < <(assignment_items 005)
open_window "Ann Student" "1" "" "5"
click txt_answer
xdotool key ctrl+n
expect_pane txt_question $'\n\n'"${items[0]}"
type_answer "first line" "second line"
expect_pane txt_answer "first line"$'\n'"second line"
xdotool key ctrl+Return
answer_prompt "1"
expect_pane txt_question ""
file_holds "$folder/$send_name" $'\r\nfirst line\r\nsecond line\r\nconfidence assessment:  1\r\n' ||
    fail "Ctrl+Enter did not record the response"
type_answer "to be cleared"
xdotool key ctrl+l
expect_pane txt_answer ""
# After a click on "clear answer" the keys go straight into the answer.
type_answer "again"
click cmd_clr_answer
xdotool type --delay 4 -- "typed at once"
expect_pane txt_answer "typed at once"
notes_before=$(stat -c %s "$folder/notes_.txt")
type_answer "a note by key"
xdotool key ctrl+s
expect_pane txt_answer ""
[ "$(stat -c %s "$folder/notes_.txt")" -gt "$notes_before" ] || fail "Ctrl+S saved no note"
tail -c 200 "$folder/notes_.txt" | grep -qa 'a note by key' || fail "the note is not in the notes file"
xdotool key ctrl+shift+n
shown=$'\n\n'$(tr -d '\r\n' <"$folder/notes_.txt")
expect_pane txt_question "$shown"
xdotool key ctrl+shift+s
read_pane txt_question
[[ $pane == "$shown"$'\n'* ]] && [[ $pane == *"a note by key"*"a note by key"* ]] ||
    fail "Ctrl+Shift+S did not show the SEND file after the notes"
click cmd_quit
expect_exit 0
pass

# What the student typed and did not record is kept in drafts_.txt: after a
# kill (from the autosave, at the next start, with one message), at quit, and
# when the instructions are put back over it; the record files hold whole
# records only and change in no other way.
autosave_holds() { grep -qaF -- "$1" "$folder"/.autosave_* 2>/dev/null; }
drafts_hold() { # REASON TEXT
    grep -qaF -- "KEPT --------> $1, ${#2} characters"$'\r' "$folder/drafts_.txt" &&
        grep -qaxF -- "$2"$'\r' "$folder/drafts_.txt"
}
# FILE grew by the opening blocks of the assignment given, COUNT times.
grew_by_openings() {
    local file=$1 before=$2 count=$3 i
    head -c "$(stat -c %s "$before")" "$file" | cmp -s - "$before" || fail "$file was not only appended to"
    tail -c +"$(($(stat -c %s "$before") + 1))" "$file" >"$work/grown"
    local -a openings=()
    for ((i = 0; i < count; ++i)); do openings+=(opening 005 ";"); done
    expect_records "${openings[@]}"
    check_file "$work/grown"
}

scenario="killed while typing"
snapshot "$folder" "$work/before-kill"
open_window "Ann Student" "1" "" "5"
click cmdNextQuestion
kept_text="typed, then the power went"
type_answer "$kept_text"
wait_until 5 "the autosave" autosave_holds "$kept_text"
kill -KILL "$app_pid"
expect_exit 137
start_program "$home"
start_up "Ann Student" "1" "" "5"
next_dialog
grep -qxF "kestrafo: From the last time the program ran, one answer you had typed and not recorded was kept in the file $folder/drafts_.txt." "$app_log" ||
    fail "no message, or another one, about the text kept"
xdotool key Return
wait_for_main_window
[ "$(grep -c '^kestrafo: ' "$app_log")" -eq 1 ] || fail "more than one message"
drafts_hold autosave "$kept_text" || fail "drafts_.txt does not hold the text typed before the kill"
for name in masterFile.txt "$send_name"; do
    grew_by_openings "$folder/$name" "$work/before-kill/$name" 2
done
same_folder "$work/before-kill" "$folder" -x masterFile.txt -x "$send_name" -x drafts_.txt
click cmd_quit
expect_exit 0
[ -z "$(ls -A "$folder" | grep '^\.autosave_')" ] || fail "an autosave stayed after quit"
pass

scenario="typed, then quit"
open_window "Ann Student" "1" "" "5"
snapshot "$folder" "$work/before-quit"
click cmdNextQuestion
quit_text="half an answer, then quit"
type_answer "$quit_text"
click cmd_quit
expect_exit 0
drafts_hold "quit program" "$quit_text" || fail "drafts_.txt does not hold the text typed before quit"
same_folder "$work/before-quit" "$folder" -x drafts_.txt
[ -z "$(ls -A "$folder" | grep '^\.autosave_')" ] || fail "an autosave stayed after quit"
pass

scenario="passed over an answered item"
mapfile -d '' items < <(assignment_items 005)
open_window "Ann Student" "1" "" "5"
snapshot "$folder" "$work/before-pass"
click cmdNextQuestion
passed_text="an answer not recorded"
type_answer "$passed_text"
click cmdNextQuestion
expect_pane txt_question $'\n\n'"${items[0]}"$'\n\n'"${items[1]}"
expect_pane txt_answer "$response_prompt"
drafts_hold "next question" "$passed_text" || fail "drafts_.txt does not hold the text passed over"
click cmd_quit
expect_exit 0
same_folder "$work/before-pass" "$folder" -x drafts_.txt
pass

# What the student sees is what is recorded: after enough items to overflow
# the question pane the newest is in view; typing into the instructions
# replaces them; pasted mathematics reaches the SEND file in the course's
# notation.
scenario="the newest item in view, the instructions replaced, mathematics kept"
mapfile -d '' items < <(assignment_items 005)
open_window "Ann Student" "1" "" "5"
for ((i = 0; i < 5; ++i)); do click cmdNextQuestion; done
top_line
[ -n "$top_text" ] && [[ ${items[4]} == "$top_text"* ]] ||
    fail "the top of the question pane shows '$top_text', not the start of the newest item"
expect_pane txt_answer "$response_prompt"
click txt_answer
xdotool type --delay 4 -- "x = 3 tan t"
expect_pane txt_answer "x = 3 tan t"
click cmd_enter_response
answer_prompt "2"
file_holds "$folder/$send_name" $'\r\nRESPONSE -->  \r\nx = 3 tan t\r\nself critique assessment: 2\r\n' ||
    fail "the SEND file does not hold the typed text alone"
click cmdNextQuestion
printf '%s' 'θ ≤ π/2, √x, ∫ f dx ≈ 1 → ∞, x⁴ − 1 ≠ 0' | xclip -selection clipboard
click txt_answer
xdotool key ctrl+v
click cmd_enter_response
answer_prompt "3"
file_holds "$folder/$send_name" $'\r\nRESPONSE -->  \r\n`theta <= `pi/2, `sqrtx, integral  f dx ~= 1 -> infinity, x^4 - 1 != 0\r\nconfidence assessment:  3\r\n' ||
    fail "the SEND file does not hold the pasted line in the course's notation"
click cmd_quit
expect_exit 0
pass

echo "$passed passed, $failed failed"
"$here/review_check.sh" "$(dirname "$program")/kestrafo-review" "$folder"
