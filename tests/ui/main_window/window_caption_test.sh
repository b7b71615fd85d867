#!/bin/sh
# What the window system shows as the main window's caption: the real program
# under a virtual X server, its window name read back with xprop.
# Usage: window_caption_test.sh PATH_TO_varnel-monitor
set -eu
expected='KT90-Varnel Monitor (Конфигуратор) v.1.43 211222'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy beside its own settings: a private peer address and local port.
cp "$1" "$work/varnel-monitor"
printf '[NET]\r\nIP=127.0.0.184\r\nSRVPORT=23180\r\n[COMMON]\r\nAUTOFIND=0\r\n' >"$work/varnel-monitor.ini"

cat >"$work/look.sh" <<'LOOK'
#!/bin/sh
QT_QPA_PLATFORM=xcb "$1/varnel-monitor" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1 100); do
  id=$(xwininfo -root -tree | awk '/KT90-Varnel/ {print $1; exit}')
  [ -n "$id" ] && break
  sleep 0.1
done
[ -n "$id" ] && LC_ALL=C.UTF-8 xprop -id "$id" _NET_WM_NAME
kill "$pid"
LOOK
shown=$(xvfb-run -a sh "$work/look.sh" "$work" 2>&1 || true)
case "$shown" in
  "_NET_WM_NAME(UTF8_STRING) = \"$expected\"")
    echo "1 passed, 0 failed"
    ;;
  *)
    echo "window caption: expected \"$expected\", the window system shows: $shown" >&2
    echo "0 passed, 1 failed"
    exit 1
    ;;
esac
