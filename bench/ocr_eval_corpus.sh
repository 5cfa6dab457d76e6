#!/bin/bash
# capter-eval on every corpus stream: teach the first half of the subtitles,
# read the second half with the frozen matrix. The text colour is the
# stream's fill code and the space width and height tolerance those a user
# sets for each disc (as in the corpus recognition tests), with every
# recognition aid off: automatic spaces would not use that space width.
#
#   bench/ocr_eval_corpus.sh [CAPTER_EVAL] [CORPUS_DIR]
EVAL=${1:-build/bench/capter-eval}
CORPUS=${2:-$(dirname "$0")/../../shared/corpus}
for d in "$CORPUS"/p0*; do
  python3 - "$d" <<'PY' | while read -r s fill truth space hdiff until files; do
import json, os, sys
d = sys.argv[1]
j = json.load(open(d + '/case.json'))
name = os.path.basename(d)
files = ' '.join(d + '/' + f for f in j['files_in_order'])
for s in j['streams']:
    records = s['subtitle_records']
    half = records[(len(records) + 1) // 2]['start_ms']
    h, rest = divmod(half, 3600000)
    m, rest = divmod(rest, 60000)
    sec, ms = divmod(rest, 1000)
    space, hdiff = 7, 2
    if s['mode'] == 'text':
        space = 8 if name.startswith('p03') else 11
    if name.startswith('p04') and s['index'] == 4:
        space = 4
    if name.startswith('p06'):
        space, hdiff = 8, 0
    if name.startswith('p07'):
        space = 6
    print(s['index'], s['pixel_codes']['fill'], d + '/' + s['truth'], space, hdiff,
          '%02d:%02d:%02d,%03d' % (h, m, sec, ms), files)
PY
    echo -n "$(basename "$d") stream $s: "
    # shellcheck disable=SC2086
    "$EVAL" --truth "$truth" --stream "$s" --train-until "$until" --text-colour "$fill" \
      --space-width "$space" --max-height-diff "$hdiff" --aids off $files
  done
done
