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

# --- the program ----------------------------------------------------------

# Starts the program with HOME as its home folder, so that c:\kestrafo is
# HOME/kestrafo.
start_program() {
    local home=$1
    app_log="$work/app-$scenario.log"
    HOME="$home" QT_QPA_PLATFORM=xcb "$program" >"$app_log" 2>&1 &
    app_pid=$!
    last_dialog=""
}

# Waits for the program to end and checks its exit status.
expect_exit() {
    local want=$1
    wait_until 15 "the program to end" stopped
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq "$want" ] || fail "exit status $status, expected $want"
}

# A new dialog of the program (prompt or message box), shown and focused.
new_dialog_shown() {
    local id
    for id in $(visible_dialogs); do
        if [ "$id" != "$last_dialog" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$id" ]; then
            dialog=$id
            return 0
        fi
    done
    running || fail "the program ended while a dialog was expected"
    return 1
}

next_dialog() {
    wait_until 15 "a dialog" new_dialog_shown
    last_dialog=$dialog
}

# Types REPLY into the next prompt and presses Enter.
answer_prompt() {
    next_dialog
    [ -z "$1" ] || xdotool type --delay 4 -- "$1"
    xdotool key Return
    wait_until 10 "the prompt to close" dialog_gone
}

# The four (or three) start-up prompts.
start_up() {
    local reply
    for reply in "$@"; do
        answer_prompt "$reply"
    done
}

wait_for_main_window() {
    wait_until 15 "the main window" main_window_shown
    eval "$(xdotool getwindowgeometry --shell "$form")"
    form_x=$X
    form_y=$Y
}

# Starts the tutor, answers the start-up prompts and waits for its window.
open_window() {
    start_program "$home"
    start_up "$@"
    wait_for_main_window
}

# Control places in twips: left top width height.
declare -A place=(
    [cmdNextQuestion]="240 0 975 735"
    [cmd_display_note_file]="2400 240 135 495"
    [cmd_displayCumulativeText]="4440 240 915 495"
    [cmd_enter_response]="5640 240 855 495"
    [cmd_save_as_notes]="6480 240 855 495"
    [cmd_clr_answer]="8880 240 735 495"
    [cmd_quit]="10200 0 735 495"
    [txt_question]="240 720 5175 3255"
    [txt_answer]="5640 720 5055 3255"
)

click() {
    local left top width height
    read -r left top width height <<<"${place[$1]}"
    xdotool mousemove $((form_x + left / 15 + width / 30)) $((form_y + top / 15 + height / 30)) click 1
}

# Replaces the answer pane's text by the lines given, typed.
type_answer() {
    click txt_answer
    xdotool key ctrl+a
    if [ $# -eq 0 ]; then
        xdotool key Delete
    fi
    local first=1 line
    for line in "$@"; do
        [ $first -eq 1 ] || xdotool key Return
        first=0
        [ -z "$line" ] || xdotool type --delay 4 -- "$line"
    done
}

reads=0
clipboard_holds() {
    clip=$(xclip -o -selection clipboard 2>/dev/null) || return 1
    [[ $clip == *"$marker" ]]
}

# The text of a pane, read through the clipboard. A marker typed at the end
# makes the selection non-empty, keeps final line breaks and tells this copy
# from an earlier one; it is taken away again before anything else happens.
read_pane() {
    reads=$((reads + 1))
    marker="#e2e$reads#"
    click "$1"
    xdotool key ctrl+End
    xdotool type -- "$marker"
    xdotool key ctrl+a ctrl+c
    wait_until 10 "the clipboard" clipboard_holds
    pane=${clip%"$marker"}
    if [ "$1" = txt_answer ] && [ -z "$pane" ]; then
        # Typed into the instructions, the marker took their place: Ctrl+Z
        # brings them back to be copied alone. An empty pane copies nothing.
        xdotool key ctrl+z ctrl+a ctrl+c
        local tries
        for ((tries = 0; tries < 30; ++tries)); do
            if clip=$(xclip -o -selection clipboard 2>/dev/null; printf '#') && [ "$clip" != "$marker#" ]; then
                pane=${clip%#}
                break
            fi
            sleep 0.05
        done
        return
    fi
    xdotool key ctrl+End
    local i
    for ((i = 0; i < ${#marker}; ++i)); do xdotool key BackSpace; done
}

# The first line in view at the top of the question pane, read through the
# X selection: a click on it, then Home and Shift+End. Empty when that line
# is.
top_line() {
    local left top width height tries
    read -r left top width height <<<"${place[txt_question]}"
    printf 'nothing selected' | xclip -selection primary
    xdotool mousemove $((form_x + left / 15 + width / 30)) $((form_y + top / 15 + 10)) click 1
    xdotool key Home shift+End
    for ((tries = 0; tries < 40; ++tries)); do
        top_text=$(xclip -o -selection primary 2>/dev/null) || top_text=""
        [ "$top_text" = "nothing selected" ] || return 0
        sleep 0.05
    done
    top_text=""
}

expect_pane() {
    read_pane "$1"
    if [ "$pane" != "$2" ]; then
        printf '%s' "$2" >"$work/expected-pane"
        printf '%s' "$pane" >"$work/actual-pane"
        diff "$work/expected-pane" "$work/actual-pane" | head -n 20 >&2 || true
        fail "$1 holds other text than expected"
    fi
}

# --- expected records -----------------------------------------------------

# The items of assignment NBR as the question pane shows them, separated by
# NUL.
assignment_items() { "$records" items "$1"; }

# The lines of a file that holds the records given, into expect: "opening
# NBR", "master|send NUMBER ITEM RESPONSE_LINES... -- RATING_LINE" and "note
# ITEM NOTE_LINES...", with ";" between them.
expect_records() {
    "$records" "$@" >"$work/expected" || fail "no expected lines for $*"
    mapfile -d '' expect <"$work/expected"
}

clock_time='[0-2][0-9]:[0-5][0-9]:[0-5][0-9]'

# The code line: 19 to 28 units, each an optional character from 66 to 116
# followed by one from 118 to 255.
is_code_line() {
    printf '%s' "$1" | od -An -v -tu1 | awk '
        { for (i = 1; i <= NF; ++i) b[n++] = $i }
        END {
            units = 0
            for (i = 0; i < n; ++i) {
                if (b[i] >= 66 && b[i] <= 116) {
                    ++i
                    if (i >= n) exit 1
                }
                if (b[i] < 118 || b[i] > 255) exit 1
                ++units
            }
            exit !(units >= 19 && units <= 28)
        }'
}

code_lines=()
# Checks FILE against the lines in expect: "=text" exactly, "@code" a code
# line, "@date", "@time" and "@datetime" the clock's lines of today (or of
# the day after, past midnight). Every line ends in CR LF and there is no
# other CR or LF.
check_file() {
    local file=$1
    [ -f "$file" ] || fail "$file is missing"
    local crs lfs crlfs
    crs=$(tr -cd '\r' <"$file" | wc -c)
    lfs=$(tr -cd '\n' <"$file" | wc -c)
    crlfs=$(grep -ac $'\r$' "$file" || true)
    [ "$crs" -eq "$lfs" ] && [ "$lfs" -eq "$crlfs" ] || fail "$file has line ends other than CR LF"
    [ "$(tail -c 2 "$file" | od -An -tx1 | tr -d ' ')" = "0d0a" ] || fail "$file does not end in CR LF"

    local -a lines
    mapfile -t lines < <(tr -d '\r' <"$file")
    [ ${#lines[@]} -eq ${#expect[@]} ] ||
        fail "$file has ${#lines[@]} lines, expected ${#expect[@]}"
    local i want got pattern
    code_lines=()
    for ((i = 0; i < ${#expect[@]}; ++i)); do
        want=${expect[i]}
        got=${lines[i]}
        case $want in
        =*) [ "$got" = "${want:1}" ] || fail "$file line $((i + 1)): '$got', expected '${want:1}'" ;;
        @date) pattern="^($date_pattern)\$" ;;&
        @time) pattern="^ {36}$clock_time\$" ;;&
        @datetime) pattern="^ {36}($date_pattern)$clock_time\$" ;;&
        @date | @time | @datetime)
            [[ $got =~ $pattern ]] || fail "$file line $((i + 1)): '$got' does not match $pattern"
            ;;
        @code)
            is_code_line "$got" || fail "$file line $((i + 1)) is not a code line"
            code_lines+=("$got")
            ;;
        *) fail "no such expected line: '$want'" ;;
        esac
    done
}

# FILE holds the bytes TEXT somewhere (grep would take each line of a text
# with line breaks for a pattern of its own).
file_holds() {
    local bytes
    bytes=$(cat "$1"; printf '#')
    [[ $bytes == *"$2"* ]]
}

snapshot() { rm -rf "$2" && cp -a "$1" "$2"; }
# The autosave of a running copy comes and goes; what is kept of an answer
# is looked at on its own where a session rescues one.
same_folder() {
    local -a skip=(-x '.autosave_*' "${@:3}")
    diff -r "${skip[@]}" "$1" "$2" >/dev/null ||
        fail "the working folder changed: $(diff -rq "${skip[@]}" "$1" "$2" | head -n 3)"
}

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
