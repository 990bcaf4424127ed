#!/usr/bin/env bash
# Not a test: fills a data file of the given size (MiB, default 1024) through the real
# dialog under Wine in the given folder (default: a fresh one under the build), with one
# A channel and with sixteen A channels in synchronous mode, and writes the same bytes
# with dd into the same folder, alternating, three rounds. Prints seconds, MB/s, the
# ratio to dd's median, the dialog's answer times while filling (each run, and all runs
# of a kind together) and the program's peak memory.
#   gui-benchmark.sh [MiB] [folder]
# ZQ_BUILD names the Windows build folder to use (default build/windows).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${ZQ_BUILD:-build/windows}
mib=${1:-1024}
folder=${2:-$build/gui-benchmark}
rounds=3

if [[ ${ZQ_GUI_BENCHMARK_INNER:-} != 1 ]]; then
  scripts/setup.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build "$build" -j "$(nproc)" --target ZQ347Fill GuiDriver
  status=0
  ZQ_GUI_BENCHMARK_INNER=1 scripts/with-xvfb.sh "$0" "$mib" "$folder" || status=$?
  WINEPREFIX=$root/$build/wineprefix wineserver -k 2>/dev/null || true
  exit "$status"
fi

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
windows_folder="Z:${folder//\//\\}"
prefix=$root/$build/wineprefix
program="Z:${root//\//\\}\\${build//\//\\}\\ZQ347Fill.exe"
run() { scripts/wine-run.sh "$prefix" "$@"; }

# The program's choices: one size entry for each channel count, giving $mib MiB.
samples_one=$((mib * 1024 * 1024 / 2))       # 512 bytes per 256 samples, one channel
samples_sixteen=$((mib * 1024 * 1024 / 64))  # 16 KiB per 256 samples, 16 A and 16 B
prepare() {  # $1: SizeIndex, $2: channels, $3: SynchroMode
  rm -f "$folder"/*.VDF "$folder"/dd.bin
  sed -e "/^SizeArray/,/[^\\\\]\$/c\\SizeArray = $samples_one, $samples_sixteen" \
    resources/ZQ347Fill.cfg >"$folder/ZQ347Fill.cfg"
  {
    printf 'FreqIndex   = 0\r\nSizeIndex   = %d\r\nFileNumber  = 0\r\n' "$1"
    printf 'SynchroMode = %d\r\nCycleMode   = 0\r\nZeroMul     = 0\r\nDigitalBIT0 = 0\r\n' "$3"
    for c in $(seq 1 16); do
      printf 'ChA%dIndex = %d\r\nChB%dIndex = %d\r\n' "$c" $((c <= $2 ? 2 : 0)) "$c" \
        $((c <= $2 && $3 == 1 ? 2 : 0))
    done
  } >"$folder/ZQ347Fill.sav"
}

fill() {  # $1: label, then the arguments of prepare
  local label=$1
  shift
  prepare "$@"
  local line
  line=$(run "$build/GuiDriver.exe" "$program" "$windows_folder" 2>/dev/null | tr -d '\r')
  local size
  size=$(stat -c %s "$folder"/*.VDF)
  if ((size != 512 + mib * 1024 * 1024)); then
    echo "the data file has $size bytes" >&2
    exit 1
  fi
  rm -f "$folder"/*.VDF
  echo "$label $line"
}

dd_run() {
  local start end
  start=$(date +%s.%N)
  dd if=/dev/zero of="$folder/dd.bin" bs=1M count="$mib" status=none
  end=$(date +%s.%N)
  rm -f "$folder/dd.bin"
  echo "dd $(awk "BEGIN { print $end - $start }")"
}

results=$(mktemp)
trap 'rm -f "$results"' EXIT
run "$build/GuiDriver.exe" >/dev/null 2>&1 || true  # starts Wine before the first measure
for ((round = 1; round <= rounds; round++)); do
  fill one 0 1 0 | tee -a "$results"
  dd_run | tee -a "$results"
  fill sixteen 1 16 1 | tee -a "$results"
  dd_run | tee -a "$results"
done

python3 - "$results" "$mib" <<'EOF'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
mb = int(sys.argv[2]) * 1048576 / 1e6
dd = statistics.median(float(r[1]) for r in rows if r[0] == "dd")
print(f"\n{mb:.0f} MB each; dd bs=1M: median {dd:.3f} s, {mb / dd:.0f} MB/s")
print("answer: a message round trip from another process while filling (ms);")
print("F2: the one that waited while F2 created the file and disabled the controls (ms)")
print(f"{'':16} {'seconds':>7} {'MB/s':>6} {'of dd':>6} {'median':>7} {'worst':>7} {'count':>5} "
      f"{'F2':>6} {'peak KiB':>8}")
for label in ("one", "sixteen"):
    runs = [r for r in rows if r[0] == label]
    pooled = []
    for r in runs:
        s = float(r[1])
        answers = [float(a) for a in r[4:]]
        pooled += answers
        print(f"{label:16} {s:7.3f} {mb / s:6.0f} {dd / s:6.0%} {statistics.median(answers):7.2f} "
              f"{max(answers):7.2f} {len(answers):5} {float(r[3]):6.1f} {r[2]:>8}")
    s = statistics.median(float(r[1]) for r in runs)
    print(f"{label + ' median':16} {s:7.3f} {mb / s:6.0f} {dd / s:6.0%} "
          f"{statistics.median(pooled):7.2f} {max(pooled):7.2f} {len(pooled):5}")
EOF
