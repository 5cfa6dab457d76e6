#!/bin/bash
# The recognition report, one row per image-mode corpus stream, side by
# side: recognition aids off, recommended aids on, and tesseract as a peer.
# Runs bench/ocr_eval_labels.sh and bench/tesseract_peer.sh and prints a
# Markdown table: prompts when teaching the whole title; characters wrong
# when reading the taught title again with the matrix frozen; characters
# wrong on the last 70 % after teaching the first 30 % (characters absent
# from the first 30 % left out, their count after the slash);
# sub-pictures per second of the frozen read (tesseract: per picture).
#
#   bench/ocr_eval_report.sh [CAPTER_EVAL] [CORPUS_DIR]
HERE=$(dirname "$0")
EVAL=${1:-build/release/bench/capter-eval}
CORPUS=${2:-$HERE/../../shared/corpus}
{
  "$HERE/ocr_eval_labels.sh" "$EVAL" "$CORPUS"
  "$HERE/tesseract_peer.sh" "$EVAL" "$CORPUS"
} | python3 -c '
import json, sys
rows = {}
for line in sys.stdin:
    head, _, body = line.partition(": {")
    if not body:
        continue
    words = head.split()
    key = words[0][:3] + (" s" + words[2] if words[0].startswith("p04") else "")
    rows.setdefault(key, {})[" ".join(words[3:])] = json.loads("{" + body)
def pct(x):
    return "%.2f %%" % (100 * x)
print("| stream | prompts off / on | frozen re-read off / on / tesseract | first 30 % -> last 70 % off / on / tesseract (unseen off / on) | sub-pictures/s off / on / tesseract |")
print("|---|---|---|---|---|")
for key, r in rows.items():
    off, on = r["aids=off whole"], r["aids=on whole"]
    off30, on30 = r["aids=off share30"], r["aids=on share30"]
    t = r.get("tesseract", {"cer_all": float("nan"), "cer_last70": float("nan"), "ms_per_subpicture": float("nan")})
    print("| %s | %d / %d | %s / %s / %s | %s / %s / %s (%d / %d) | %.0f / %.0f / %.1f |" % (
        key, off["prompts"], on["prompts"], pct(off["cer_test"]), pct(on["cer_test"]), pct(t["cer_all"]),
        pct(off30["cer_test"]), pct(on30["cer_test"]), pct(t["cer_last70"]),
        off30["unseen_test"], on30["unseen_test"],
        off["subpictures_per_s"], on["subpictures_per_s"], 1000 / t["ms_per_subpicture"]))
'
