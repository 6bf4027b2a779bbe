# What the files of the working folder must hold, and the checks of them:
# sourced by run_e2e.sh, whose variables (records, work) it uses.

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
