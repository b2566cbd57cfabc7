#!/usr/bin/env bash
# Installs what is missing, builds Tillano, prepares a demo shop with
# simulated devices when no settings exist yet, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-dependencies.sh
scripts/build.sh

settings="${TILLANO_SETTINGS:-${XDG_CONFIG_HOME:-$HOME/.config}/tillano/settings.ini}"
demo_dir="${TILLANO_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/tillano-demo}"
if [ ! -f "$settings" ]; then
  if [ -f "$demo_dir/posdb.sqlite3" ]; then
    # The demo shop of an earlier run: its sales and totals are kept.
    build/bin/tillano-setup --settings "$settings" --demo --existing "$demo_dir"
  else
    build/bin/tillano-setup --settings "$settings" --demo "$demo_dir"
  fi
  echo "Demo shop ready: manager code 1, cashier 2, training cashier 9."
  echo "Receipts print to $demo_dir/receipt-printer.txt"
fi

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "demo.sh: Tillano is a graphical program; run it from a desktop session." >&2
  exit 1
fi

# Tillano looks for its tips and help page in its working directory and
# writes the export journal there: run it from the demo directory.
work_dir="$demo_dir"
[ -d "$work_dir" ] || work_dir="$(mktemp -d)"
cp -r data/Tips.txt data/trucs.txt data/doc "$work_dir"/
cd "$work_dir"
exec "$OLDPWD/build/bin/tillano" --settings "$settings"
