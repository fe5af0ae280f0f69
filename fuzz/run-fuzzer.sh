#!/bin/sh
# run-fuzzer.sh BINARY SEED_CORPUS WORK_DIR SECONDS
# Fuzzes from a fresh copy of the seed corpus so the tree's seeds stay as committed.
set -eu
binary=$1 seeds=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work"
cp -r "$seeds"/. "$work"/
exec "$binary" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 "$work"
