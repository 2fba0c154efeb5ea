#!/usr/bin/env bash
# Installs the Debian packages Zenolune needs, only those that are missing.
# Usage: scripts/deps.sh build|test|run|check ...
set -euo pipefail

BUILD_PACKAGES=(g++ make cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev fonts-liberation
                libnova-dev libgsl-dev libcsv-dev qt6-tools-dev qt6-l10n-tools gzip)
TEST_PACKAGES=(libgtest-dev libgmock-dev googletest libbenchmark-dev)
RUN_PACKAGES=(libqt6widgets6 libqt6gui6 libqt6svg6 libqt6printsupport6 qt6-qpa-plugins fonts-liberation libnova-0.16-0
              qt6-translations-l10n libgsl27 libgslcblas0 libcsv3)
CHECK_PACKAGES=(clang libclang-rt-14-dev xvfb xauth dpkg-dev lintian desktop-file-utils appstream man-db)

wanted=()
for group in "$@"; do
    case "$group" in
        build) wanted+=("${BUILD_PACKAGES[@]}") ;;
        test) wanted+=("${TEST_PACKAGES[@]}") ;;
        run) wanted+=("${RUN_PACKAGES[@]}") ;;
        check) wanted+=("${CHECK_PACKAGES[@]}") ;;
        *) wanted+=("$group") ;;
    esac
done

missing=()
for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    echo "Installation des paquets manquants : ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
