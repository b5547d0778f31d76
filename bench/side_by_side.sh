#!/usr/bin/env bash
# The same chains made with lintaro and with ezdxf (the Python library people use to
# generate dimensioned DXF; Debian's python3-ezdxf), CPU seconds side by side:
#   bench/side_by_side.sh [LINTARO] [N ...]     default: build/bench/shell/lintaro, N = 100 1000
# Each row makes N chains of 10 points and saves them, then reads the file back.
set -euo pipefail
lintaro=${1:-build/bench/shell/lintaro}
shift || true
sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(100 1000)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/lintaro-side-by-side-XXXXXX")
trap 'rm -rf "$work"' EXIT
export APPDATA=$work/appdata TMPDIR=$work
mkdir -p "$APPDATA"
: > "$work/empty.scr"
"$lintaro" run "$work/empty.scr" > /dev/null
printf '%-26s %10s %10s %8s\n' "work (CPU s)" "ezdxf" "lintaro" "ratio"
for n in "${sizes[@]}"; do
    python3=/usr/bin/python3
    e_make=$("$python3" "$here/ezdxf_chains.py" make "$n" "$work/chains.dxf")
    l_make=$("$python3" "$here/chain_runs.py" "$lintaro" --make-only "$n" --keep "$work/chains.dwg")
    e_read=$("$python3" "$here/ezdxf_chains.py" read "$work/chains.dxf")
    l_read=$("$python3" "$here/chain_runs.py" "$lintaro" --read-only "$work/chains.dwg")
    segs=$((n * 9))
    printf '%-26s %10s %10s %8s\n' "make $n chains + save" "$e_make" "$l_make" \
        "$(awk -v a="$e_make" -v b="$l_make" 'BEGIN { printf "%.1fx", (b > 0 ? a / b : 0) }')"
    printf '%-26s %10s %10s %8s\n' "read back $n" "$e_read" "$l_read" \
        "$(awk -v a="$e_read" -v b="$l_read" 'BEGIN { printf "%.1fx", (b > 0 ? a / b : 0) }')"
    printf '%-26s %10s %10s %8s\n' "file bytes per segment" \
        "$(( $(stat -c %s "$work/chains.dxf") / segs ))" "$(( $(stat -c %s "$work/chains.dwg") / segs ))" \
        "$(awk -v a="$(stat -c %s "$work/chains.dxf")" -v b="$(stat -c %s "$work/chains.dwg")" \
            'BEGIN { printf "%.1fx", a / b }')"
done
echo "ratio: ezdxf's figure over lintaro's (above 1: lintaro needs less)"
