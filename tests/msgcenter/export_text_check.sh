#!/bin/bash
# Reads the title list's RTF export (written by test_msgcenter) with LibreOffice, headless, and
# compares the text it finds with the text the test wrote beside it. Runs on the Linux side,
# after the Wine test program (a CTest fixture), because a Wine program cannot wait on a Linux one.
set -u
dir=$1
rtf=$dir/title-export.rtf
expected=$dir/title-export.expected.txt
if [ ! -f "$rtf" ] || [ ! -f "$expected" ]; then
  echo "no export from test_msgcenter in $dir"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! HOME=$work timeout 180 soffice --headless --norestore "-env:UserInstallation=file://$work/profile" \
     --convert-to txt:Text --outdir "$work" "$rtf" >"$work/soffice.log" 2>&1; then
  cat "$work/soffice.log"
  echo "LibreOffice could not read the export"
  exit 1
fi
# Line ends, a byte-order mark and empty lines are not the export's content; every other
# character is, blanks and tabs included, exactly as stored.
norm() {
  LC_ALL=C sed -e 's/\r$//' -e '1s/^\xEF\xBB\xBF//' "$1" | grep -v '^$'
}
if ! diff <(norm "$expected") <(norm "$work/title-export.txt"); then
  echo "LibreOffice's text of the export differs from what was exported (< expected, > read)"
  exit 1
fi
echo "LibreOffice reads $(norm "$expected" | wc -l) lines of the export as expected"
