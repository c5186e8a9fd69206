# Sourced by the lxt-count benchmarks: goes to the top of the source tree ($here), checks for
# hyperfine, takes the build lock for the rest of the script (so that no other build runs
# while timing), builds the Release lxt-count and names it $lxt, and makes a temporary folder
# $work that goes on exit.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
command -v hyperfine >/dev/null || { echo "$(basename "$0"): hyperfine is needed" >&2; exit 1; }

if command -v flock >/dev/null; then
    exec 9>/tmp/lxt-build.lock
    flock 9
fi
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLXT_TESTS=OFF >/dev/null
cmake --build "$build" --target lxt-count -j2 >/dev/null
lxt="$PWD/$build/bin/lxt-count"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
