#!/bin/sh
# Runs a gtest executable inside a Wine virtual desktop (where full-screen
# display modes can be set) and passes or fails by its XML report, since the
# desktop's explorer does not hand the program's exit code back.
#   run_in_desktop.sh PROGRAM.exe [gtest arguments...]
here=$(cd "$(dirname "$0")" && pwd)
program=$1
shift
report=$(mktemp /tmp/mu_desktop_XXXXXX.xml)
rm -f "$report"
"$here/../../cmake/wine-run.sh" explorer /desktop=muTest,1024x768 "$program" \
  --gtest_output="xml:Z:$(echo "$report" | tr / '\\')" "$@"
if [ ! -s "$report" ]; then
  echo "run_in_desktop: no test report from $program"
  exit 1
fi
summary=$(grep -m1 '<testsuites' "$report")
rm -f "$report"
echo "$summary"
echo "$summary" | grep -q ' failures="0"' && echo "$summary" | grep -q ' errors="0"' \
  && ! echo "$summary" | grep -q ' tests="0"'
