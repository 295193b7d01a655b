#!/usr/bin/env bash
# Runs some tests of a test program from an empty folder, as a developer who
# starts it from the source tree would, and checks that they leave nothing
# there: what a test writes by a bare name belongs in the build.
# usage: check_run_leaves_nothing.sh <test program> <gtest filter>
set -euo pipefail
program=$1
filter=$2
started=$(mktemp -d)
trap 'rm -rf "$started"' EXIT
cd "$started"
wine "$program" --gtest_brief=1 --gtest_filter="$filter" </dev/null
left=$(find . -mindepth 1 | sort)
if [ -n "$left" ]; then
  echo "the run left files where it was started:"
  echo "$left"
  exit 1
fi
echo "nothing left where the run was started"
