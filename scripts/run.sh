#!/bin/sh
# Starts Lodex on the sample database from the given build folder.
set -eu
build=${1:-build}
exec "$build/bin/lodex" examples/sample.ldx
