#!/bin/bash
# Installs everything that building and testing zelk needs on Debian 12. Run as root; running it
# again changes nothing.
#   host tools and tests: cmake, ninja, g++, GoogleTest; benchmarks and fuzzers: Google Benchmark,
#   clang with its runtime; Windows builds: the mingw-w64 cross compilers; running the Windows
#   programs: Wine (64- and 32-bit) with a Chinese font.
set -euo pipefail

export DEBIAN_FRONTEND=noninteractive

# 32-bit Windows programs need the i386 Wine.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -q
apt-get install -y -q \
    cmake ninja-build g++ git locales clang-format \
    googletest libgtest-dev libgmock-dev libbenchmark-dev \
    clang libclang-rt-14-dev \
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 \
    wine wine64 wine32:i386 fonts-wqy-microhei \
    python3-pil

# Wine takes its ANSI code page from the locale: only zh_CN.UTF-8 gives code page 936 (GBK).
if ! locale -a | grep -qix 'zh_CN.utf8'; then
    if grep -q '^# *zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
        sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    fi
    locale-gen
fi
