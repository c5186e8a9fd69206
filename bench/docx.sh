#!/usr/bin/env bash
# The docx benchmark of lxt-count: a docx whose text runs are full of "&amp;" against the same
# text as a .txt file (bench/make_docx.py writes both, about 15 MB of document.xml and 7.5 MB
# of text, plus a docx cut into short runs and one with the whole text in a single run).
# Builds the Release lxt-count, then times each input with hyperfine and prints the docx/txt
# ratio. Nothing is kept.
#   bench/docx.sh            (RUNS=10 by default)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
runs="${RUNS:-10}"
command -v hyperfine >/dev/null || { echo "docx.sh: hyperfine is needed" >&2; exit 1; }

# The build lock is held from here to the end, so that no other build runs while timing.
if command -v flock >/dev/null; then
    exec 9>/tmp/lxt-build.lock
    flock 9
fi
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLXT_TESTS=OFF >/dev/null
cmake --build "$build" --target lxt-count -j2 >/dev/null
lxt="$here/$build/bin/lxt-count"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 bench/make_docx.py "$work"
cd "$work"
hyperfine -N -w 2 -r "$runs" --export-json times.json \
    -n amp.docx "$lxt --output o1.txt amp.docx" \
    -n amp.txt "$lxt --output o2.txt amp.txt" \
    -n runs.docx "$lxt --output o3.txt runs.docx" \
    -n single.docx "$lxt --output o4.txt single.docx" >/dev/null
python3 - <<'PY'
import json
times = {r["command"]: r for r in json.load(open("times.json"))["results"]}
for name, r in times.items():
    print(f"{name:12s} {r['mean'] * 1000:8.1f} ms ± {r['stddev'] * 1000:.1f}")
ratio = times["amp.docx"]["mean"] / times["amp.txt"]["mean"]
print(f"amp.docx / amp.txt: {ratio:.2f}x")
PY
