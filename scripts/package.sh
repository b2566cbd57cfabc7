#!/usr/bin/env bash
# Makes the Debian package build/tillano_VERSION_ARCH.deb out of the build
# that scripts/build.sh made: after test.sh nothing is compiled again, CPack
# only installs the built programs into its staging tree, strips them and
# computes the library dependencies.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh dpkg-dev file
scripts/build.sh
cd build
rm -f tillano_*.deb
cpack -G DEB
