#!/usr/bin/env bash
# Not a test: the fill on four cards against dd on the same card, in the same run,
# alternating, ZQ_ROUNDS (default 3) rounds, medians: a card of 1 MB/s and one of
# 5 MB/s (ext4), a cheap card of 20 MB/s that takes 200 write requests a second (ext2:
# no journal, its own blocks written in place as on FAT) and a fast one (ext4, no
# limit). Root only: loop devices on a tmpfs, held by the cgroup v1 blkio throttle (see
# scripts/card.sh).
# Each round writes the same bytes with `dd bs=1M conv=fsync`, with the dialog (F2 until
# the button comes back, driven by GuiDriver under Wine, which asks the dialog every
# 5 ms meanwhile) and with the command line, each followed by a timed sync; "requests"
# are the write requests the card took for it, the sync included. Then once per card
# (but the fast one, which a file does not last on) F2 and Escape while a file fills
# (GuiDriver --interrupt): ms until the button is back with the file flushed and closed,
# and until the window has gone.
#   gui-benchmark.sh
# ZQ_BUILD: the Windows build (default build/windows); ZQ_CLI: the command line to run
# natively (default build/release/zq347cli, built if missing). ZQ_BEFORE: another
# Windows build whose dialog is measured alongside ("before"), ZQ_BEFORE_CLI its command
# line, in the first ZQ_BEFORE_ROUNDS (default 1) rounds: a fill that collapses takes
# minutes. ZQ_CARDS: a pattern of the cards to measure ("1MB/s|cheap").
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${ZQ_BUILD:-build/windows}
rounds=${ZQ_ROUNDS:-3}
cli=${ZQ_CLI:-build/release/zq347cli}

if [[ ${ZQ_GUI_BENCHMARK_INNER:-} != 1 ]]; then
  scripts/setup.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
  cmake --build "$build" -j "$(nproc)" --target ZQ347Fill GuiDriver
  if [[ -z ${ZQ_CLI:-} ]]; then
    cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build/release -j "$(nproc)" --target zq347cli
  fi
  status=0
  ZQ_GUI_BENCHMARK_INNER=1 scripts/with-xvfb.sh "$0" "$@" || status=$?
  WINEPREFIX=$root/$build/wineprefix wineserver -k 2>/dev/null || true
  exit "$status"
fi

source scripts/card.sh
card_require throttle
results=$(mktemp)
trap 'card_remove 2>/dev/null || true; rm -f "$results"' EXIT
prefix=$root/$build/wineprefix
windows() { echo "Z:${1//\//\\}"; }
run() { scripts/wine-run.sh "$prefix" "$@"; }
program() { windows "$(cd "$1" && pwd)/ZQ347Fill.exe"; }
now() { date +%s.%N; }
since() { awk "BEGIN { printf \"%.3f\", $(now) - $1 }"; }

