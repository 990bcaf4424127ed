#!/usr/bin/env bash
# Not a test: fills a data file of the given size (MiB, default 1024) through the real
# dialog under Wine, with one A channel and with sixteen A channels in synchronous mode
# (16 KiB chunks), and writes the same number of bytes with a plain loop of 1 MiB
# writes from one buffer, flushed at its end (GuiDriver --plain, under Wine too),
# alternating, five rounds. Prints seconds, MB/s, the ratio to the plain loop's median,
# the dialog's answer times while filling (each run, and all runs of a kind together)
# and the program's peak memory.
# Run as root, it fills a memory file system of its own (tmpfs) unless a folder is
# given, and then also fills ZQ_SLOW_MIB (default 32) MiB onto a slow card (an ext4
# loop device held to 5 MB/s, see scripts/card.sh) and times the sync after it.
#   gui-benchmark.sh [MiB] [folder]
# ZQ_BUILD names the Windows build folder to use (default build/windows); ZQ_BEFORE
# another Windows build whose program is measured alongside, alternating ("before").
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${ZQ_BUILD:-build/windows}
mib=${1:-1024}
rounds=${ZQ_ROUNDS:-5}
slow_mib=${ZQ_SLOW_MIB:-32}

if [[ ${ZQ_GUI_BENCHMARK_INNER:-} != 1 ]]; then
  scripts/setup.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build "$build" -j "$(nproc)" --target ZQ347Fill GuiDriver
  status=0
  ZQ_GUI_BENCHMARK_INNER=1 scripts/with-xvfb.sh "$0" "$@" || status=$?
  WINEPREFIX=$root/$build/wineprefix wineserver -k 2>/dev/null || true
  exit "$status"
fi

source scripts/card.sh
memory=
cleanup() {
  card_remove 2>/dev/null || true
  if [[ -n $memory ]]; then
    umount "$memory" && rmdir "$memory"
  fi
  rm -f "${results:-}" "${results:-}.line"
}
trap cleanup EXIT
if [[ -n ${2:-} ]]; then
  folder=$2
elif [[ $(id -u) == 0 ]]; then
  memory=$(mktemp -d)
  mount -t tmpfs -o "size=$((mib + 64))M" zq347-benchmark "$memory"
  folder=$memory
else
  folder=$build/gui-benchmark
fi
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
prefix=$root/$build/wineprefix
windows() { echo "Z:${1//\//\\}"; }
run() { scripts/wine-run.sh "$prefix" "$@"; }
program() { windows "$(cd "$1" && pwd)/ZQ347Fill.exe"; }

