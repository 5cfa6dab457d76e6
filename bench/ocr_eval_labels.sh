#!/bin/bash
# capter-eval on every image-mode corpus stream with the label teacher, as a
# person would teach: the text colour is detected, nothing is tuned per disc.
# For each stream, with the recognition aids off and on: the whole title
# taught then read again frozen, and the first 30% taught, the rest read.
#
#   bench/ocr_eval_labels.sh [CAPTER_EVAL] [CORPUS_DIR] [AIDS...]
# AIDS: the aids the "on" columns use (default: --aids recommended).
EVAL=${1:-build/release/bench/capter-eval}
CORPUS=${2:-$(dirname "$0")/../../shared/corpus}
shift 2 2>/dev/null
ON=(--aids recommended)
if [ $# -gt 0 ]; then
  ON=(--aids off)
  for a in "$@"; do ON+=(--aid "$a"); done
fi
for d in "$CORPUS"/*/; do
  d=${d%/}
  [ -f "$d/case.json" ] || continue
  "$(dirname "$0")/image_streams.py" "$d" | while read -r s fill truth files; do
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
