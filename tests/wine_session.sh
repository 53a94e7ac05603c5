#!/bin/sh
# Starts or ends the Wine session that the tests of the Windows build run in (WINEPREFIX and the
# other Wine variables come from the caller).
#
# Wine's server, and the programs it starts with a prefix (services, the desktop), outlive the
# program that started them and keep the output they inherited open; CTest waits for the end of
# a test's output, so a test that happened to start them would last until they end. They are
# therefore started here, once, with none of CTest's output, and stay up until `stop`.
case "$1" in
  start)
    # A server that is already running is fine.
    wineserver -p </dev/null >/dev/null 2>&1 || true
    # Makes the prefix on first use (slow), then starts its services.
    wine wineboot --init </dev/null >/dev/null 2>&1
    ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
