#!/bin/sh
# Draws the program's icon, logo, About picture, link images and link cursor
# into this folder. Needs ImageMagick 6 (`convert`), the DejaVu fonts and perl;
# run it again after changing a colour or a shape, and commit what it writes.
#
# Every clock is drawn eight times larger and averaged down, with its hands
# and ticks on whole pixels of the final size, so that even the 16-pixel icon
# stays sharp.
set -e
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One palette for everything.
RING_LIGHT='#3B82F6'
RING_DARK='#1D4ED8'
FACE='#FFFFFF'
HANDS='#1E293B'
ACCENT='#F59E0B'
TICKS='#94A3B8'
LINK='#1D4ED8'
DIALOG='#F0F0F0'   # the dialog face the link text is smoothed against
FACE_KEY='#C0C0C0' # the grey LR_LOADMAP3DCOLORS turns into the dialog face
TILE='#EFF6FF'     # the pale blue behind the logo and the About picture
FONT=DejaVu-Sans
FONT_BOLD=DejaVu-Sans-Bold
K=8                # supersampling factor

# rect X0 Y0 X1 Y1: a rectangle covering whole target pixels X0..X1-1, Y0..Y1-1.
rect() {
  echo "rectangle $(($1 * K)),$(($2 * K)) $(($3 * K - 1)),$(($4 * K - 1))"
}

# edge R: the x of a point R target pixels left of the canvas centre.
edge() {
  echo "$((z / 2 - $1 * K - 1)).5"
}

# clock SIZE OUT: the clock on a transparent square of SIZE pixels.
clock() {
  s=$1
  z=$((s * K))
  if [ "$s" -ge 32 ]; then margin=$((s / 32)); else margin=0; fi
  radius=$((s / 2 - margin))
  ring=$(((s * 3 + 16) / 32))
  face=$((radius - ring))
  if [ "$s" -ge 64 ]; then hand=$((2 * (s / 32))); else hand=2; fi
  gap=$(((s + 31) / 32))
  c=$((s / 2))
  half=$((hand / 2))
  # Ticks at 12, 3, 6 and 9 once there is room; the hands stop short of them.
  if [ "$s" -ge 32 ]; then tick=$((s / 16)); else tick=0; fi
  reach=$((face - gap - tick))
  [ "$tick" -gt 0 ] && reach=$((reach - gap))
  hourReach=$((reach * 5 / 8))
  centre=$((z / 2 - 1)).5

  convert -size ${z}x${z} xc:none +antialias -fill white \
    -draw "circle $centre,$centre $centre,$(edge $radius)" "$tmp/disc.png"
  convert -size ${z}x${z} gradient:"$RING_LIGHT"-"$RING_DARK" "$tmp/disc.png" \
    -compose CopyOpacity -composite "$tmp/ring.png"

  draw="fill $FACE circle $centre,$centre $centre,$(edge $face)"
  if [ "$tick" -gt 0 ]; then
    top=$((c - face + gap))
    bottom=$((c + face - gap))
    draw="$draw fill $TICKS
      $(rect $((c - half)) $top $((c + half)) $((top + tick)))
      $(rect $((c - half)) $((bottom - tick)) $((c + half)) $bottom)
      $(rect $top $((c - half)) $((top + tick)) $((c + half)))
      $(rect $((bottom - tick)) $((c - half)) $bottom $((c + half)))"
  fi
  draw="$draw fill $HANDS
    $(rect $((c - half)) $((c - reach)) $((c + half)) $((c + half)))
    $(rect $((c - half)) $((c - half)) $((c + hourReach)) $((c + half)))
    fill $ACCENT"
  if [ "$s" -ge 32 ]; then
    draw="$draw circle $centre,$centre $centre,$(edge $((hand * 3 / 4 + 1)))"
  else
    draw="$draw $(rect $((c - half)) $((c - half)) $((c + half)) $((c + half)))"
  fi
  convert "$tmp/ring.png" +antialias -draw "$draw" -filter Box -resize ${s}x${s} "$2"
}

# Icon 102: the sizes Windows asks for, from the notification area to Explorer.
for s in 16 32 48 256; do clock $s "$tmp/icon$s.png"; done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$tmp/icon256.png" -depth 8 hourwright.ico

# Bitmap 109: the main window's logo, 32 x 32 in 16 colours, on a tile of its
# own, so that it looks the same whatever colour the window has.
convert "$tmp/icon32.png" -background "$TILE" -flatten +dither -colors 16 -type Palette \
  BMP3:logo.bmp

