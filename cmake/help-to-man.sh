#!/bin/sh
# Writes the manual page of a program from its --help text and a roff template (see help-to-man.awk): OUTPUT and,
# compressed as Debian wants it, OUTPUT.gz.
# Usage: help-to-man.sh PROGRAM TEMPLATE OUTPUT VERSION DATE
set -eu
program=$1
template=$2
output=$3
version=$4
date=$5

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vardo-man.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
"$program" --help >"$tmp/help"
if grep -q '^@REPORT_KINDS@$' "$template"; then
    "$program" --report-kinds >"$tmp/kinds"
else
    : >"$tmp/kinds"
fi
awk -v help_file="$tmp/help" -v kinds_file="$tmp/kinds" -v version="$version" -v date="$date" \
    -f "$(dirname "$0")/help-to-man.awk" "$tmp/help" "$tmp/kinds" "$template" >"$tmp/page"
# Every part must have been found: a page without synopsis or sections means the --help text changed shape.
if grep -q '@[A-Z_]*@' "$tmp/page" || ! grep -q '^\.SH OPTIONS$' "$tmp/page"; then
    echo "help-to-man.sh: $program --help did not give the parts $template needs" >&2
    exit 1
fi
mv "$tmp/page" "$output"
gzip -9 -n -c "$output" >"$output.gz"
