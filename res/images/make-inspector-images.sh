#!/bin/sh
# Redraws the bank inspector's pictures with ImageMagick: the corner ornament (7 x 7) and the
# picture beside the table (110 x 92). Run from this folder. (The title banner is drawn by the
# dialog itself, in the interface's language.)
set -e

# Corner ornament: a small gold diamond on the dialog's blue-grey.
convert -size 7x7 xc:'#3f6080' -fill '#fff060' -stroke '#c8ac93' -strokewidth 1 \
  -draw 'polygon 3,0 6,3 3,6 0,3' inspector-corner.png

# Picture: a keyboard under a waveform, in the dialog's colours.
convert -size 110x92 xc:'#3f6080' \
  -fill '#1f202f' -draw 'roundrectangle 2,2 107,89 8,8' \
  -fill none -stroke '#fff060' -strokewidth 2 \
  -draw "path 'M 10,36 C 22,8 30,8 38,36 S 54,64 62,36 S 86,8 100,36'" \
  -stroke none -fill '#f8fafc' \
  -draw 'rectangle 10,56 20,84' -draw 'rectangle 22,56 32,84' -draw 'rectangle 34,56 44,84' \
  -draw 'rectangle 46,56 56,84' -draw 'rectangle 58,56 68,84' -draw 'rectangle 70,56 80,84' \
  -draw 'rectangle 82,56 92,84' -draw 'rectangle 94,56 100,84' \
  -fill '#111827' -draw 'rectangle 17,56 24,72' -draw 'rectangle 29,56 36,72' \
  -draw 'rectangle 53,56 60,72' -draw 'rectangle 65,56 72,72' -draw 'rectangle 77,56 84,72' \
  inspector-picture.png
