#!/usr/bin/env bash
# Builds Lorvane with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitizers/
# (override with BUILD_DIR) and runs every test there as scripts/test.sh does. A memory error, a
# leak or undefined behaviour ends the program that has it with exit code 86, so its test fails;
# that code also tells a sanitizer's finding in lorvane-cli, run by a test as a child, from the
# program's own failures. libstdc++'s assertions are on too: they catch an empty std::optional or
# an index past a vector's end, which the sanitizers can miss.
#
# Arguments go to the build's configuration, e.g. -DCMAKE_CXX_COMPILER_LAUNCHER=ccache.
# It builds everything a second time, so it is not part of CI; run it before resolving a change
# to memory-heavy code.
set -euo pipefail
cd "$(dirname "$0")/.."

flags="-fsanitize=address,undefined -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS"
# The caller's own options come last, so they win.
export ASAN_OPTIONS="detect_leaks=1:exitcode=86${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=86${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

# Sanitized code runs a few times slower than the ordinary build.
export TEST_TIMEOUT=${TEST_TIMEOUT:-900}

BUILD_DIR=${BUILD_DIR:-build-sanitizers} bash scripts/test.sh \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_FLAGS="$flags" "$@"
