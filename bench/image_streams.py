#!/usr/bin/env python3
"""Prints one line per image-mode stream of a corpus case folder:
INDEX FILL TRUTH FILES..., the stream's 0-based index, the pixel code of its
text body, its truth file and the case's VOB files in reading order (paths
under the case folder). The recognition benchmarks loop over these lines.

    bench/image_streams.py CASE_DIR
"""
import json
import sys

case = sys.argv[1]
j = json.load(open(case + '/case.json'))
files = ' '.join(case + '/' + f for f in j['files_in_order'])
for s in j['streams']:
    if s['mode'] == 'image':
        print(s['index'], s['pixel_codes']['fill'], case + '/' + s['truth'], files)
