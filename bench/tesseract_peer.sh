#!/bin/bash
# tesseract (Debian tesseract-ocr 5 with eng, fra and deu) as a peer on the
# same subtitles as bench/ocr_eval_labels.sh: every image-mode corpus
# stream, each decoded picture written by capter-eval --dump-pictures (text
# black on white), read with --psm 6 (one block of text) and scored as
# capter-eval scores: Levenshtein distance over each subtitle's lines joined
# by a newline, summed, over the summed truth length; all subtitles, and the
# last 70%. Prints one line per stream with the time per sub-picture.
#
#   bench/tesseract_peer.sh [CAPTER_EVAL] [CORPUS_DIR]
EVAL=${1:-build/release/bench/capter-eval}
CORPUS=${2:-$(dirname "$0")/../../shared/corpus}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export OMP_THREAD_LIMIT=1
for d in "$CORPUS"/*/; do
  d=${d%/}
  [ -f "$d/case.json" ] || continue
  "$(dirname "$0")/image_streams.py" "$d" | while read -r s fill truth files; do
    out="$WORK/$(basename "$d")_$s"
    mkdir -p "$out"
    # shellcheck disable=SC2086
    "$EVAL" --truth "$truth" --stream "$s" --fill "$fill" --dump-pictures "$out" $files >/dev/null
    start=$(date +%s.%N)
    for p in "$out"/*.pgm; do
      tesseract "$p" "${p%.pgm}" -l eng+fra+deu --psm 6 >/dev/null 2>&1
    done
    end=$(date +%s.%N)
    echo -n "$(basename "$d") stream $s tesseract: "
    python3 - "$truth" "$out" "$start" "$end" <<'PY'
import glob, os, sys
truth, out, start, end = sys.argv[1], sys.argv[2], float(sys.argv[3]), float(sys.argv[4])
blocks = open(truth, 'rb').read().decode('cp1252').replace('\r\n', '\n').strip().split('\n\n')
want = {}
for b in blocks:
    lines = b.split('\n')
    want[int(lines[0])] = '\n'.join(lines[2:])
def lev(a, b):
    row = list(range(len(b) + 1))
    for i in range(1, len(a) + 1):
        diag, row[0] = row[0], i
        for j in range(1, len(b) + 1):
            up = row[j]
            row[j] = min(row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] != b[j - 1]))
            diag = up
    return row[len(b)]
files = sorted(glob.glob(out + '/sub*.txt'))
numbers = [int(os.path.basename(f)[3:7]) for f in files]
first = (len(numbers) * 30 + 99) // 100
totals = {'all': [0, 0], 'last70': [0, 0]}
for k, (n, f) in enumerate(zip(numbers, files)):
    got = '\n'.join(l.strip() for l in open(f, encoding='utf-8').read().split('\n') if l.strip())
    e, length = lev(got, want[n]), len(want[n])
    for part in ['all'] + (['last70'] if k >= first else []):
        totals[part][0] += e
        totals[part][1] += length
print('{"subpictures": %d, "cer_all": %.4f, "cer_last70": %.4f, "ms_per_subpicture": %.0f}' % (
    len(files), totals['all'][0] / totals['all'][1], totals['last70'][0] / totals['last70'][1],
    (end - start) * 1000 / max(1, len(files))))
PY
  done
done
