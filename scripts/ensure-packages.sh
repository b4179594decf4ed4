#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, if any are missing.
set -euo pipefail
packages=(cmake ninja-build g++ make ccache libgtest-dev libgmock-dev libbenchmark-dev
          openjdk-17-jdk-headless junit5 libpicocli-java libgoogle-gson-java nlohmann-json3-dev clang
          libclang-rt-dev pkgconf)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
