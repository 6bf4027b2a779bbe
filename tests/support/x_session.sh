# The X server and the program's windows, for the scripts that drive the
# real window with xdotool under Xvfb. The script that sources this defines
# fail, makes the folder $work and keeps the program's process in $app_pid
# and the last prompt it answered in $last_dialog.

# Polls CMD every 50 ms until it succeeds, for at most SECONDS.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $end ] || fail "timed out after ${seconds}s waiting for $what"
        sleep 0.05
    done
}

# An Xvfb of its own in $xvfb_pid, its display in DISPLAY.
start_x() {
    local fifo="$work/displayfd" number
    mkfifo "$fifo"
    # -noreset: a server that resets when its last client leaves refuses the
    # next program for a moment.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    read -r -t 15 number <"$fifo" || { cat "$work/xvfb.log" >&2; echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$number"
    unset WAYLAND_DISPLAY
}

running() { kill -0 "$app_pid" 2>/dev/null; }
stopped() { ! running; }

# The program's prompts and message boxes in view.
visible_dialogs() { xdotool search --onlyvisible --name '^kestrafo$' 2>/dev/null || true; }
dialog_gone() { ! visible_dialogs | grep -qx "$last_dialog"; }

# The main window, its id in $form.
main_window_shown() {
    form=$(xdotool search --onlyvisible --name '^Form1$' 2>/dev/null | head -n1)
    [ -n "$form" ] && return 0
    running || fail "the program ended before its window was shown"
    return 1
}
