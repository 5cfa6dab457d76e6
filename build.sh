#!/usr/bin/env bash
# Installs what this Debian machine lacks, builds Capter, and runs it or its
# tests.  ./build.sh run | ./build.sh test | ./build.sh build
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(g++ clang libclang-rt-14-dev cmake ninja-build pkg-config qt6-base-dev libgl-dev
          libjpeg62-turbo-dev libpng-dev libgtest-dev libgmock-dev libbenchmark-dev
          ffmpeg dvdauthor xvfb xauth imagemagick xdotool)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

configure_and_build() {  # folder, cmake options...
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir"
}

run_tests() {  # folder
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

# Every fuzzer built with clang and run briefly, so a parser change that
# breaks its fuzzer (or crashes at once) fails the run. A fuzzer starts from
# its seeds in tests/fuzz/seeds/<name>/ when it has any (copied, since
# libFuzzer adds what it finds to its first folder), else from nothing.
# Long fuzzing sessions are run by hand (README).
fuzz_smoke() {
  CXX=clang++ configure_and_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCAPTER_FUZZ=ON \
    -DCAPTER_GUI=OFF -DCAPTER_TESTS=OFF -DCAPTER_BENCH=OFF
  local passed=0 failed=0
  for fuzzer in build/fuzz/tests/fuzz/*_fuzzer; do
    local name corpus=()
    name=$(basename "$fuzzer")
    if [ -d "tests/fuzz/seeds/$name" ]; then
      rm -rf "build/fuzz/corpus/$name"
      mkdir -p build/fuzz/corpus
      cp -r "tests/fuzz/seeds/$name" "build/fuzz/corpus/$name"
      corpus=("build/fuzz/corpus/$name")
    fi
    if "$fuzzer" -runs=20000 -max_total_time=30 "${corpus[@]}" >"$fuzzer.log" 2>&1; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1))
      echo "FUZZ FAILED: $fuzzer"
      tail -40 "$fuzzer.log"
    fi
  done
  echo "Fuzz smoke run: $passed fuzzers ran without a finding, $failed with one."
  ((failed == 0))
}

case "${1:-}" in
  run)
    install_missing
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release
    exec build/release/capter
    ;;
  build)
    install_missing
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release
    ;;
  test)
    install_missing
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DCAPTER_WERROR=ON
    run_tests build/release
    fuzz_smoke
    # The same suite once more under AddressSanitizer and UBSan, windows
    # included, so memory errors fail the run.
    configure_and_build build/asan -DCMAKE_BUILD_TYPE=Debug -DCAPTER_SANITIZE=ON \
      -DCAPTER_BENCH=OFF -DCAPTER_WERROR=ON
    run_tests build/asan
    ;;
  *)
    echo "usage: $0 run|build|test" >&2
    exit 2
    ;;
esac
