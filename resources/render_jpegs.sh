#!/bin/sh
# Renders the three window pictures that the program decodes as JPEG (the
# designations scheme, the About background and the splash) from their SVG
# sources, which resources/make_pictures.py draws, each once at its size and
# once at double resolution (NAME@2x.jpg) for screens scaled by 2. Run by hand
# after changing one of those sources, and commit the JPEG files with it:
#
#     resources/render_jpegs.sh
#
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert. The output is
# the same on every run with the same tools and fonts: metadata is stripped,
# and no chroma subsampling keeps the thin lines and small letters sharp.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
for name in Designations AboutBackground Splash; do
    for zoom in 1 2; do
        out="$here/jpeg/$name.jpg"
        [ "$zoom" = 1 ] || out="$here/jpeg/$name@${zoom}x.jpg"
        rsvg-convert --format=png --zoom="$zoom" --background-color=white "$here/pictures/$name.svg" |
            convert png:- -background white -flatten -strip \
                -sampling-factor 1x1 -quality 95 -interlace none "jpg:$out"
        echo "$out"
    done
done
