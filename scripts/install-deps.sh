#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when missing.
set -euo pipefail

missing=()
need() { # need <package> <test command...>
  local pkg=$1; shift
  if ! "$@" >/dev/null 2>&1; then missing+=("$pkg"); fi
}
need cmake            command -v cmake
need g++              command -v g++
need ninja-build      command -v ninja
need googletest       test -d /usr/src/googletest
need libgtest-dev     test -f /usr/include/gtest/gtest.h
need libgmock-dev     test -f /usr/include/gmock/gmock.h
need libbenchmark-dev test -f /usr/include/benchmark/benchmark.h
need libglu1-mesa-dev test -f /usr/include/GL/glu.h
need python3-ezdxf    /usr/bin/python3 -c 'import ezdxf'
need python3-shapely  /usr/bin/python3 -c 'import shapely'
need ccache           command -v ccache

if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" != 0 ]; then sudo=sudo; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
