#!/usr/bin/env bash
# Synthesises the built-in sounds into resources/sounds/ with sox. Re-runnable:
# every run writes the same files from scratch.
#
#   fanfare.wav   brass-like C major fanfare, 44100 Hz mono Microsoft ADPCM, 146944 samples
#   beep.wav      1 kHz beep, 22050 Hz mono 16-bit PCM, 6536 samples
#   tick.wav      short clock tick, 22050 Hz mono 16-bit PCM, 1543 samples
#   longbeep.wav  the beep's tone held longer, 22050 Hz mono 16-bit PCM, 14264 samples
#   alert.wav     our stand-in for the desktop's default alert, played when a
#                 custom sound file cannot be found: two short falling tones,
#                 22050 Hz mono 16-bit PCM, 0.24 s
set -euo pipefail
export SOX_OPTS="-V1 -R" # -R: the same files on every run
command -v sox >/dev/null || { echo "sox is needed" >&2; exit 1; }
out="$(cd "$(dirname "$0")/.." && pwd)/resources/sounds"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One brass-like voice: two slightly detuned saws and a square an octave below,
# rounded by a low-pass, with a quick swell and a soft release.
voice() { # file freq seconds
    local f=$1 hz=$2 len=$3
    sox -r 44100 -c 1 -n "$work/a.wav" synth "$len" sawtooth "$hz" vol 0.5
    sox -r 44100 -c 1 -n "$work/b.wav" synth "$len" sawtooth "$(echo "$hz * 1.004" | bc -l)" vol 0.4
    sox -r 44100 -c 1 -n "$work/c.wav" synth "$len" square "$(echo "$hz / 2" | bc -l)" vol 0.18
    sox -m "$work/a.wav" "$work/b.wav" "$work/c.wav" "$f" \
        lowpass 2600 lowpass 3800 fade q 0.025 "$len" 0.06
}

# A note of the motif: one or more voices sounding together.
note() { # file seconds freq...
    local f=$1 len=$2
    shift 2
    local parts=() i=0
    for hz in "$@"; do
        voice "$work/v$i.wav" "$hz" "$len"
        parts+=("$work/v$i.wav")
        i=$((i + 1))
    done
    if ((${#parts[@]} == 1)); then
        cp "${parts[0]}" "$f"
    else
        sox -m "${parts[@]}" "$f"
    fi
}

G4=392.00 C5=523.25 E5=659.26 G5=783.99 C4=261.63
note "$work/n1.wav" 0.15 $G4
note "$work/n2.wav" 0.15 $G4
note "$work/n3.wav" 0.15 $G4
note "$work/n4.wav" 0.45 $C5 $G4
note "$work/n5.wav" 0.20 $E5 $C5
note "$work/n6.wav" 0.20 $G5 $E5
note "$work/n7.wav" 2.05 $G5 $E5 $C5 $C4
sox "$work"/n{1,2,3,4,5,6,7}.wav "$work/motif.wav" \
    tremolo 5.5 8 reverb 35 50 60 norm -1 pad 0 0.5 trim 0 146944s fade h 0 146944s 0.9
sox "$work/motif.wav" -e ms-adpcm -b 4 "$out/fanfare.wav"

tone() { # file samples freq
    sox -r 22050 -c 1 -b 16 -n "$1" synth "$2s" sine "$3" \
        fade h 0.008 "$2s" 0.012 norm -3
}
tone "$out/beep.wav" 6536 1000
tone "$out/longbeep.wav" 14264 1000

# A tick: a click of filtered noise with a quick knock under it.
sox -r 22050 -c 1 -b 16 -n "$work/click.wav" synth 1543s whitenoise vol 0.5 highpass 1800 fade p 0 1543s 1500s
sox -r 22050 -c 1 -b 16 -n "$work/knock.wav" synth 1543s sine 2400 fade p 0.001 1543s 1400s
sox -m "$work/click.wav" "$work/knock.wav" -b 16 "$out/tick.wav" norm -3 trim 0 1543s

sox -r 22050 -c 1 -b 16 -n "$work/t1.wav" synth 0.11 sine 880 fade h 0.005 0.11 0.02
sox -r 22050 -c 1 -b 16 -n "$work/t2.wav" synth 0.13 sine 660 fade h 0.005 0.13 0.04
sox "$work/t1.wav" "$work/t2.wav" -b 16 "$out/alert.wav" norm -4
