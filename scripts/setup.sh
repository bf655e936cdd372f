#!/usr/bin/env bash
# Installs what building the suite needs and this machine lacks (Debian
# packages): a C++ compiler, CMake, GoogleTest and GSL. With --tests, also
# strace, which the tests use to send a signal at an exact system call of a
# program.
set -euo pipefail

missing=()
command -v g++ >/dev/null 2>&1 || missing+=(g++)
command -v cmake >/dev/null 2>&1 || missing+=(cmake)
command -v make >/dev/null 2>&1 || missing+=(make)
[ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
[ -f /usr/include/gsl/gsl_eigen.h ] || missing+=(libgsl-dev)
if [ "${1:-}" = "--tests" ]; then
  command -v strace >/dev/null 2>&1 || missing+=(strace)
fi

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    sudo=""
  elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
  else
    # Neither root nor sudo: nothing can be installed from here.
    {
      echo "This machine lacks: ${missing[*]}"
      echo "Install them as root (this user has no sudo), then run this script again:"
      echo "  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y ${missing[*]}"
    } >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
