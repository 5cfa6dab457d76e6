#!/usr/bin/env bash
# Throughput and peak memory of capter-cli info and capter-cli ocr (trained
# matrix, no prompts) on a ~1 GiB VOB, beside ffmpeg copying the sub-picture
# stream out (reading) and ffprobe listing its frames (reading + decoding).
#
#   bench/cli_throughput.sh [CAPTER_CLI] [SOURCE.vob]
#
# The big file is made in /tmp by repeating SOURCE.vob (default: the corpus's
# dialogue title, about 10 sub-pictures per MB) and read once first so that
# every contender reads from the page cache. Each figure is the best of three
# rounds; ratios are ffmpeg's (or ffprobe's) time over ours, so above 1 means
# faster. Never commit the big file.
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../build/release/cli/capter-cli}"
source_vob="${2:-$here/../../shared/corpus/p07_pal_dialogue_serif/VIDEO_TS/VTS_01_1.VOB}"
big=/tmp/capter_cli_big.vob
matrix=/tmp/capter_cli_big.sum
rounds=3

if [[ ! -s $big ]]; then
  : >"$big"
  while (($(stat -c %s "$big") < 1 << 30)); do cat "$source_vob" >>"$big"; done
fi
cat "$big" >/dev/null
megabytes=$(($(stat -c %s "$big") / 1000000))

# A matrix that knows every shape of the stream: each one taught (as an
# empty text) from the first copy of the title.
if [[ ! -s $matrix ]]; then
  yes '' | "$cli" ocr --stream 1 --matrix "$matrix" --save-matrix "$matrix" --teach \
    "$source_vob" >/dev/null 2>&1 || true
fi

# Best wall-clock seconds of $rounds runs, and the peak resident set (KiB).
measure() {
  local best=999999 peak=0 t rss
  for ((r = 0; r < rounds; ++r)); do
    /usr/bin/time -f '%e %M' -o /tmp/capter_cli_time.txt "$@" >/dev/null 2>/tmp/capter_cli_err.txt ||
      { echo "failed: $*" >&2; cat /tmp/capter_cli_err.txt >&2; exit 1; }
    read -r t rss </tmp/capter_cli_time.txt
    best=$(awk -v a="$t" -v b="$best" 'BEGIN { print (a < b ? a : b) }')
    ((rss > peak)) && peak=$rss
  done
  echo "$best $peak"
}

read -r ffmpeg_s ffmpeg_kb < <(measure ffmpeg -nostdin -v error -i "$big" -map 0:s:0 -c copy -f null -)
read -r ffprobe_s ffprobe_kb < <(measure ffprobe -v error -select_streams s:0 -show_frames -of compact -o /dev/null "$big")
read -r info_s info_kb < <(measure "$cli" info "$big")
read -r ocr_s ocr_kb < <(measure "$cli" ocr --stream 1 --matrix "$matrix" --unknown fail "$big")
units=$("$cli" ocr --stream 1 --matrix "$matrix" --unknown fail "$big" 2>/dev/null | grep -c -- ' --> ')

row() {  # name seconds peak-KiB [reference-seconds]
  awk -v name="$1" -v s="$2" -v kb="$3" -v ref="${4:-}" -v mb="$megabytes" 'BEGIN {
    printf "%-42s %7.2f s %6.0f MB/s %7.1f MiB", name, s, mb / s, kb / 1024
    if (ref != "") printf "   %5.2f x", ref / s
    printf "\n" }'
}
echo "$big: $megabytes MB, $units subtitles recognised, best of $rounds rounds, page cache warm"
row "ffmpeg -map 0:s:0 -c copy (reading)" "$ffmpeg_s" "$ffmpeg_kb"
row "ffprobe -show_frames (reading + decoding)" "$ffprobe_s" "$ffprobe_kb"
row "capter-cli info (vs ffmpeg)" "$info_s" "$info_kb" "$ffmpeg_s"
row "capter-cli ocr (vs ffprobe)" "$ocr_s" "$ocr_kb" "$ffprobe_s"