# Link images: a small sign and the underlined link text, 16 colours. Their
# background is the key grey, which the About box turns into the face colour
# of the running system when it loads them.
envelope() {
  convert -size 15x11 xc:"$FACE" -fill none -stroke "$RING_DARK" +antialias \
    -draw "rectangle 0,0 14,10 line 1,1 7,7 line 13,1 7,7" "$1"
}
globe() {
  z=$((15 * K))
  convert -size ${z}x${z} xc:none -fill "$FACE" -stroke "$RING_DARK" -strokewidth $K \
    -draw "circle 59.5,59.5 59.5,4" -fill none \
    -draw "ellipse 59.5,59.5 22,55 0,360" \
    -draw "$(rect 7 1 8 14) $(rect 1 7 14 8) $(rect 3 4 12 5) $(rect 3 10 12 11)" \
    -filter Box -resize 15x15 "$1"
}
link() {
  width=170
  height=$1
  sign=$2
  text=$3
  out=$4
  convert -size ${width}x${height} xc:"$DIALOG" \
    "$sign" -gravity West -geometry +1+0 -composite \
    -font "$FONT" -pointsize 11 -fill "$LINK" -undercolor none \
    -gravity West -annotate +21+0 "$text" "$tmp/text.png"
  # The underline, one pixel under the baseline, as long as the text.
  textWidth=$(convert -font "$FONT" -pointsize 11 label:"$text" -format %w info:)
  convert "$tmp/text.png" -fill "$LINK" \
    -draw "rectangle 21,$((height / 2 + 6)) $((21 + textWidth - 2)),$((height / 2 + 6))" \
    +dither -colors 16 -fuzz 1% -fill "$FACE_KEY" -opaque "$DIALOG" \
    -type Palette -compress None BMP3:"$out"
}
envelope "$tmp/envelope.png"
globe "$tmp/globe.png"
convert "$tmp/icon16.png" -background "$DIALOG" -flatten "$tmp/clock16.png"
link 17 "$tmp/envelope.png" "sales@example.com" link_sales_mail.bmp
link 17 "$tmp/globe.png" "www.example.com" link_web_site.bmp
link 18 "$tmp/clock16.png" "Hourwright product page" link_product_page.bmp

# Bitmap 116: the About picture, 300 x 229 in 256 colours.
clock 128 "$tmp/clock128.png"
convert -size 300x229 gradient:"$TILE"-'#DBEAFE' \
  \( "$tmp/clock128.png" -background none -shadow 40x4+0+3 \) -geometry +78+9 -composite \
  "$tmp/clock128.png" -geometry +86+12 -composite \
  -gravity North -font "$FONT_BOLD" -pointsize 30 -fill "$HANDS" -annotate +0+146 "Hourwright" \
  -font "$FONT" -pointsize 13 -fill '#475569' -annotate +0+188 "Personal time sheets, kept by the minute" \
  -fill "$ACCENT" -draw "rectangle 126,183 173,185" \
  +dither -colors 256 -type Palette -compress None BMP3:about_picture.bmp

# Cursor 121: a monochrome pointing hand, 32 x 32, hot spot on the finger tip.
# '#' black, 'o' white, '.' see-through.
perl - link_hand.cur <<'HAND'
my @rows = (
  "......##..........",
  ".....#oo#.........",
  ".....#oo#.........",
  ".....#oo#.........",
  ".....#oo#.........",
  ".....#oo###.......",
  ".....#oo#oo###....",
  ".....#oo#oo#oo###.",
  ".....#oo#oo#oo#oo#",
  ".##..#oo#oo#oo#oo#",
  "#oo#.#oo#oo#oo#oo#",
  "#ooo#oooooooooooo#",
  ".#ooooooooooooooo#",
  "..#oooooooooooooo#",
  "..#oooooooooooooo#",
  "...#ooooooooooooo#",
  "...#oooooooooooo#.",
  "....#ooooooooooo#.",
  "....#oooooooooo#..",
  ".....#ooooooooo#..",
  ".....#ooooooooo#..",
  ".....###########..",
);
my ($hotX, $hotY) = (6, 0);
my ($xor, $and) = ('', '');
# Bitmap rows run bottom-up, 32 pixels (4 bytes) each.
for (my $y = 31; $y >= 0; --$y) {
  my $line = $y < @rows ? $rows[$y] : '';
  my ($x1, $a1) = ('', '');
  for my $x (0 .. 31) {
    my $c = $x < length($line) ? substr($line, $x, 1) : '.';
    $x1 .= $c eq 'o' ? '1' : '0';
    $a1 .= $c eq '.' ? '1' : '0';
  }
  $xor .= pack('B32', $x1);
  $and .= pack('B32', $a1);
}
my $image = pack('VVVvvVVVVVV', 40, 32, 64, 1, 1, 0, length($xor) + length($and), 0, 0, 2, 2)
  . pack('CCCC', 0, 0, 0, 0) . pack('CCCC', 255, 255, 255, 0) . $xor . $and;
my $file = pack('vvv', 0, 2, 1)
  . pack('CCCCvvVV', 32, 32, 2, 0, $hotX, $hotY, length($image), 22) . $image;
open(my $out, '>:raw', $ARGV[0]) or die "$ARGV[0]: $!";
print $out $file;
close($out);
HAND

# Pictures of everything, for looking at (not built into the program).
if [ -n "$ARTWORK_PREVIEW" ]; then
  convert "$tmp/icon16.png" -scale 800% "$ARTWORK_PREVIEW/icon16.png"
  convert "$tmp/icon32.png" -scale 400% "$ARTWORK_PREVIEW/icon32.png"
  convert "$tmp/icon48.png" -scale 300% "$ARTWORK_PREVIEW/icon48.png"
  convert "$tmp/icon256.png" "$ARTWORK_PREVIEW/icon256.png"
  convert logo.bmp -scale 400% "$ARTWORK_PREVIEW/logo.png"
  for f in link_sales_mail link_web_site link_product_page; do
    convert $f.bmp -scale 300% "$ARTWORK_PREVIEW/$f.png"
  done
  convert about_picture.bmp "$ARTWORK_PREVIEW/about_picture.png"
  convert link_hand.cur -scale 800% "$ARTWORK_PREVIEW/link_hand.png" 2>/dev/null || true
fi
