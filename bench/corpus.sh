#!/usr/bin/env bash
# The corpus benchmark of lxt-count. Installs the real texts it needs from Debian's packages,
# builds the corpora in a temporary folder (nothing is kept), and times, in one run,
# lxt-count (Release build, default settings, output file written) against three baselines:
# the classic tr | sort | uniq pipeline, a plain std::unordered_map counter
# (bench/baseline_counter.cpp) and a hand-tuned counter (bench/tuned_counter.cpp: open
# addressing, FNV-1a, no word rules). Prints MB/s (10^6 bytes per second of wall time, best
# of RUNS runs), peak memory (maximum resident set size) and the ratios.
#   bench/corpus.sh            (RUNS=3 by default; KEEP=1 keeps the temporary folder;
#                               SUMS=FILE writes the MD5 sum of each lxt-count output file)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
runs="${RUNS:-3}"

# ---- the Debian packages: texts, word lists and GNU time ----
packages=(bible-kjv bible-kjv-text fortunes-de fortunes-es fortunes-it fortunes-ru wamerican wngerman time)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing ${missing[*]}" >&2
    $sudo apt-get install -y "${missing[@]}" >/dev/null
fi

# ---- the Release build ----
# The build lock is held from here to the end, so that no other build of this tree runs
# while the programs are timed.
if command -v flock >/dev/null; then
    exec 9>/tmp/lxt-build.lock
    flock 9
fi
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLXT_TESTS=OFF >/dev/null
cmake --build "$build" --target lxt-count baseline_counter tuned_counter -j2 >/dev/null
lxt="$here/$build/bin/lxt-count"
baseline="$(find "$here/$build" -type f -name baseline_counter -perm -u+x | head -n1)"
tuned="$(find "$here/$build" -type f -name tuned_counter -perm -u+x | head -n1)"
[ -x "$lxt" ] && [ -x "$baseline" ] && [ -x "$tuned" ] || { echo "build failed" >&2; exit 1; }

# ---- the corpora ----
tmp="$(mktemp -d)"
if [ "${KEEP:-0}" != 1 ]; then trap 'rm -rf "$tmp"' EXIT; else echo "corpora in $tmp" >&2; fi
crlf() { sed 's/\r$//; s/$/\r/'; }

# The King James Bible as Windows-1252 text with CR LF, and ten copies of it.
bible Gen1:1-Rev22:21 | iconv -f UTF-8 -t WINDOWS-1252//TRANSLIT | crlf >"$tmp/bible.txt"
for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$tmp/bible.txt"; done >"$tmp/bible10.txt"

# German text in UTF-8: the German fortunes, CR LF, with a byte-order mark so that the
# default settings read it as UTF-8 (the inspection answers the encoding question).
bom() { printf '\xEF\xBB\xBF'; }
{ bom; find /usr/share/games/fortunes/de -type f ! -name '*.dat' -print0 | sort -z |
    xargs -0 cat | crlf; } >"$tmp/german.txt"

# Spanish and Italian text in UTF-8, the same way.
{ bom; find /usr/share/games/fortunes/es /usr/share/games/fortunes/it -type f ! -name '*.dat' \
    ! -name '*.u8' -print0 | sort -z | xargs -0 cat | crlf; } >"$tmp/romance.txt"

# Russian text in UTF-8 (the Russian fortunes, the same way), and English text of the same
# size (the start of the ten Bibles), to compare the speed on Cyrillic with that on ASCII.
{ bom; find /usr/share/games/fortunes/ru -type f ! -name '*.dat' ! -name '*.u8' -print0 |
    sort -z | xargs -0 cat | crlf; } >"$tmp/russian.txt"
head -c "$(stat -c %s "$tmp/russian.txt")" "$tmp/bible10.txt" >"$tmp/english.txt"

# Different words from the American and German word lists, spelled in ASCII letters
# (umlauts and sharp s transliterated), lower-cased, each word three times in a shuffled
# order, ten words to a line. "words_all" holds them all, "words_quarter" a quarter of them.
cat /usr/share/dict/american-english /usr/share/dict/ngerman |
    sed 's/ä/ae/g; s/ö/oe/g; s/ü/ue/g; s/Ä/Ae/g; s/Ö/Oe/g; s/Ü/Ue/g; s/ß/ss/g' |
    grep -E '^[A-Za-z]{3,}$' | tr A-Z a-z | sort -u >"$tmp/wordlist.txt"
