#!/bin/bash
# capter-eval over every corpus case and stream: train on the first half, read the rest.
C=/work/shared/corpus
for d in $C/p0*; do
  n=$(basename $d)
  python3 - "$d" <<'PY' | while read s fill truth space hdiff until files; do
import json,sys,os
d=sys.argv[1]; j=json.load(open(d+'/case.json'))
files=' '.join(d+'/'+f for f in j['files_in_order'])
name=os.path.basename(d)
for s in j['streams']:
    recs=s['subtitle_records']; half=recs[(len(recs)+1)//2]['start_ms']
    h,m=divmod(half,3600000); mi,ms=divmod(m,60000); se,ms=divmod(ms,1000)
    space=7; hd=2
    if s['mode']=='text': space=8 if name.startswith('p03') else 11
    if name.startswith('p04') and s['index']==4: space=4
    if name.startswith('p06'): space=8; hd=0
    if name.startswith('p07'): space=6
    print(s['index'], s['pixel_codes']['fill'], d+'/'+s['truth'], space, hd, '%02d:%02d:%02d,%03d'%(h,mi,se,ms), files)
PY
    echo -n "$n stream $s (--train-until $until --text-colour $fill --space-width $space --max-height-diff $hdiff): "
    ./build-ocr/bench/capter-eval --truth $truth --stream $s --train-until $until --text-colour $fill --space-width $space --max-height-diff $hdiff $files
  done
done
