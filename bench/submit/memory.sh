#!/usr/bin/env bash
# The submission runs' memory rows (submission_memory_bench.cpp): starts the three stand-in
# services it runs against, each in a process of its own (one answering "Success", one that never
# answers, one that drops every connection), runs the benchmark in BIN and prints its rows.
# Runs inside a Wine environment made already (scripts/wine-env.sh); OUT keeps the port files.
#   bench/submit/memory.sh BIN OUT [RUNS]
set -euo pipefail
bin="$1" out="$2" runs="${3:-100}"
mkdir -p "$out"
service_pids=()
trap 'for pid in "${service_pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT

# Starts a service with the given options and prints the port it listens on.
start_service() {
  local name="$1"
  shift
  rm -f "$out/$name.port"
  wine "$bin/stand_in_service.exe" "$@" --port-file "$(winepath -w "$out/$name.port")" </dev/null >/dev/null 2>&1 &
  service_pids+=($!)
}
start_service answering --answer Success
start_service silent --never-answer
start_service dropping --drop
port() {
  for _ in $(seq 1 100); do [[ -s "$out/$1.port" ]] && break; sleep 0.2; done
  tr -d '\r\n' <"$out/$1.port"
}
ports=("$(port answering)" "$(port silent)" "$(port dropping)")
cd "$bin"
wine submission_memory_bench.exe "${ports[@]}" "$runs" </dev/null 2>/dev/null
