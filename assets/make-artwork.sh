#!/usr/bin/env bash
# Draws every picture and icon of Dorbolt into art/ (run from anywhere).
# Needs: ImageMagick 6 (convert), python3 (standard library, for make_ico.py),
# and the Debian fonts fonts-liberation2 and fonts-dejavu-core.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p art
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

FONTDIR=/usr/share/fonts/truetype
SANS_B=$FONTDIR/liberation2/LiberationSans-Bold.ttf
SANS_BI=$FONTDIR/liberation2/LiberationSans-BoldItalic.ttf
DJV_B=$FONTDIR/dejavu/DejaVuSans-Bold.ttf
for f in "$SANS_B" "$SANS_BI" "$DJV_B"; do
  [[ -r $f ]] || { echo "missing font $f" >&2; exit 1; }
done

FACE='rgb(212,208,200)'
INK='rgb(0,0,128)'

# Pixel art: the shared palette letters below, extra "c=#rrggbb" lines,
# a blank line, then the rows. '.' is transparent.
PALETTE=(K=#000000 m=#800000 g=#008000 o=#808000 n=#000080 p=#800080
         t=#008080 s=#C0C0C0 d=#808080 r=#FF0000 l=#00FF00 y=#FFFF00
         b=#0000FF M=#FF00FF c=#00FFFF W=#FFFFFF)
sprite() {
  local out=$1 line pal=("${PALETTE[@]}") rows=() inrows=0 p
  while IFS= read -r line; do
    if ((inrows)); then
      [[ -n $line ]] && rows+=("$line")
    elif [[ -z $line ]]; then
      inrows=1
    else
      pal+=("$line")
    fi
  done
  for line in "${rows[@]}"; do
    ((${#line} == ${#rows[0]})) || { echo "$out: ragged row '$line'" >&2; exit 1; }
  done
  {
    echo '/* XPM */'
    echo 'static char *s[] = {'
    echo "\"${#rows[0]} ${#rows[@]} $((${#pal[@]} + 1)) 1\","
    echo '". c None",'
    for p in "${pal[@]}"; do echo "\"${p%%=*} c ${p#*=}\","; done
    for line in "${rows[@]}"; do echo "\"$line\","; done
    echo '};'
  } >"$T/sprite.xpm"
  convert "$T/sprite.xpm" "$out"
}

# Forces plain 24-bit bottom-up BMPs, which LoadImage and windres accept.
bmp24() { convert "$1" -alpha off -type TrueColor "BMP3:$2"; }

# ---------------------------------------------------------------- buttons
# A symbol and a bold word, centred together on the button face.
button() { # out width height symbol.png text pointsize
  local out=$1 w=$2 h=$3 sym=$4 text=$5 ps=$6 sw sh tw tx ch x0
  read -r sw sh < <(identify -format '%w %h\n' "$sym")
  IFS='x+' read -r tw _ tx _ < <(convert -size 400x60 xc:none -font "$SANS_B" \
    -pointsize "$ps" -fill black -draw "text 0,40 '$text'" -format '%@\n' info:)
  IFS='x+' read -r _ ch _ _ < <(convert -size 100x60 xc:none -font "$SANS_B" \
    -pointsize "$ps" -fill black -draw "text 0,40 'H'" -format '%@\n' info:)
  x0=$(((w - sw - 4 - tw) / 2))
  convert -size "${w}x$h" "xc:$FACE" \
    "$sym" -geometry "+$x0+$(((h - sh) / 2))" -composite \
    -font "$SANS_B" -pointsize "$ps" -fill "$INK" \
    -draw "text $((x0 + sw + 4 - tx)),$(((h + ch) / 2)) '$text'" "$T/btn.png"
  bmp24 "$T/btn.png" "art/$out"
}

sprite "$T/tick.png" <<'EOF'
G=#00A000
D=#005800
L=#60E060

..........LG
.........LGG
........LGGD
L......LGGD.
GL....LGGD..
GGL..LGGD...
DGGLLGGD....
.DGGGGD.....
..DGGD......
...DD.......
EOF

sprite "$T/cross.png" <<'EOF'
R=#E01010
D=#900000
H=#FF7070

HR......HR
RRR....RRD
DRRR..RRRD
.DRRRRRRD.
..DRRRRD..
..HRRRRH..
.HRRRRRRH.
HRRRDDRRRH
RRRD..DRRR
DRD....DRD
EOF

sprite "$T/padlock.png" <<'EOF'

...KKKKKKK...
..KdsssssdK..
..KsKKKKKsK..
..KsK...KsK..
..KsK...KsK..
..KsK...KsK..
KKKKKKKKKKKKK
KWWWWWWWWWWdK
KWsssssssssdK
KWsssKKKsssdK
KWsssKKKsssdK
KWssssKssssdK
KWssssKssssdK
KWsssssssssdK
KddddddddddKK
KKKKKKKKKKKKK
EOF

sprite "$T/folder.png" <<'EOF'
Y=#FFE070
L=#FFF6C8

.KKKKK.........
KLLLLLK........
KLYYYYLKKKKKKK.
KLYYYYYYYYYYYYK
KKKKKKKKKKKKKKK
KLLLLLLLLLLLLLK
KLYYYYYYYYYYYoK
KLYYYYYYYYYYYoK
KLYYYYYYYYYYYoK
KLYYYYYYYYYYYoK
KoooooooooooooK
KKKKKKKKKKKKKKK
EOF

sprite "$T/pointer.png" <<'EOF'

K.......
KK......
KWK.....
KWWK....
KWWWK...
KWWWWK..
KWWWWWK.
KWWWKKKK
KWKWWK..
KK.KWK..
K...KWK.
....KK..
EOF
convert "$T/folder.png" -background none -gravity northwest -splice 0x1 -extent 17x16 \
  "$T/pointer.png" -geometry +9+4 -composite "$T/browse.png"

sprite "$T/key.png" <<'EOF'
D=#484848

..DDDD............
.DsWWsD...........
DsD..DsDDDDDDDDDD.
DW....WWWWWWWWWWWD
Ds....sssssssssssD
DsD..DsDDDDsDsDsD.
.DddddD....DdDdD..
..DDDD......D.D...
EOF

# Blue disc with a yellow question mark, drawn 4x larger then reduced.
convert -size 64x64 xc:none \
  -fill '#000080' -draw 'circle 31.5,31.5 31.5,1' \
  -fill '#1C48D8' -draw 'circle 31.5,31.5 31.5,5' \
  -fill '#4C78F0' -draw 'ellipse 26,20 14,9 0,360' \
  -font "$SANS_B" -pointsize 54 -fill '#FFE800' -stroke '#806000' -strokewidth 2 \
  -gravity center -annotate +1+2 '?' \
  -resize 16x16 "$T/about.png"

button btn_ok.bmp       72 17 "$T/tick.png"    'OK'              11
button btn_cancel.bmp   72 17 "$T/cross.png"   'Cancel'          11
button btn_unlock.bmp   86 22 "$T/padlock.png" 'Unlock!'         12
button btn_about.bmp    86 22 "$T/about.png"   'About'           12
button btn_browse.bmp   70 22 "$T/browse.png"  'Browse'          12
button btn_changepw.bmp 122 17 "$T/key.png"    'Change Password' 11

# ------------------------------------------------------------------ icons
# Drawn pixel by pixel in the standard 16 colours, packed by make_ico.py.
sprite "$T/open32.png" <<'EOF'

................................
...........KKKKKKKKKK...........
.........KKWWWWWWWWWWKK.........
........KWWsssssssssssdK........
.......KWssKKKKKKKKKKssdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
.......KWsK..........KKKK.......
.......KWsK.....................
.......KWsK.....................
.......KWsK.....................
.......KWsK.....................
.....KKKKKKKKKKKKKKKKKKKKKK.....
....KWWWWWWWWWWWWWWWWWWWWWdK....
....KWssssssssKKKKsssssssddK....
....KWssssssKKKWWKKKssssssdK....
....KWsssssKdKKKKKKdKsssssdK....
....KWssssKKKKKKKKKKKKssssdK....
....KWssssKKKKKssKKKKKssssdK....
....KWssssKWKKsWssKKWKssssdK....
....KWssssKWKKssdsKKWKssssdK....
....KWssssKKKKKsdKKKKKssssdK....
....KWssssKKKKKKKKKKKKssssdK....
....KWsssssKdKKKKKKdKsssssdK....
....KWssssssKKKddKKKssssssdK....
....KWssssssssKKKKssssssssdK....
....KWdddddddddddddddddddddK....
.....KKKKKKKKKKKKKKKKKKKKKK.....
................................
EOF

sprite "$T/open16.png" <<'EOF'

.....KKKKKK.....
....KWWWWWWK....
...KWsKKKKssK...
...KWK....KsK...
...KWK....KKK...
...KWK..........
...KWK..........
.KKKKKKKKKKKKKK.
.KWWWWKKKKWWWdK.
.KWssKKKKKKssdK.
.KWssKKWsKKssdK.
.KWssKKsdKKssdK.
.KWssKKKKKKssdK.
.KWsssKKKKsssdK.
.KddddddddddddK.
.KKKKKKKKKKKKKK.
EOF

sprite "$T/closed32.png" <<'EOF'

................................
................................
................................
...........KKKKKKKKKK...........
.........KKWWWWWWWWWWKK.........
........KWWsssssssssssdK........
.......KWssKKKKKKKKKKssdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
.......KWsK..........KsdK.......
......KKKKKKKKKKKKKKKKKKKKKK....
.....KWWWWWWWWWWWWWWWWWWWWdK....
....KWsssssssssssssssssssddK....
...KKKKKKKKKKKKKKKKKKKKKKddK....
...KWWWWWWWWWWWWWWWWWWWWKddK....
...KssssssssssssssssssssKddK....
...KdddddddKKKKKKdddddddKKKK....
...KWWWWWWKWWWWWsKWWWWWWKddK....
...KssssssKWsKKsdKssssssKddK....
...KddddddKWKKKKdKddddddKKKK....
...KWWWWWWKWKKKKdKWWWWWWKddK....
...KssssssKWsKKsdKssssssKddK....
...KddddddKWsKKsdKddddddKKKK....
...KWWWWWWKWsKKsdKWWWWWWKddK....
...KssssssKWsKKsdKssssssKddK....
...KddddddKWdddddKddddddKKKK....
...KWWWWWWWKKKKKKWWWWWWWKddK....
...KssssssssssssssssssssKdK.....
...KddddddddddddddddddddKK......
...KKKKKKKKKKKKKKKKKKKKKK.......
................................
EOF

sprite "$T/closed16.png" <<'EOF'

................
.....KKKKKK.....
....KWWWWWWK....
...KWsKKKKssK...
...KWK....KsK...
...KWK....KsK...
...KKKKKKKKKKKK.
..KWWWWWWWWWWdK.
.KKKKKKKKKKKKdK.
.KWWWWKKWWWWKKK.
.KssssKKssssKdK.
.KddddKKddddKKK.
.KWWWWKKWWWWKdK.
.KssssssssssKKK.
.KddddddddddKK..
.KKKKKKKKKKKK...
EOF

sprite "$T/mon32.png" <<'EOF'

................................
...KKKKKKKKKKKKKKKKKKKKKKKKKK...
..KWWWWWWWWWWWWWWWWWWWWWWWWWdK..
..KWssssssssssssssssssssssssdK..
..KWsKKKKKKKKKKKKKKKKKKKKKKddK..
..KWsKnnnnnnnnnnnnnnnnnKKnnWdK..
..KWsKnnnnnnnnnnnnnnnKKWoKnWdK..
..KWsKnnnnnnnnnnnnnKKWyyoKnWdK..
..KWsKnnnnnnnnnnnKKWyyyoyoKWdK..
..KWsKnnnnKKKKnKKWyyoooKooKWdK..
..KWsKnnKKWyyyyyyyooKKooKKnWdK..
..KWsKnnKWyyyyyyooKKnnKKnnnWdK..
..KWsKnKWyyKKyyoKKnnnnnnnnnWdK..
..KWsKnKyyKnnKyoKnnnnnnnnnnWdK..
..KWsKnKyyKnnKyoKnnnnnnnnnnWdK..
..KWsKnKyyyKKyooKnnnnnnnnnnWdK..
..KWsKnnKoyyyooKnnnnnnnnnnnWdK..
..KWsKnnKKooooKKnnnnnnnnnnnWdK..
..KWsKnnnnKKKKnnnnnnnnnnnnnWdK..
..KWsWWWWWWWWWWWWWWWWWWWWWWWdK..
..KWssddddddssssssssssKKKKssdK..
..KWssWWWWWWssssssssssKllKssdK..
..KWdddddddddddddddddddddddddK..
...KKKKKKKKKKKKKKKKKKKKKKKKKK...
............KsssssdK............
............KsssssdK............
........KKKKKKKKKKKKKKKK........
.......KWWWWWWWWWWWWWWWdK.......
.......KsssssssssssssssdK.......
.......KddddddddddddddddK.......
........KKKKKKKKKKKKKKKK........
................................
EOF

for n in open32 open16 closed32 closed16 mon32; do
  convert "$T/$n.png" -alpha on -depth 8 -type TrueColorAlpha "PAM:$T/$n.pam"
done
python3 make_ico.py art/lock_open.ico   "$T/open32.pam" "$T/open16.pam"
python3 make_ico.py art/lock_closed.ico "$T/closed32.pam" "$T/closed16.pam"
python3 make_ico.py art/monitor_key.ico "$T/mon32.pam"

# ----------------------------------------------------------------- banner
# Drawn at twice its size and halved, so outlines and bevels stay smooth.
W=1144 H=198 E=14 # E: depth of the extrusion behind "bolt"
# The whole word and its first part, on one baseline, cut to the word's
# ink box and widened to fill the banner.
banner_mask() {
  convert -size 800x$H xc:black -font "$SANS_BI" -pointsize 200 -fill white \
    -annotate +20+166 "$1" -crop 715x147+23+21 +repage -resize 1000x147\! \
    -background black -gravity northwest -splice 62x18 -extent "${W}x$H" "$2"
}
banner_mask Dorbolt "$T/all.png"
banner_mask Dor "$T/dor.png"
convert "$T/all.png" "$T/dor.png" -compose MinusSrc -composite "$T/bolt.png"

# "Dor": rainbow stripes across the letters, lit from the top left.
convert xc:'#FF2424' xc:'#FF9A00' xc:'#FFE21A' xc:'#22C838' xc:'#1E78FF' xc:'#B43CE6' \
  +append +repage "$T/rainbow.png"
convert -size "${W}x$H" xc: -fx '(i+j*0.55)/84-floor((i+j*0.55)/84)' \
  "$T/rainbow.png" -interpolate Integer -clut "$T/stripes.png"
convert "$T/dor.png" -blur 0x5 -shade 135x35 -auto-level -level 20%,100% "$T/dorbevel.png"
convert "$T/stripes.png" \( -size "${W}x$H" gradient:'#FFFFFF-#8A8A8A' \) -compose multiply -composite \
  "$T/dorbevel.png" -compose overlay -composite "$T/dorfill.png"

# "bolt": copies stepped down-right, dark at the back, lighter to the front.
cmd=(convert -size "${W}x$H" xc:none)
for ((i = E; i >= 1; i--)); do
  c=$((60 + (E - i) * 90 / E))
  cmd+=(\( "$T/bolt.png" -background "rgb(0,$((c / 3)),$c)" -alpha shape \) -geometry "+$i+$i" -composite)
done
"${cmd[@]}" "$T/extrusion.png"
cmd=(convert "$T/bolt.png")
for ((i = 1; i <= E; i++)); do
  cmd+=("$T/bolt.png" -geometry "+$i+$i" -compose lighten -composite)
done
"${cmd[@]}" "$T/boltsolid.png"
convert "$T/bolt.png" -blur 0x5 -shade 135x35 -auto-level -level 20%,100% "$T/boltbevel.png"
convert -size "${W}x$H" gradient:'#7CC4FF-#0048F0' "$T/boltbevel.png" -compose overlay -composite "$T/boltface.png"

convert -size "${W}x$H" xc:white \
  \( "$T/dor.png" -morphology Dilate Disk:2 -blur 0x3 -background '#9C9CB4' -alpha shape \) -geometry +9+9 -composite \
  \( "$T/boltsolid.png" -morphology Dilate Disk:2.5 -background '#000040' -alpha shape \) -geometry +0+0 -composite \
  "$T/extrusion.png" -composite \
  \( "$T/bolt.png" -morphology Dilate Disk:1.5 -background '#00207A' -alpha shape \) -composite \
  \( "$T/boltface.png" "$T/bolt.png" -alpha off -compose copyopacity -composite \) -compose over -composite \
  \( "$T/dor.png" -morphology Dilate Disk:3 -background '#101030' -alpha shape \) -composite \
  \( "$T/dorfill.png" "$T/dor.png" -alpha off -compose copyopacity -composite \) -compose over -composite \
  -filter Lanczos -resize 572x99\! "$T/banner.png"
bmp24 "$T/banner.png" art/banner.bmp

# ---------------------------------------------------------------- caption
# Drawn at four times its size, then reduced.
W=860 H=396
caption_line() {
  convert -size 1000x200 xc:black -font "$SANS_BI" -pointsize 112 -fill white \
    -annotate +20+150 "$1" -trim +repage "$2"
}
# Every line has a descender, so trimmed lines stack evenly.
caption_line 'This Computer' "$T/c1.png"
caption_line 'Is Being' "$T/c2.png"
caption_line 'Protected By' "$T/c3.png"
convert -background black "$T/c1.png" \( -size 10x16 xc:black \) "$T/c2.png" \
  \( -size 10x16 xc:black \) "$T/c3.png" -gravity center -append +repage \
  -extent "${W}x$H" "$T/capmask.png"
convert "$T/capmask.png" -blur 0x4 -shade 135x40 -auto-level -level 30%,100% "$T/capbevel.png"
convert -size "${W}x$H" gradient:'rgb(214,230,255)-rgb(140,182,250)' \
  "$T/capbevel.png" -compose overlay -composite "$T/capfill.png"
convert -size "${W}x$H" xc:white \
  \( "$T/capmask.png" -morphology Dilate Disk:7 -blur 0x3 -background 'rgb(190,200,225)' -alpha shape \) -geometry +8+8 -composite \
  \( "$T/capmask.png" -morphology Dilate Disk:6 -background 'rgb(70,118,222)' -alpha shape \) -geometry +0+0 -composite \
  \( "$T/capfill.png" "$T/capmask.png" -alpha off -compose copyopacity -composite \) -compose over -composite \
  -filter Lanczos -resize 215x99\! "$T/caption.png"
bmp24 "$T/caption.png" art/caption.bmp

# ------------------------------------------------------------------ alarm
# Drawn at twice its size. The window showing it crops the edges, so the
# words stay inside x 40..615, y 0..190 (centre x 327).
W=1280 H=400
ALARM_FONT=$DJV_B
ALARM_COLOURS=('#E8141C' '#1E5AF0' '#18A83C' '#C828C8' '#00A0D8' '#7A3CF0')
# One mask per letter (the difference of successive prefixes), so each
# letter can take its own colour.
alarm_word() { # line word baseline
  local ln=$1 word=$2 base=$3 bw bx x k
  IFS='x+' read -r bw _ bx _ < <(convert -size "1600x$H" xc:black -font "$ALARM_FONT" \
    -pointsize 144 -kerning 10 -fill white -annotate "+0+$base" "$word" -format '%@\n' info:)
  x=$((655 - bw / 2 - bx))
  convert -size "${W}x$H" xc:black "$T/prefix0.png"
  for ((k = 1; k <= ${#word}; k++)); do
    convert -size "${W}x$H" xc:black -font "$ALARM_FONT" -pointsize 144 -kerning 10 \
      -fill white -annotate "+$x+$base" "${word:0:k}" "$T/prefix1.png"
    convert "$T/prefix1.png" "$T/prefix0.png" -compose MinusSrc -composite \
      "$T/letter${ln}_$(printf %02d "$k").png"
    mv "$T/prefix1.png" "$T/prefix0.png"
  done
  mv "$T/prefix0.png" "$T/line$ln.png"
}
alarm_word 1 PASSWORD 214
alarm_word 2 INCORRECT 358
convert "$T/line1.png" "$T/line2.png" -compose lighten -composite "$T/words.png"
cmd=(convert -size "${W}x$H" xc:none)
n=0
for f in "$T"/letter1_*.png "$T"/letter2_*.png; do
  cmd+=(\( "$f" -background "${ALARM_COLOURS[n % ${#ALARM_COLOURS[@]}]}" -alpha shape \) -compose over -composite)
  n=$((n + 1))
done
"${cmd[@]}" "$T/letterflat.png"
convert "$T/words.png" -blur 0x4 -shade 135x35 -auto-level -level 25%,100% "$T/wordbevel.png"
convert "$T/letterflat.png" "$T/wordbevel.png" -compose overlay -composite \
  "$T/words.png" -alpha off -compose copyopacity -composite "$T/letters.png"

# Flames: the letters smeared upwards, cut into tongues by smooth vertical
# noise (the taller the noise, the higher a tongue reaches, so tips come
# to points), bent sideways by coarser noise and coloured by heat.
convert "$T/words.png" -morphology Dilate Disk:5 "$T/hot.png"
convert -size 130x10 xc: -seed 11 +noise Random -channel R -separate +channel \
  -resize "${W}x$H"\! -auto-level "$T/n1.png"
convert -size 390x20 xc: -seed 12 +noise Random -channel R -separate +channel \
  -resize "${W}x$H"\! -blur 0x2 -auto-level "$T/n2.png"
convert "$T/n1.png" "$T/n2.png" -define compose:args=30 -compose blend -composite -auto-level "$T/reach.png"
convert -size 50x16 xc: -seed 23 +noise Random -channel G -separate +channel \
  -resize "${W}x$H"\! -blur 0x8 -auto-level "$T/sway.png"
convert "$T/hot.png" -motion-blur 0x75+90 -auto-level "$T/rise.png"
convert "$T/rise.png" "$T/reach.png" -define compose:args=50 -compose blend -composite \
  -level 44%,100% "$T/sway.png" -define compose:args=14x14 -compose displace -composite "$T/tongues.png"
# Tongues die out before the top edge; the letters themselves glow hottest.
convert -size "${W}x70" gradient:black-white -background white -gravity north -extent "${W}x$H" "$T/fade.png"
convert "$T/tongues.png" "$T/fade.png" -compose multiply -composite \
  \( "$T/hot.png" -blur 0x6 \) -compose lighten -composite "$T/heat.png"
convert xc:'#C81000' xc:'#F02800' xc:'#FF6A00' xc:'#FFB000' xc:'#FFE040' xc:'#FFF8B0' \
  +append +repage -resize 256x1\! "$T/firepal.png"
convert "$T/heat.png" "$T/firepal.png" -clut \( "$T/heat.png" -level 12%,28% \) \
  -alpha off -compose copyopacity -composite "$T/fire.png"

convert -size "${W}x$H" xc:white "$T/fire.png" -compose over -composite \
  \( "$T/words.png" -morphology Dilate Disk:3 -background '#6A0000' -alpha shape \) -geometry +9+9 -composite \
  \( "$T/words.png" -morphology Dilate Disk:3 -background '#200000' -alpha shape \) -geometry +0+0 -composite \
  "$T/letters.png" -composite \
  -filter Lanczos -resize 640x200\! "$T/alarm.png"
bmp24 "$T/alarm.png" art/alarm.bmp
