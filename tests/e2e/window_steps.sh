# The real program in its window, driven and read from outside: sourced by
# run_e2e.sh, whose variables (program, home, work, app_pid) it uses.

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
