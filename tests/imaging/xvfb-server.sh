#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts or stops the X server the screen capture tests run against: an
# Xvfb of 640 × 480 at 24 bits on a display it picks free itself.
#   xvfb-server.sh start STATE   writes "display=:N pid=P" to STATE, or
#                                "skip: why" when no X server can be started
#   xvfb-server.sh stop STATE    stops the server
set -euo pipefail
action=${1:?start or stop}
state=${2:?state file}

case "$action" in
start)
  # A server left by an interrupted run goes first.
  if grep -q '^display=' "$state" 2>/dev/null; then "$0" stop "$state"; fi
  if ! command -v Xvfb >/dev/null; then
    echo "skip: Xvfb not found (package xvfb)" >"$state"
    cat "$state"
    exit 0
  fi
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/vandrel-xvfb.XXXXXX")
  mkfifo "$fifo"
  setsid Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  pid=$!
  display=$(timeout 10 head -n 1 "$fifo" || true)
  rm -f "$fifo"
  if [ -z "$display" ] || ! kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    echo "skip: Xvfb did not start" >"$state"
    cat "$state"
    exit 0
  fi
  echo "display=:$display pid=$pid" >"$state"
  echo "Xvfb started on :$display"
  ;;
stop)
  [ -f "$state" ] || exit 0
  pid=$(sed -n 's/.* pid=\([0-9]*\).*/\1/p' "$state")
  rm -f "$state"
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  ;;
esac
