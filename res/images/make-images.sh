#!/bin/sh
# Redraws the program's own pictures with ImageMagick: the about picture, the program icon and
# the tool bar images that have no stock counterpart. Run from this folder; the PNGs are kept in git.
set -e
FONT=DejaVu-Sans-Bold
FONT_LIGHT=DejaVu-Sans

# Program icon: a dark rounded tile with a blue-violet waveform and a key-like bar row.
convert -size 256x256 xc:none \
  -fill '#1b1f2a' -draw 'roundrectangle 8,8 247,247 44,44' \
  -fill none -stroke '#3b82f6' -strokewidth 14 \
  -draw "path 'M 28,128 C 58,40 78,40 98,128 S 138,216 158,128 S 198,40 228,128'" \
  -stroke '#a78bfa' -strokewidth 6 \
  -draw "path 'M 28,128 C 58,40 78,40 98,128 S 138,216 158,128 S 198,40 228,128'" \
  -stroke none -fill '#f8fafc' \
  -draw 'roundrectangle 44,196 68,226 4,4' -draw 'roundrectangle 78,196 102,226 4,4' \
  -draw 'roundrectangle 112,196 136,226 4,4' -draw 'roundrectangle 146,196 170,226 4,4' \
  -draw 'roundrectangle 180,196 204,226 4,4' \
  orvane-256.png
for s in 16 32 48 64 128; do convert orvane-256.png -resize ${s}x${s} orvane-$s.png; done

# About picture: black, the name, the legend and a damped sine wave.
WAVE='line 0,175.0 4,177.5 line 4,177.5 8,180.0 line 8,180.0 12,182.5 line 12,182.5 16,185.0 line 16,185.0 20,187.3 line 20,187.3 24,189.5 line 24,189.5 28,191.5 line 28,191.5 32,193.2 line 32,193.2 36,194.6 line 36,194.6 40,195.6 line 40,195.6 44,196.3 line 44,196.3 48,196.5 line 48,196.5 52,196.3 line 52,196.3 56,195.7 line 56,195.7 60,194.6 line 60,194.6 64,193.1 line 64,193.1 68,191.2 line 68,191.2 72,188.8 line 72,188.8 76,186.2 line 76,186.2 80,183.3 line 80,183.3 84,180.1 line 84,180.1 88,176.7 line 88,176.7 92,173.3 line 92,173.3 96,169.8 line 96,169.8 100,166.3 line 100,166.3 104,162.9 line 104,162.9 108,159.8 line 108,159.8 112,156.8 line 112,156.8 116,154.2 line 116,154.2 120,152.0 line 120,152.0 124,150.2 line 124,150.2 128,148.9 line 128,148.9 132,148.1 line 132,148.1 136,147.8 line 136,147.8 140,148.1 line 140,148.1 144,148.9 line 144,148.9 148,150.2 line 148,150.2 152,152.1 line 152,152.1 156,154.4 line 156,154.4 160,157.1 line 160,157.1 164,160.2 line 164,160.2 168,163.6 line 168,163.6 172,167.3 line 172,167.3 176,171.1 line 176,171.1 180,175.0 line 180,175.0 184,178.9 line 184,178.9 188,182.7 line 188,182.7 192,186.4 line 192,186.4 196,189.8 line 196,189.8 200,192.9 line 200,192.9 204,195.6 line 204,195.6 208,197.9 line 208,197.9 212,199.8 line 212,199.8 216,201.1 line 216,201.1 220,201.9 line 220,201.9 224,202.2 line 224,202.2 228,201.9 line 228,201.9 232,201.1 line 232,201.1 236,199.8 line 236,199.8 240,198.0 line 240,198.0 244,195.8 line 244,195.8 248,193.2 line 248,193.2 252,190.2 line 252,190.2 256,187.1 line 256,187.1 260,183.7 line 260,183.7 264,180.2 line 264,180.2 268,176.7 line 268,176.7 272,173.3 line 272,173.3 276,169.9 line 276,169.9 280,166.7 line 280,166.7 284,163.8 line 284,163.8 288,161.2 line 288,161.2 292,158.8 line 292,158.8 296,156.9 line 296,156.9 300,155.4 line 300,155.4 304,154.3 line 304,154.3 308,153.7 line 308,153.7 312,153.5 line 312,153.5 316,153.7 line 316,153.7 320,154.4 line 320,154.4 324,155.4 line 324,155.4 328,156.8 line 328,156.8 332,158.5 line 332,158.5 336,160.5 line 336,160.5 340,162.7 line 340,162.7 344,165.0 line 344,165.0 348,167.5 line 348,167.5 352,170.0 line 352,170.0 356,172.5 line 356,172.5 360,175.0'
convert -size 360x250 xc:black \
  -fill none -stroke '#1e3a8a' -strokewidth 9 -draw "stroke-linecap round" -draw "$WAVE" \
  -stroke '#60a5fa' -strokewidth 3 -draw "stroke-linecap round" -draw "$WAVE" \
  -stroke none -font $FONT -pointsize 54 -fill '#f8fafc' -gravity north -annotate +0+22 'ORVANE' \
  -font $FONT_LIGHT -pointsize 13 -fill '#a78bfa' -annotate +0+90 'The universal 94B & TTS soundbanks mapper' \
  -pointsize 11 -fill '#94a3b8' -gravity south -annotate +0+26 'Version 2.0  -  The Orvane developers' \
  -fill '#64748b' -annotate +0+9 'Click anywhere to close' \
  about.png

# Tool bar: Options (a palette) and Bank Inspector (a magnifier over a list), drawn at 24 x 24 and
# reduced to 16 x 16. Strong fills inside dark outlines stay readable on light and dark tool bars,
# and when the tool bar dims a disabled button.
convert -size 24x24 xc:none \
  -fill '#f4b942' -stroke '#6b4400' -strokewidth 1.5 \
  -draw "path 'M 12,2.5 C 18,2.5 22,6.5 22,11.5 C 22,15 19.5,16 17.5,15.5 C 15.5,15 14.5,16.5 15,18 C 15.8,20.3 14.5,21.5 12,21.5 C 6.5,21.5 2,17.5 2,12 C 2,6.5 6.5,2.5 12,2.5 Z'" \
  -stroke '#3a2500' -strokewidth 1 -fill '#d62828' -draw 'circle 7,9 9,9' \
  -fill '#1d7fd6' -draw 'circle 12,6.5 14,6.5' \
  -fill '#2a9d4f' -draw 'circle 17,9.5 19,9.5' \
  -fill '#7b2cbf' -draw 'circle 7.5,15 9.5,15' \
  tool-options-24.png
convert -size 24x24 xc:none \
  -fill '#ffffff' -stroke '#334155' -strokewidth 1.5 -draw 'rectangle 2.5,2.5 15.5,19.5' \
  -stroke '#475569' -strokewidth 1.5 -draw 'line 5,7 13,7' -draw 'line 5,11 10,11' -draw 'line 5,15 8,15' \
  -fill '#93c5fd' -stroke '#1d4ed8' -strokewidth 2 -draw 'circle 14,14 18.5,14' \
  -stroke '#2563eb' -strokewidth 3 -draw 'line 17.5,17.5 21.5,21.5' \
  tool-inspector-24.png
convert tool-options-24.png -resize 16x16 tool-options.png
convert tool-inspector-24.png -resize 16x16 tool-inspector.png
