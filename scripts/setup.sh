#!/usr/bin/env bash
# Installs, as root, the Debian packages that building and testing Quoria
# need, when they are missing. Extra package names may be passed as arguments.
set -euo pipefail

packages=(cmake ninja-build g++ pkgconf libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev libxml2-utils
    # The Python package, its tests and examples, on Debian's own interpreter.
    python3-dev python3-pybind11 pybind11-dev python3-numpy python3-pytest python3-setuptools python3-pip
    python3-tqdm python3-matplotlib python3-dask python3-distributed
    "$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages ${missing[*]}; run as root to install them" >&2
        exit 1
    fi
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
