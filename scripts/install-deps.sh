#!/usr/bin/env bash
# The one list of Debian packages Tessaro needs to build, test, run, fuzz and
# package (dpkg-dev and file let CPack read the run-time dependencies of the
# programs; desktop-file-utils checks the menu entry and, with shared-mime-info,
# updates the desktop's caches on `make install`; xdg-utils gives the
# xdg-open that shows the help pages in the desktop's browser; scdoc writes
# the manual pages; lintian, appstream and bash-completion check the package,
# its software-centre metadata and tessaro-cli's completion; mtools and
# dosfstools check the floppy images in the tests).
# Idempotent: installs only what is missing and says nothing when all is present.
set -euo pipefail

PACKAGES=(
  cmake
  ninja-build
  g++
  make
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  qt6-translations-l10n
  libgl-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  xvfb
  xauth
  x11-apps
  imagemagick
  clang
  libclang-rt-14-dev
  fonts-dejavu-core
  dpkg-dev
  file
  desktop-file-utils
  shared-mime-info
  xdg-utils
  scdoc
  lintian
  appstream
  bash-completion
  # independent FAT tools that judge the disk images Tessaro writes (tests)
  mtools
  dosfstools
  # an independent judge of the set-list PDFs (pdfinfo, pdftotext; tests)
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing missing packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
