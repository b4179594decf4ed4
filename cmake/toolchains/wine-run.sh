#!/bin/sh
# Runs a Windows program under Wine for CTest: wine-run.sh WINE PROGRAM [ARGS...]
# The program's output goes through a file, not through CTest's pipe, and is
# printed when the program has ended. Processes that Wine or COM start on the
# program's behalf (the prefix's desktop process, an out-of-process server
# launched for it) inherit its output handles and may outlive it; holding
# CTest's pipe open, they would keep CTest waiting until its time-out.
wine=$1
shift
# A suite that must not meet what an earlier program left in the prefix (the
# out-of-process server and the provider objects Wine keeps alive in it) asks
# for the prefix's processes to be ended first.
if [ -n "${TOVIK_WINE_RESTART:-}" ]; then
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
fi
out=$(mktemp) || exit 1
"$wine" "$@" >"$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
exit $status
