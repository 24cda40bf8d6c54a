#!/usr/bin/env bash
# Checks the user manual the build wrote into the program directory: every topic
# (top-level heading of the Markdown source) starts a page of its own, and every
# page renders as a picture. Then checks the make-manual tool on a small manual
# of its own: a missing picture leaves its caption, a present one is embedded,
# the version is filled in.
#
# usage: manual_test.sh MAKE_MANUAL PROGRAM_DIR_PDF MANUAL_MD
set -euo pipefail

make_manual=$1
pdf=$2
source_md=$3

source "$(dirname "$0")/checks.sh" manual
for tool in pdfinfo pdftotext pdftoppm pdfimages; do
    command -v "$tool" >/dev/null || { echo "FAIL $tool is missing (Debian package poppler-utils)"; exit 1; }
done

pages_of() { pdfinfo "$1" | awk '/^Pages:/ {print $2}'; }

# The top-level headings of a Markdown file, outside fenced code blocks.
topics_of() {
    awk '/^(```|~~~)/ {fence = !fence; next} !fence && /^# / {sub(/^# +/, ""); print}' "$1"
}

# The text of a PDF (pages $2 to $3 when given), with the typographic ligatures
# the fonts use ("ﬁ") spelt out again.
text_of() {
    pdftotext ${2:+-f "$2" -l "$3"} -layout "$1" - | sed 's/ﬁ/fi/g; s/ﬂ/fl/g; s/ﬀ/ff/g; s/ﬃ/ffi/g; s/ﬄ/ffl/g'
}

# The first two lines of text of a page: the running head (the page's topic,
# none on the first page) and the first line of the body.
page_lines() {
    text_of "$1" "$2" "$2" | sed 's/^ *//; s/ *$//' | grep -v '^$' | head -2
}

# Every topic has a page whose running head is the topic and whose body starts
# with its heading (which may wrap onto a second line).
check_topics_start_pages() {
    local pdf=$1 md=$2 pages topic page found missing=0 head body
    pages=$(pages_of "$pdf")
    declare -A first_lines
    for page in $(seq 1 "$pages"); do
        mapfile -t lines < <(page_lines "$pdf" "$page")
        first_lines[$page]="${lines[0]:-}|${lines[1]:-}"
    done
    local first=1
    while IFS= read -r topic; do
        found=0
        for page in $(seq 1 "$pages"); do
            head=${first_lines[$page]%%|*}
            body=${first_lines[$page]#*|}
            if [ "$first" = 1 ] && [ "$page" = 1 ] && [ "$head" = "$topic" ]; then
                found=1  # the title page has no running head
            elif [ "$head" = "$topic" ] && [ -n "$body" ] && [ "${topic#"$body"}" != "$topic" ]; then
                found=1
            fi
            [ "$found" = 1 ] && break
        done
        first=0
        if [ "$found" = 0 ]; then
            echo "no page starts with the topic: $topic"
            missing=1
        fi
    done < <(topics_of "$md")
    return $missing
}

check_renders() {
    local pdf=$1 pages images
    pages=$(pages_of "$pdf")
    pdftoppm -png -r 30 "$pdf" "$scratch/page"
    images=$(find "$scratch" -name 'page-*.png' -size +1k | wc -l)
    [ "$images" -eq "$pages" ] || { echo "$images of $pages pages rendered"; return 1; }
}

# ---- The manual of the build -------------------------------------------------------
topics=$(topics_of "$source_md" | wc -l)
check "the manual is in the program directory" test -s "$pdf"
check "the manual has a page for each of its $topics topics" \
    test "$(pages_of "$pdf")" -ge "$topics"
check "each topic starts a page of its own" check_topics_start_pages "$pdf" "$source_md"
check "every page renders as a picture" check_renders "$pdf"
# Every heading of the source, at any level, made it onto a page: nothing was
# lost in the layout (text after a table split across pages once was).
check_all_headings() {
    local missing=0 heading
    text_of "$1" | tr -s ' \n' '  ' >"$scratch/flat.txt"
    while IFS= read -r heading; do
        grep -qF "$heading" "$scratch/flat.txt" || { echo "missing: $heading"; missing=1; }
    done < <(awk '/^(```|~~~)/ {fence = !fence; next} !fence && /^#+ / {sub(/^#+ +/, ""); print}' "$2")
    return $missing
}
check "every heading of the source is in the manual" check_all_headings "$pdf" "$source_md"
check "the manual names every numbered error of the program" \
    bash -c "pdftotext '$pdf' - | tr -s ' \n' ' ' > '$scratch/all.txt'; for n in 104 106 107 110 111 112 113 115 116 117 122; do grep -q \"Error n° -\$n\" '$scratch/all.txt' || { echo missing -\$n; exit 1; }; done"

# ---- The tool on a manual of its own ------------------------------------------------
mkdir -p "$scratch/small/images"
cat >"$scratch/small/manual.md" <<'EOF'
# Title page

Version {{version}} of the program.

# Second topic

![Shown picture](images/shown.png)

Text after the picture.

# Third topic

![Missing picture of the third topic](images/missing.png)

![](images/shown.png)

```
{{version}} stays as written in code
```
EOF
# A 40 x 20 red PNG, written byte by byte so the test needs no image tool.
python3 - "$scratch/small/images/shown.png" <<'EOF'
import struct, sys, zlib
w, h = 40, 20
raw = b"".join(b"\x00" + b"\xff\x00\x00" * w for _ in range(h))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
open(sys.argv[1], "wb").write(png)
EOF
small=$scratch/small.pdf
check "make-manual builds a manual whose picture is missing" \
    env QT_QPA_PLATFORM=offscreen "$make_manual" "$scratch/small/manual.md" "$small" --version 7.7.7
if [ -s "$small" ]; then
    text_of "$small" > "$scratch/small.txt"
    check "one page per topic" test "$(pages_of "$small")" -eq 3
    check "each topic starts its page" check_topics_start_pages "$small" "$scratch/small/manual.md"
    check "the version is filled in, but not inside code" \
        bash -c "grep -q 'Version 7.7.7 of the program' '$scratch/small.txt' && grep -q '{{version}} stays' '$scratch/small.txt'"
    check "a missing picture leaves its caption" grep -q 'Missing picture of the third topic' "$scratch/small.txt"
    check "present pictures are embedded, with their captions when they have one" \
        bash -c "test \"\$(pdfimages -list '$small' | tail -n +3 | wc -l)\" -eq 2 && grep -q 'Shown picture' '$scratch/small.txt'"
fi
check "make-manual refuses a missing source" \
    bash -c "! env QT_QPA_PLATFORM=offscreen '$make_manual' '$scratch/none.md' '$scratch/none.pdf' && test ! -e '$scratch/none.pdf'"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