# One measure on the card: $1 card, $2 label, $3 MiB, then the command; prints
# "card label seconds requests sync [rest]", where the command prints its seconds and
# the rest itself, or nothing to be timed from outside.
measure() {
  local card=$1 label=$2 mib=$3
  shift 3
  local requests start line seconds synced
  sync
  requests=$(card_requests)
  start=$(now)
  line=$("$@" | tr -d '\r')
  seconds=$(since "$start")
  start=$(now)
  sync
  synced=$(since "$start")
  local bytes
  bytes=$(stat -c %s "$card_dir"/*.VDF "$card_dir"/dd.bin 2>/dev/null | head -1 || true)
  if ((${bytes:-0} < mib * 1048576)); then
    echo "$card $label: the file has ${bytes:-no} bytes" >&2
    exit 1
  fi
  rm -f "$card_dir"/*.VDF "$card_dir"/dd.bin
  [[ -z $line ]] || read -r seconds line <<<"$line"
  echo "$card $label $seconds $(($(card_requests) - requests)) $synced $line" | tee -a "$results"
}

dd_fill() { dd if=/dev/zero of="$card_dir/dd.bin" bs=1M count="$1" conv=fsync status=none; }
dialog_fill() {  # $1 build, $2 MiB
  write_choices "$card_dir" "$2" 0 1 0
  run "$build/GuiDriver.exe" "$(program "$1")" "$(windows "$card_dir")" 2>/dev/null
}
cli_fill() {  # $1 command line, $2 MiB
  "$1" write --settings-dir "$card_dir" --fresh --channel 1=+-10V --size "$(($2 / 2))M" >/dev/null
}
interrupt() {  # $1 card, $2 label, $3 build, $4 MiB
  write_choices "$card_dir" "$4" 0 1 0
  echo "$1 $2 $(run "$build/GuiDriver.exe" "$(program "$3")" "$(windows "$card_dir")" \
    --interrupt 2>/dev/null | tr -d '\r')" | tee -a "$results"
  rm -f "$card_dir"/*.VDF
}

run "$build/GuiDriver.exe" >/dev/null 2>&1 || true # starts Wine before the first measure
# card, MiB, bytes/s, requests/s, file system, MiB that last through --interrupt
cards=("1MB/s 8 1048576 0 ext4 16" "5MB/s 32 5242880 0 ext4 64"
  "cheap 32 20971520 200 ext2 160" "fast 256 0 0 ext4 0")
for entry in "${cards[@]}"; do
  read -r card mib bps iops fs last <<<"$entry"
  [[ $card =~ ${ZQ_CARDS:-.} ]] || continue
  card_make 1024 1100 "$bps" "$iops" "$fs" || exit 1
  for ((round = 1; round <= rounds; round++)); do
    measure "$card" dd "$mib" dd_fill "$mib"
    measure "$card" dialog "$mib" dialog_fill "$build" "$mib"
    measure "$card" cli "$mib" cli_fill "$cli" "$mib"
    if [[ -n ${ZQ_BEFORE:-} ]] && ((round <= ${ZQ_BEFORE_ROUNDS:-1})); then
      measure "$card" dialog-before "$mib" dialog_fill "$ZQ_BEFORE" "$mib"
      measure "$card" cli-before "$mib" cli_fill "$ZQ_BEFORE_CLI" "$mib"
    fi
  done
  if ((last > 0)); then
    interrupt "$card" stop "$build" "$last"
    [[ -z ${ZQ_BEFORE:-} ]] || interrupt "$card" stop-before "$ZQ_BEFORE" "$last"
  fi
  card_remove
done

python3 - "$results" <<'PY'
import statistics, sys
rows = [line.split() for line in open(sys.argv[1])]
cards = list(dict.fromkeys(r[0] for r in rows))
print("\nmedians; of dd: dd's time / this time; requests: write requests the card took;")
print("sync: the sync after the button came back; answers: the dialog's, median / worst ms")
print(f"{'card':7} {'':14} {'seconds':>8} {'of dd':>6} {'requests':>8} {'sync s':>7} {'answers':>14}")
for card in cards:
    dd = statistics.median(float(r[2]) for r in rows if r[0] == card and r[1] == "dd")
    for label in ("dd", "dialog", "cli", "dialog-before", "cli-before"):
        runs = [r for r in rows if r[0] == card and r[1] == label]
        if not runs:
            continue
        s = statistics.median(float(r[2]) for r in runs)
        req = statistics.median(int(r[3]) for r in runs)
        sync = statistics.median(float(r[4]) for r in runs)
        answers = [float(a) for r in runs for a in r[7:]] if label.startswith("dialog") else []
        shown = f"{statistics.median(answers):6.2f} / {max(answers):6.1f}" if answers else ""
        print(f"{card:7} {label:14} {s:8.3f} {dd / s:6.0%} {req:8.0f} {sync:7.3f} {shown:>14}")
    for r in rows:
        if r[0] == card and r[1].startswith("stop"):
            print(f"{card:7} {r[1]:14} F2 and Escape while filling, ms: {' '.join(r[2:])}")
PY
