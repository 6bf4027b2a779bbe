#!/usr/bin/env bash
# The instructor's program on the working folder that a real session left:
# every file is read back record for record, with nothing damaged or
# unclear, and each file's sessions, responses, notes and kept drafts are as
# many as the file has opening blocks and labels.
#
#   review_check.sh REVIEW_PROGRAM FOLDER
set -euo pipefail
export LC_ALL=C

review=${1:?usage: review_check.sh REVIEW_PROGRAM FOLDER}
folder=${2:?usage: review_check.sh REVIEW_PROGRAM FOLDER}
fail() {
    echo "FAIL [kestrafo-review on the session's folder]: $*" >&2
    exit 1
}
[ -x "$review" ] || fail "not a program: $review"

status=0
summary=$("$review" "$folder") || status=$?
[ "$status" -eq 0 ] || fail "exit status $status:"$'\n'"$summary"
! grep -E '^  (damaged|unclear|cannot read|no records)' <<<"$summary" ||
    fail "the tutor's own files are not read as whole records"

# Per file: sessions with an opening block, responses, notes, drafts.
found=$(awk '
    /^Totals per assignment/ { exit }
    /^[^ ]/ { file = $0; files[file] = 1; next }
    /^  session / && !/no opening block/ { s[file]++ }
    /^    responses / { gsub(",", ""); r[file] += $2; n[file] += $4; d[file] += $7 }
    END { for (f in files) printf "%s %d %d %d %d\n", f, s[f], r[f], n[f], d[f] }
' <<<"$summary" | sort)

expected=""
responses=0
notes=0
for file in "$folder"/*; do
    [ -f "$file" ] || continue
    lines=$(tr -d '\r' <"$file")
    count() { grep -c "$@" <<<"$lines" || true; }
    r=$(count -x 'RESPONSE -->  ')
    n=$(count '^NOTES -------> ')
    expected+="$file $(count -x 'Dravonic II') $r $n $(count '^KEPT --------> ')"$'\n'
    responses=$((responses + r))
    notes=$((notes + n))
done
expected=$(sort <<<"${expected%$'\n'}")
[ "$responses" -gt 0 ] && [ "$notes" -gt 0 ] || fail "the folder holds no responses or no notes"
[ "$found" = "$expected" ] ||
    fail "counts differ (file sessions responses notes drafts):"$'\n'"read:"$'\n'"$found"$'\n'"in the files:"$'\n'"$expected"
echo "kestrafo-review read the session's folder: $(wc -l <<<"$found") files, $responses responses, $notes notes"
