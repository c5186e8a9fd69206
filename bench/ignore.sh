#!/usr/bin/env bash
# The words-to-ignore benchmark of lxt-count: 8 MB of prose (the licence texts of
# /usr/share/common-licenses and the copyright files of /usr/share/doc) counted without and
# with a 100,000-character list of words to ignore taken from that prose, comment markers off
# (these texts are full of "//" and "/*"). Builds the Release lxt-count, times both runs with
# hyperfine and prints the with/without ratio; CALLGRIND=1 also counts both runs'
# instructions with valgrind. Nothing is downloaded and nothing is kept.
#   bench/ignore.sh            (RUNS=30 by default)
. "$(dirname "$0")/lxt_count_build.sh"
runs="${RUNS:-30}"
python3 - "$work" <<'PY'
import glob, hashlib, os, random, re, sys
work = sys.argv[1]
# Each different text once (the huge file lists of some copyright files left out), then the
# whole collection again until there are 8 MB, as a long text repeats its words.
texts, seen = [], set()
for name in sorted(glob.glob("/usr/share/common-licenses/*")) + sorted(
        glob.glob("/usr/share/doc/*/copyright")):
    if not os.path.isfile(name) or os.path.getsize(name) > 100_000:
        continue
    with open(name, "rb") as f:
        text = f.read()
    digest = hashlib.sha1(text).digest()
    if digest not in seen:
        seen.add(digest)
        texts.append(text)
prose = bytearray()
while len(prose) < 8_000_000:
    for text in texts:
        prose += text
        if len(prose) >= 8_000_000:
            break
with open(f"{work}/prose.txt", "wb") as f:
    f.write(prose)
# Different words of three or more lower-case letters, in a fixed random order, up to
# 100,000 characters with their blanks.
words = sorted(set(re.findall(rb"[a-z]{3,}", bytes(prose).lower())))
random.Random(16).shuffle(words)
chosen, length = [], 0
for w in words:
    if length + len(w) + 1 > 100_000:
        break
    chosen.append(w.decode())
    length += len(w) + 1
with open(f"{work}/list.txt", "w") as f:
    f.write(" ".join(chosen))
print(f"prose: {len(prose):,} bytes; list: {length - 1:,} characters, {len(chosen):,} words")
PY
cd "$work"
list="$(cat list.txt)"
hyperfine -N -w 3 -r "$runs" --export-json times.json \
    -n none "$lxt --no-comment-markers --output none.txt prose.txt" \
    -n list "$lxt --no-comment-markers --ignore '$list' --output list.out prose.txt" >/dev/null
python3 - <<'PY'
import json, statistics
times = {r["command"]: r for r in json.load(open("times.json"))["results"]}
for name, r in times.items():
    print(f"{name:5s} mean {r['mean'] * 1000:7.1f} ms ± {r['stddev'] * 1000:.1f}, "
          f"median {r['median'] * 1000:7.1f} ms, best {min(r['times']) * 1000:7.1f} ms")
print(f"list / none: mean {times['list']['mean'] / times['none']['mean']:.2f}x, "
      f"median {times['list']['median'] / times['none']['median']:.2f}x")
PY
if [ "${CALLGRIND:-0}" = 1 ]; then
    none=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$lxt" --no-comment-markers \
        --output none.txt prose.txt 2>&1 | sed -n 's/.*I *refs: *//p' | tr -d ,)
    with=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$lxt" --no-comment-markers \
        --ignore "$list" --output list.out prose.txt 2>&1 | sed -n 's/.*I *refs: *//p' | tr -d ,)
    python3 -c "print(f'instructions: none {$none:,}, list {$with:,}, list / none {$with / $none:.2f}x')"
fi
