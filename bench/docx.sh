#!/usr/bin/env bash
# The docx benchmark of lxt-count: a docx whose text runs are full of "&amp;" against the same
# text as a .txt file (bench/make_docx.py writes both, about 15 MB of document.xml and 7.5 MB
# of text, plus a docx cut into short runs and one with the whole text in a single run).
# Builds the Release lxt-count, then times each input with hyperfine and prints the docx/txt
# ratio. Nothing is kept.
#   bench/docx.sh            (RUNS=10 by default)
. "$(dirname "$0")/lxt_count_build.sh"
runs="${RUNS:-10}"
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
