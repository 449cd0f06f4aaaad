#!/usr/bin/env bash
# The long fuzz run: builds the "fuzz" preset (clang, ASan + UBSan, libFuzzer)
# and runs each target for SECONDS (default 3600), two at a time, keeping the
# corpora in build/fuzz/corpus for the next run. Exit status 1 on any finding;
# the inputs are in build/fuzz/findings, the logs in build/fuzz/logs.
# Usage: tools/fuzz/run-long.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-3600}

tools/install-deps.sh test
mkdir -p build/logs
cmake --preset fuzz >build/logs/configure-fuzz.log 2>&1
cmake --build --preset fuzz >build/logs/build-fuzz.log 2>&1
exec tools/fuzz/run-fuzzers.sh -j 2 smf:"$seconds" encoder:"$seconds" paths:"$seconds"
