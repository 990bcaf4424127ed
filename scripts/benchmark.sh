#!/usr/bin/env bash
# Builds the benchmark without sanitizers and fills a data file of the given size
# (MiB, default 1024) in the given folder (default: a fresh one under build/).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/benchmark -G Ninja -DCMAKE_BUILD_TYPE=Release -DZQ_BENCHMARK=ON >/dev/null
cmake --build build/benchmark -j "$(nproc)"
folder=${2:-build/benchmark/data}
mkdir -p "$folder"
build/benchmark/WriterBenchmark "$folder" "${1:-1024}"
