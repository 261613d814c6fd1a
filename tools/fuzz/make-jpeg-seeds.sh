#!/usr/bin/env bash
# Writes the JPEG fuzzer's seed corpus, tools/fuzz/corpus/jpeg/, from the
# program's own pictures: two as they are, the others converted by ImageMagick
# (progressive, grey, CMYK, small) and broken as a damaged file breaks (header
# cut off, file cut in half, a side of 60000 pixels, an end marker amid the data).
#   tools/fuzz/make-jpeg-seeds.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
pictures=resources/jpeg
seeds=tools/fuzz/corpus/jpeg
convert=/usr/bin/convert-im6.q16
rm -rf "$seeds"
mkdir -p "$seeds"
cp "$pictures/Splash.jpg" "$seeds/splash.jpg"
cp "$pictures/AboutBackground.jpg" "$seeds/about.jpg"
"$convert" "$pictures/AboutBackground.jpg" -strip -interlace JPEG "$seeds/about-progressive.jpg"
"$convert" "$pictures/AboutBackground.jpg" -strip -colorspace Gray "$seeds/about-grey.jpg"
"$convert" "$pictures/AboutBackground.jpg" -strip -colorspace CMYK "$seeds/about-cmyk.jpg"
"$convert" "$pictures/Designations.jpg" -strip -resize 76x150 "$seeds/designations-small.jpg"

head -c 200 "$pictures/Splash.jpg" > "$seeds/splash-header-cut.jpg"
size=$(stat -c %s "$pictures/AboutBackground.jpg")
head -c $((size / 2)) "$pictures/AboutBackground.jpg" > "$seeds/about-half.jpg"
# The baseline frame header: FF C0, length, precision, height, width.
frame=$(LC_ALL=C grep -obUaP '\xff\xc0' "$pictures/AboutBackground.jpg" | head -n 1 | cut -d: -f1)
cp "$pictures/AboutBackground.jpg" "$seeds/about-oversized.jpg"
printf '\xea\x60' | dd of="$seeds/about-oversized.jpg" bs=1 seek=$((frame + 5)) conv=notrunc status=none
cp "$pictures/AboutBackground.jpg" "$seeds/about-damaged.jpg"
printf '\xff\xd9' | dd of="$seeds/about-damaged.jpg" bs=1 seek=$((size / 2)) conv=notrunc status=none
ls -l "$seeds"