fill() {  # $1: label, $2: build of the program, $3: folder, $4: MiB, then write_choices' rest
  local label=$1 from=$2 where=$3 size=$4
  shift 4
  write_choices "$where" "$size" "$@"
  local line
  line=$(run "$build/GuiDriver.exe" "$(program "$from")" "$(windows "$where")" 2>/dev/null |
    tr -d '\r')
  local bytes
  bytes=$(stat -c %s "$where"/*.VDF)
  if ((bytes != 512 + size * 1024 * 1024)); then
    echo "the data file has $bytes bytes" >&2
    exit 1
  fi
  [[ -n ${keep:-} ]] || rm -f "$where"/*.VDF
  echo "$label $line"
}

plain() {  # $1: label, $2: folder, $3: MiB
  local seconds
  seconds=$(run "$build/GuiDriver.exe" --plain "$(windows "$2/plain.bin")" "$3" | tr -d '\r')
  rm -f "$2/plain.bin"
  echo "$1 $seconds"
}

results=$(mktemp)
run "$build/GuiDriver.exe" >/dev/null 2>&1 || true # starts Wine before the first measure
for ((round = 1; round <= rounds; round++)); do
  plain plain "$folder" "$mib" | tee -a "$results"
  fill one "$build" "$folder" "$mib" 0 1 0 | tee -a "$results"
  plain plain "$folder" "$mib" | tee -a "$results"
  fill sixteen "$build" "$folder" "$mib" 1 16 1 | tee -a "$results"
  if [[ -n ${ZQ_BEFORE:-} ]]; then
    fill one-before "$ZQ_BEFORE" "$folder" "$mib" 0 1 0 | tee -a "$results"
    fill sixteen-before "$ZQ_BEFORE" "$folder" "$mib" 1 16 1 | tee -a "$results"
  fi
done

# The slow card: the fill, then what a sync still has to write.
slow() {  # $1: label, $2: build
  keep=1 fill "$1" "$2" "$card_dir" "$slow_mib" 0 1 0 >"$results.line"
  local start end sectors
  sectors=$(card_sectors)
  start=$(date +%s.%N)
  sync
  end=$(date +%s.%N)
  sectors=$(($(card_sectors) - sectors))
  rm -f "$card_dir"/*.VDF
  sync
  read -r label seconds rest <"$results.line"
  echo "$label $seconds $(awk "BEGIN { print $end - $start }") $sectors $rest" |
    tee -a "$results"
}
if ((slow_mib > 0)) && [[ $(id -u) == 0 && -w /sys/fs/cgroup/blkio/blkio.throttle.write_bps_device ]] &&
  card_make 256 320 5242880; then
  for ((round = 1; round <= 2; round++)); do
    slow slow-card "$build"
    [[ -n ${ZQ_BEFORE:-} ]] && slow slow-card-before "$ZQ_BEFORE"
    plain slow-plain "$card_dir" "$slow_mib" | tee -a "$results"
  done
  card_remove
fi

python3 - "$results" "$mib" "$slow_mib" <<'EOF'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
mb = int(sys.argv[2]) * 1048576 / 1e6
plain = statistics.median(float(r[1]) for r in rows if r[0] == "plain")
print(f"\n{mb:.0f} MB each; plain loop of 1 MiB writes and a flush: median {plain:.3f} s, "
      f"{mb / plain:.0f} MB/s")
print("answer: a message round trip from another process while filling (ms);")
print("F2: the one that waited while F2 created the file and disabled the controls (ms)")
print(f"{'':20} {'seconds':>7} {'MB/s':>6} {'of loop':>7} {'median':>7} {'worst':>7} "
      f"{'count':>5} {'F2':>6} {'peak KiB':>8}")
for label in ("one", "sixteen", "one-before", "sixteen-before"):
    runs = [r for r in rows if r[0] == label]
    if not runs:
        continue
    pooled = []
    for r in runs:
        s = float(r[1])
        answers = [float(a) for a in r[4:]]
        pooled += answers
        print(f"{label:20} {s:7.3f} {mb / s:6.0f} {plain / s:7.0%} "
              f"{statistics.median(answers):7.2f} {max(answers):7.2f} {len(answers):5} "
              f"{float(r[3]):6.1f} {r[2]:>8}")
    s = statistics.median(float(r[1]) for r in runs)
    print(f"{label + ' median':20} {s:7.3f} {mb / s:6.0f} {plain / s:7.0%} "
          f"{statistics.median(pooled):7.2f} {max(pooled):7.2f} {len(pooled):5}")
slow = [r for r in rows if r[0].startswith("slow")]
if slow:
    smb = int(sys.argv[3]) * 1048576 / 1e6
    print(f"\nslow card (5 MB/s), {smb:.0f} MB: fill until the button comes back, then sync")
    print(f"{'':20} {'fill s':>7} {'sync s':>7} {'synced':>8} {'median':>7} {'worst':>7} "
          f"{'count':>5}")
    for r in slow:
        if r[0] == "slow-plain":
            print(f"{r[0]:20} {float(r[1]):7.3f}   (flushed at its end)")
            continue
        answers = [float(a) for a in r[6:]]
        print(f"{r[0]:20} {float(r[1]):7.3f} {float(r[2]):7.3f} {int(r[3]) * 512 >> 10:>5} KiB "
              f"{statistics.median(answers):7.2f} {max(answers):7.2f} {len(answers):5}")
EOF
