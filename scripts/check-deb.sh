#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian and the desktop and
# AppStream validators, installs it with apt, checks its files and that every
# program starts, removes it again and checks that nothing of it is left.
# Run as root on Debian 12 (a throw-away machine or container is best).
# Usage: check-deb.sh [PACKAGE.deb]   (without one, scripts/make-deb.sh builds it)
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
deb=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."
[ -n "$deb" ] || deb=$(./scripts/make-deb.sh | tail -1)
echo "== package: $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== lintian (errors fail, warnings are listed)"
lintian --fail-on error --display-info "$deb" || fail "lintian reported errors"

echo "== install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
files=$(dpkg -L varnel-monitor)
for f in /usr/bin/varnel-monitor /usr/bin/varnel-sim /usr/lib/varnel-monitor/varnel-monitor \
  /usr/lib/varnel-monitor/sys/varnel-log-viewer /usr/share/applications/org.varnel.Monitor.desktop \
  /usr/share/metainfo/org.varnel.Monitor.metainfo.xml /usr/share/icons/hicolor/scalable/apps/org.varnel.Monitor.svg \
  /usr/share/icons/hicolor/48x48/apps/org.varnel.Monitor.png /usr/share/varnel-monitor/scenarios/demo.ini \
  /usr/share/varnel-monitor/wireshark/varnel.lua /usr/share/doc/varnel-monitor/copyright; do
  [ -e "$f" ] || fail "$f is not installed"
done
[ "$(readlink -f /usr/bin/varnel-monitor)" = /usr/lib/varnel-monitor/varnel-monitor ] || fail "varnel-monitor link"
if dpkg-deb -c "$deb" | grep Help.pdf >/dev/null; then
  [ -e /usr/lib/varnel-monitor/Help.pdf ] || fail "Help.pdf not installed"
else
  echo "note: this build made no Help.pdf (pandoc and weasyprint missing?)"
fi
desktop-file-validate /usr/share/applications/org.varnel.Monitor.desktop || fail "desktop entry"
appstreamcli validate --no-net /usr/share/metainfo/org.varnel.Monitor.metainfo.xml || fail "AppStream metadata"

echo "== programs start"
# An ordinary user, so the program folder is really read-only to it.
home=$(mktemp -d)
chown 65534:65534 "$home"
as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$home" XDG_RUNTIME_DIR="$home" \
  QT_QPA_PLATFORM=offscreen "$@"; }
varnel-sim --help | grep -q -- --scenario || fail "varnel-sim --help"
# The installed scenario, moved to an address of this check's own.
sed 's/^address=.*/address=127.0.0.129/' /usr/share/varnel-monitor/scenarios/small.ini >"$home/small.ini"
out=$(timeout --preserve-status 2 varnel-sim --scenario "$home/small.ini" --port 21129 --quiet) ||
  fail "varnel-sim did not serve the installed scenario"
grep -q root <<<"$out" || fail "varnel-sim printed no root: $out"
rc=0; as_user timeout 3 varnel-monitor || rc=$?
[ "$rc" = 124 ] || fail "varnel-monitor ended with $rc before it was stopped"
[ -d "$home/.config/varnel-monitor" ] || fail "no settings folder in the user's configuration folder"
printf 'x\n' >"$home/empty.log"
rc=0; as_user timeout 3 /usr/lib/varnel-monitor/sys/varnel-log-viewer "$home/empty.log" || rc=$?
[ "$rc" = 124 ] || fail "varnel-log-viewer ended with $rc before it was stopped"
[ -z "$(find /usr/lib/varnel-monitor -newer "$deb" -type f -name '*.ini')" ] || fail "a file was written beside the program"
rm -rf "$home"

echo "== remove"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq varnel-monitor >/dev/null
dpkg -s varnel-monitor >/dev/null 2>&1 && fail "still installed"
while read -r f; do
  [ -d "$f" ] && [ ! -L "$f" ] && continue  # shared folders such as /usr/share/icons stay
  [ -e "$f" ] || [ -L "$f" ] && fail "$f is left after removal"
done <<<"$files"
for d in /usr/lib/varnel-monitor /usr/share/varnel-monitor /usr/share/doc/varnel-monitor; do
  [ -e "$d" ] && fail "$d is left after removal"
done
echo "package installs, starts and removes cleanly"
