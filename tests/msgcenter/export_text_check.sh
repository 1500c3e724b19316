#!/bin/bash
# Reads an RTF export of the title list (written by a Wine test program: DIR/NAME.rtf, by default
# test_msgcenter's title-export) with LibreOffice, headless, and compares the text it finds with
# the text the test wrote beside it (DIR/NAME.expected.txt). Runs on the Linux side, after the
# Wine test program (a CTest fixture), because a Wine program cannot wait on a Linux one.
#   export_text_check.sh DIR [NAME]
set -u
dir=$1
name=${2:-title-export}
rtf=$dir/$name.rtf
expected=$dir/$name.expected.txt
if [ ! -f "$rtf" ] || [ ! -f "$expected" ]; then
  echo "no export $name in $dir"
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
if ! diff <(norm "$expected") <(norm "$work/$name.txt"); then
  echo "LibreOffice's text of the export differs from what was exported (< expected, > read)"
  exit 1
fi
echo "LibreOffice reads $(norm "$expected" | wc -l) lines of the export as expected"
