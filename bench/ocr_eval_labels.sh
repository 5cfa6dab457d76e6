#!/bin/bash
# capter-eval on every image-mode corpus stream with the label teacher, as a
# person would teach: the text colour is detected, nothing is tuned per disc.
# For each stream, with the recognition aids off and on: the whole title
# taught then read again frozen, and the first 30% taught, the rest read.
#
#   bench/ocr_eval_labels.sh [CAPTER_EVAL] [CORPUS_DIR] [AIDS...]
# AIDS: the aids the "on" columns use (default: every aid that measures
# better on the corpus).
EVAL=${1:-build/release/bench/capter-eval}
CORPUS=${2:-$(dirname "$0")/../../shared/corpus}
shift 2 2>/dev/null
AIDS=${*:-best-match auto-spaces split-touching keep-small-marks proposals layered-detection}
ON=()
for a in $AIDS; do ON+=(--aid "$a"); done
for d in "$CORPUS"/p0*; do
  python3 - "$d" <<'PY' | while read -r s fill truth files; do
import json, sys
d = sys.argv[1]
j = json.load(open(d + '/case.json'))
files = ' '.join(d + '/' + f for f in j['files_in_order'])
for s in j['streams']:
    if s['mode'] == 'image':
        print(s['index'], s['pixel_codes']['fill'], d + '/' + s['truth'], files)
PY
    for aids in off on; do
      set -- --aids off
      [ "$aids" = on ] && set -- --aids off "${ON[@]}"
      for part in whole share30; do
        extra=()
        [ "$part" = share30 ] && extra=(--train-share 30)
        echo -n "$(basename "$d") stream $s aids=$aids $part: "
        # shellcheck disable=SC2086
        "$EVAL" --truth "$truth" --stream "$s" --labels "$d" --fill "$fill" "$@" "${extra[@]}" $files
      done
    done
  done
done
