#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the short "wrong answer" sounds of Tovelo2 in samples/Sound/Bad/.
# Every sound is synthesised with sox: 16-bit PCM, mono, 22050 Hz, each
# between 0.2 and 0.6 s, kept soft (peaks at -4 dBFS, gentle attack and
# release, no harsh highs) so a mistake never sounds scary.
#
#   bash tools/make_sounds.sh
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out="$here/../samples/Sound/Bad"
mkdir -p "$out"
out=$(cd "$out" && pwd)

command -v sox >/dev/null || { echo "sox is needed (apt-get install sox)" >&2; exit 1; }

rate=22050
tmp=$(mktemp -d /tmp/tovelo2-snd.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# -R: repeatable output (fixed dither seed); -V2: errors and warnings
# (so any clipping would show up)
SOX=(sox -R -V2)
FMT=(-r "$rate" -b 16 -c 1 -e signed-integer)

# boing: a springy tone falling from about 320 to 125 Hz with a wobble.
# chorus is used as a plain vibrato (dry level 0, one modulated delay line);
# its speed limit of 5 Hz is doubled by rendering at half speed first.
"${SOX[@]}" -n "${FMT[@]}" "$out/boing.wav" \
    synth 1.0 sine 160/62 synth 1.0 sine mix 320/124 gain -12 \
    chorus 0 1 30 1 4.5 6 -s \
    speed 2 rate "$rate" \
    trim 0.032 0.44 \
    lowpass 2200 \
    fade q 0.008 0.44 0.22 \
    gain -n -4

# uh-oh: two soft falling notes, E4 then C#4 sliding a little lower.
# (Sweeps of triangle waves are linear ones: the exponential kind gives a
# broken triangle in sox 14.4.)
"${SOX[@]}" -n "${FMT[@]}" "$tmp/uh.wav" \
    synth 0.17 triangle 330 gain -12 \
    lowpass 1600 fade h 0.02 0.17 0.05
"${SOX[@]}" -n "${FMT[@]}" "$tmp/gap.wav" trim 0 0.035
"${SOX[@]}" -n "${FMT[@]}" "$tmp/oh.wav" \
    synth 0.30 triangle 277:250 gain -12 \
    lowpass 1500 fade h 0.02 0.30 0.16
"${SOX[@]}" "$tmp/uh.wav" "$tmp/gap.wav" "$tmp/oh.wav" "${FMT[@]}" "$out/uhoh.wav" \
    gain -n -4

# buzz: a low, rounded buzz with a gentle flutter, not a harsh alarm.
"${SOX[@]}" -n "${FMT[@]}" "$out/buzz.wav" \
    synth 0.36 sawtooth 131 synth 0.36 sine mix 65.5 gain -12 \
    lowpass 700 lowpass 1000 \
    tremolo 24 35 \
    fade h 0.03 0.36 0.12 \
    gain -n -6

# plop: a short round "bwop" dropping in pitch, like a bubble.
"${SOX[@]}" -n "${FMT[@]}" "$out/plop.wav" \
    synth 0.26 sine 440/150 gain -6 \
    fade q 0.004 0.26 0.2 \
    gain -n -4

for f in "$out"/*.wav; do
    printf '%-12s %s Hz, %s ch, %s bit, %s s\n' "$(basename "$f")" \
        "$(soxi -r "$f")" "$(soxi -c "$f")" "$(soxi -b "$f")" "$(soxi -D "$f")"
done
