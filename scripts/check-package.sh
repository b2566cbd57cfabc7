#!/usr/bin/env bash
# Checks the package that scripts/package.sh made, as a shop PC gets it:
# lintian finds no error; it installs with apt-get; the installed
# tillano-setup prepares a demo shop in a temporary directory; the installed
# tillano, started as its desktop entry says, goes up to the sign-in with the
# tips from /usr/share/tillano; without settings it says how to prepare a
# shop; and it removes cleanly. The package is removed again whatever happens.
# Usage: scripts/check-package.sh [PACKAGE.deb]   (default: the one in build/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh lintian
shopt -s nullglob
debs=("${1:-build/tillano_*.deb}")
[ "$#" -gt 0 ] || debs=(build/tillano_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] \
  || { echo "check-package: expected one package, found: ${debs[*]:-none}" >&2; exit 1; }
deb=$(realpath "${debs[0]}")
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
fail() { echo "check-package: $*" >&2; exit 1; }

echo "== lintian"
lintian -I --fail-on error "$deb"

echo "== contents"
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/tillano ./usr/bin/tillano-setup ./usr/bin/tillano-server ./usr/bin/tillano-sync \
         ./usr/share/man/man1/tillano-server.1.gz ./usr/share/man/man1/tillano-sync.1.gz ./usr/share/tillano/Tips.txt ./usr/share/tillano/trucs.txt \
         ./usr/share/tillano/doc/Tillano.htm ./usr/share/applications/tillano.desktop \
         ./usr/share/icons/hicolor/scalable/apps/tillano.svg ./usr/share/man/man1/tillano.1.gz \
         ./usr/share/man/man1/tillano-setup.1.gz ./usr/share/doc/tillano/copyright; do
  grep -qx -- "$f" <<<"$contents" || fail "$f is not in the package"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6sql6-sqlite' || fail "no dependency on the Qt SQLite plugin"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6sql6-psql' || fail "no dependency on the Qt PostgreSQL plugin"

# One check at a time on this machine, and never over a Tillano installed
# for real: that one is not ours to remove.
exec 9>/tmp/tillano-check-package.lock
flock -w 900 9 || fail "another package check is still running"
installed() { dpkg-query -W -f='${Status}' tillano 2>/dev/null | grep -qx 'install ok installed'; }
if installed; then
  fail "tillano is already installed here; remove it first (dpkg -r tillano)"
fi
work=$(mktemp -d /tmp/tillano-check-package.XXXXXX)
remove() {
  "${sudo_cmd[@]}" dpkg -r tillano >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap remove EXIT

echo "== install"
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq -o DPkg::Lock::Timeout=300 \
  --no-install-recommends "$deb"

echo "== a demo shop and a start from the installed files"
# A user of its own: settings in the default place under a home of its own.
export QT_QPA_PLATFORM=offscreen HOME="$work/shopkeeper"
unset TILLANO_SETTINGS XDG_CONFIG_HOME
mkdir "$HOME"
cd "$HOME"
/usr/bin/tillano-setup --demo "$HOME/tillano-demo"
# The desktop entry's own command line, from the working directory a menu
# gives (the home directory); the tips come from the installed share dir.
read -r -a exec_line < <(sed -n 's/^Exec=//p' /usr/share/applications/tillano.desktop)
[ "${exec_line[0]}" = tillano ] || fail "unexpected Exec line: ${exec_line[*]}"
PATH=/usr/bin:/bin "${exec_line[@]}" --check-start-up >start.out
cat start.out
[ "$(cat start.out)" = "$(printf '%s\n' 'window: TTipsDlg "Tips" /usr/share/tillano/Tips.txt' \
                                       'window: TPasswordDlg "Cashier login"')" ] \
  || fail "the installed tillano did not start up to the sign-in with the installed tips"

echo "== a first start without settings"
export HOME="$work/newcomer"
mkdir "$HOME"
cd "$HOME"
status=0
/usr/bin/tillano --in-data-directory --check-start-up >first.out || status=$?
cat first.out
[ "$status" -eq 1 ] || fail "a start without settings ended with $status"
grep -qx "message: Tillano has no shop yet: there is no settings file $HOME/.config/tillano/settings.ini." first.out \
  && grep -qx '    tillano-setup --demo ~/tillano-demo' first.out \
  && grep -qx '    tillano-setup --manager CODE ~/tillano' first.out \
  || fail "a start without settings did not say how to prepare a shop"
[ ! -e "$HOME/.config" ] || fail "a start without settings wrote settings"
cd /

echo "== remove"
"${sudo_cmd[@]}" dpkg -r tillano
! installed || fail "tillano is still installed"
for f in /usr/bin/tillano /usr/bin/tillano-setup /usr/share/tillano /usr/share/applications/tillano.desktop; do
  [ ! -e "$f" ] || fail "$f is left after removal"
done
echo "check-package: all checks passed"