shuf --random-source=<(yes) "$tmp/wordlist.txt" >"$tmp/wordlist_shuffled.txt"
total_words=$(wc -l <"$tmp/wordlist_shuffled.txt")
quarter=$((total_words / 4))
make_words_text() {  # list file -> text with each word three times
    cat "$1" "$1" "$1" | shuf --random-source=<(yes) | paste -d' ' - - - - - - - - - - | crlf
}
make_words_text "$tmp/wordlist_shuffled.txt" >"$tmp/words_all.txt"
head -n "$quarter" "$tmp/wordlist_shuffled.txt" >"$tmp/wordlist_quarter.txt"
make_words_text "$tmp/wordlist_quarter.txt" >"$tmp/words_quarter.txt"

# ---- timing ----
# best_of CMD...: runs CMD $runs times under GNU time; prints "seconds peak_kb" of the
# fastest run. The wall time is read from the shell's clock in microseconds (GNU time gives
# hundredths only).
best_of() {
    local best="" bestmem="" t m start end
    for ((r = 0; r < runs; r++)); do
        start=$EPOCHREALTIME
        /usr/bin/time -f '%M' -o "$tmp/time.txt" "$@" >/dev/null 2>"$tmp/stderr.txt" || {
            echo "failed: $*" >&2
            cat "$tmp/stderr.txt" >&2
            return 1
        }
        end=$EPOCHREALTIME
        t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }')
        read -r m <"$tmp/time.txt"
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then
            best="$t"
            bestmem="$m"
        fi
    done
    echo "$best $bestmem"
}

pipeline() {  # input output
    tr -cs A-Za-z '\n' <"$1" | tr A-Z a-z | sort | uniq -c | sort -rn >"$2"
}
export -f pipeline

mbps() { awk -v b="$1" -v s="$2" 'BEGIN { if (s <= 0) s = 0.005; printf "%.1f", b / s / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a <= 0) a = 0.005; printf "%.2f", b / a }'; }
mb() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

printf '%-14s %6s %7s | %-17s | %-17s | %-17s | %-17s | %6s %6s %6s\n' corpus MB words \
    "lxt-count (MB)" "unordered_map" "tuned" "pipeline" "vs map" "vs tun" "vs pip"
[ -z "${SUMS:-}" ] || : >"$SUMS"
declare -A seconds
for corpus in bible bible10 german romance russian english words_quarter words_all; do
    f="$tmp/$corpus.txt"
    bytes=$(stat -c %s "$f")
    read -r tl ml < <(best_of "$lxt" --quiet --output "$tmp/$corpus.lxt.out" "$f")
    read -r tb mb_ < <(best_of "$baseline" "$f" "$tmp/$corpus.base.out")
    read -r tt mt < <(best_of "$tuned" "$f" "$tmp/$corpus.tuned.out")
    read -r tp mp < <(best_of bash -c 'pipeline "$0" "$1"' "$f" "$tmp/$corpus.pipe.out")
    words=$(($(wc -l <"$tmp/$corpus.lxt.out") - 4))
    seconds[$corpus]=$tl
    [ -z "${SUMS:-}" ] || echo "$(md5sum <"$tmp/$corpus.lxt.out" | cut -d' ' -f1)  $corpus" >>"$SUMS"
    printf '%-14s %6.1f %7d | %7s (%6s) | %7s (%6s) | %7s (%6s) | %7s (%6s) | %5sx %5sx %5sx\n' \
        "$corpus" "$(awk -v b="$bytes" 'BEGIN { print b / 1e6 }')" "$words" \
        "$(mbps "$bytes" "$tl")" "$(mb "$ml")" "$(mbps "$bytes" "$tb")" "$(mb "$mb_")" \
        "$(mbps "$bytes" "$tt")" "$(mb "$mt")" "$(mbps "$bytes" "$tp")" "$(mb "$mp")" \
        "$(ratio "$tl" "$tb")" "$(ratio "$tl" "$tt")" "$(ratio "$tl" "$tp")"
done
echo
echo "Different words: words_quarter $quarter, words_all $total_words (four times as many);"
echo "time ratio words_all / words_quarter for lxt-count: $(ratio "${seconds[words_quarter]}" "${seconds[words_all]}")"
echo "speed of russian / english (the same size) for lxt-count: $(ratio "${seconds[russian]}" "${seconds[english]}")"
echo "(vs map, vs tun, vs pip: lxt-count's throughput divided by the baseline's; MB/s with peak"
echo " memory in MB in brackets; $runs runs each, best kept)"
