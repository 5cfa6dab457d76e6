#!/bin/bash
# Builds the titles of bench/heldout/new_titles.py with the corpus's own
# tools: fonts, sizes, styles and texts the corpus does not have, so that
# recognition can be measured on what a new title brings.
#
#   bench/heldout/generate.sh [OUT_DIR] [CORPUS_DIR]
# OUT_DIR defaults to /tmp/capter-new-titles. Then, for example:
#   bench/ocr_eval_report.sh build/release/bench/capter-eval OUT_DIR
# Needs ffmpeg, dvdauthor, python3-pil, python3-numpy and the DejaVu and Liberation fonts.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
OUT="${1:-/tmp/capter-new-titles}"
CORPUS="$(cd "${2:-$HERE/../../../shared/corpus}" && pwd)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export PYTHONPATH="$HERE:$CORPUS/tools" PYTHONDONTWRITEBYTECODE=1
/usr/bin/python3 "$CORPUS/tools/build.py" new_titles "$OUT" "$WORK" >"$WORK/build.log" ||
  { cat "$WORK/build.log"; exit 1; }
# Which character each fill pixel belongs to, for the label teacher.
/usr/bin/python3 - "$OUT" <<'PY'
import os, sys
import glyph_labels, new_titles
for case in new_titles.CASES:
    glyph_labels.label_case(case, os.path.join(sys.argv[1], case["name"]))
PY
echo "$OUT"
