#!/usr/bin/env bash
# Records the speech clips into resources/clips/<id>.wav from a speech synthesiser:
# flite's "slt" voice when flite is installed (the clearer of the two), else
# espeak-ng's en-us voice. Each word is trimmed of leading and trailing silence,
# normalised, sped up (pitch kept) if it runs past 0.75 s, and stored as
# Microsoft ADPCM, mono, 22050 Hz, 4 bits, with a "fact" chunk.
#
# Ids 200, 300, 400 and 500 have no role in any announcement and are not made.
# Ids 60, 70, 80 and 90 speak the tens of hours from 60 to 99.
# Re-runnable: every run writes the same set from scratch.
#
# Listening check: QV_LISTEN=1 tools/make-clips.sh also renders "twenty one
# minutes and one second" to /tmp/qv-clips-sample.wav and prints its stats.
set -euo pipefail
export SOX_OPTS="-V1 -R" # -R: the same files on every run
command -v sox >/dev/null || { echo "sox is needed" >&2; exit 1; }
out="$(cd "$(dirname "$0")/.." && pwd)/resources/clips"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

say() { # text file
    if command -v flite >/dev/null; then
        flite -voice slt -t "$1" -o "$2"
    else
        espeak-ng -v en-us -s 150 -w "$2" "$1"
    fi
}

words=(
    [1]=one [2]=two [3]=three [4]=four [5]=five [6]=six [7]=seven [8]=eight [9]=nine
    [10]=ten [11]=eleven [12]=twelve [13]=thirteen [14]=fourteen [15]=fifteen
    [16]=sixteen [17]=seventeen [18]=eighteen [19]=nineteen
    [20]=twenty [30]=thirty [40]=forty [50]=fifty
    [60]=sixty [70]=seventy [80]=eighty [90]=ninety
    [101]=hour [102]=hours [103]=minute [104]=minutes [105]=second [106]=seconds [107]=and
)

for id in "${!words[@]}"; do
    say "${words[$id]}" "$work/raw.wav"
    # Trim both ends at a low threshold so that soft endings ("s", "t") stay.
    sox "$work/raw.wav" -r 22050 -c 1 -b 16 "$work/trim.wav" \
        highpass 60 silence 1 0.005 0.2% reverse silence 1 0.005 0.2% reverse \
        norm -1
    sox "$work/trim.wav" "$work/soft.wav" fade h 0.004 -0 0.012
    len=$(soxi -D "$work/soft.wav")
    # Time stretching colours the sound even at factor 1: only when needed.
    speed=()
    if (($(echo "$len > 0.75" | bc -l))); then
        speed=(tempo -s "$(echo "$len / 0.74" | bc -l)")
    fi
    sox -D "$work/soft.wav" -e ms-adpcm -b 4 "$out/$id.wav" "${speed[@]}" norm -1
done

if [ "${QV_LISTEN:-0}" = 1 ]; then
    gap="$work/gap.wav"
    sox -r 22050 -c 1 -n "$gap" trim 0 0.04
    sox "$out/20.wav" "$gap" "$out/1.wav" "$gap" "$out/104.wav" "$gap" "$out/107.wav" "$gap" \
        "$out/1.wav" "$gap" "$out/105.wav" -b 16 /tmp/qv-clips-sample.wav
    sox /tmp/qv-clips-sample.wav -n stats
    # With a speech recogniser installed (Debian's pocketsphinx and
    # pocketsphinx-en-us), each clip must be heard as its own word among all of
    # ours, and the sample as the sentence it is.
    model=/usr/share/pocketsphinx/model/en-us
    if command -v pocketsphinx_continuous >/dev/null && [ -d "$model" ]; then
        vocabulary=$(printf '%s | ' "${words[@]}")
        printf '#JSGF V1.0;\ngrammar words;\npublic <w> = %s;\n' \
            "${vocabulary% | }" >"$work/word.jsgf"
        printf '#JSGF V1.0;\ngrammar words;\n<w> = %s;\npublic <s> = <w>+;\n' \
            "${vocabulary% | }" >"$work/sentence.jsgf"
        hear() { # file grammar
            sox "$1" -r 16000 -b 16 -e signed-integer "$work/h.wav" pad 0.3 0.3
            pocketsphinx_continuous -infile "$work/h.wav" -jsgf "$work/$2.jsgf" \
                -hmm "$model/en-us" -dict "$model/cmudict-en-us.dict" 2>/dev/null | tr -d '\n'
        }
        misheard=0
        for id in "${!words[@]}"; do
            got=$(hear "$out/$id.wav" word)
            [ "$got" = "${words[$id]}" ] || { echo "clip $id (${words[$id]}) heard as '$got'"; misheard=1; }
        done
        echo "sample heard as: $(hear /tmp/qv-clips-sample.wav sentence)"
        exit $misheard
    fi
fi
