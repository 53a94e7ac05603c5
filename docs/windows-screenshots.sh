#!/bin/sh
# Takes the screenshots of the Windows program under Wine, on an Xvfb display:
#   docs/windows-window.png       the window of the built-in run
#   docs/windows-message-box.png  the message box of the error stop
# Needs the Windows build (cmake --preset windows && cmake --build --preset windows) and the
# Debian packages wine, xvfb, xdotool and imagemagick. Run it from anywhere:
#   sh docs/windows-screenshots.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$root/build-windows/scenario_builder.exe
[ -f "$exe" ] || { echo "build the Windows program first: $exe is missing" >&2; exit 2; }

if [ "${1:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 640x480x24" sh "$0" --on-display
fi

export WINEPREFIX="$root/build-windows/wineprefix-x11" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wineboot --init >/dev/null 2>&1
# Xvfb has no window manager: Wine draws the title bars and frames itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

# The program started with nobody reading its error output shows its window and message
# boxes. The window only stays on the screen while the run works, so the run is made to stop
# part-way: a folder under the train card's name, and the window waits under the message box
# that reports it.
mkdir -p "$work/home" "$work/elsewhere" "$work/home/Roccalta_ Valfiorita_LINEA 7_scheda_treno.txt"
cp "$exe" "$work/home/"
(cd "$work/elsewhere" && wine "$work/home/scenario_builder.exe" </dev/null >/dev/null 2>&1) &
form=$(xdotool search --sync --onlyvisible --name '^Form1$' | head -n 1)
box=$(xdotool search --sync --onlyvisible --name '^scenario_builder$' | head -n 1)
# The box opens over the window: out of the way first.
xdotool windowmove "$box" 360 300
sleep 1
import -window "$form" "$root/docs/windows-window.png"
xdotool key --window "$box" Return
wait

# The error stop: a signal at 0 m lands in the header cell of the compiled track.
mkdir -p "$work/stop"
printf '[generale]\r\nlunghezza percorso, 3000\r\n[fine]\r\n' > "$work/stop/Prova_linea.txt"
printf '%s\r\n' '[generale]' 'velocita, 0, 30' 'aderenza, 0, 100' '[stazioni]' \
  'stazione, 1000, 22, 400, 0,0,0, 0,0,0, 0,0,0, 1, 12,0,0, PRIMA' \
  'segnale, 0, 2, 3, 0, 0, 0, 2, 2, 0, 0, 0' '[fine]' > "$work/stop/Prova_L1-.txt"
(cd "$work/stop" && wine "$exe" compile Prova L1 </dev/null >/dev/null 2>&1) &
box=$(xdotool search --sync --onlyvisible --name '^scenario_builder$' | head -n 1)
sleep 1
import -window "$box" "$root/docs/windows-message-box.png"
xdotool key --window "$box" Return
wait
echo "wrote docs/windows-window.png and docs/windows-message-box.png"
