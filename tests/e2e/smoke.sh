#!/usr/bin/env bash
# End-to-end: the built kelalbum in a real X server (Xvfb), a temporary home with a prepared
# settings file, keys pressed in the real window, the window title checked.
#   smoke.sh <kelalbum binary> <make-sample-archive script>
set -euo pipefail
programm=$1
archivskript=$2

for werkzeug in xvfb-run xdotool convert; do
    if ! command -v "$werkzeug" >/dev/null; then
        echo "SKIP: $werkzeug missing"
        exit 77
    fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/home/.local/share \
       XDG_CACHE_HOME=$tmp/home/.cache XDG_RUNTIME_DIR=$tmp/run TMPDIR=$tmp/tmp TZ=Europe/Berlin
mkdir -p "$XDG_CONFIG_HOME/tarnel/kelAlbum" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$TMPDIR"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

"$archivskript" "$tmp/Fotos" >/dev/null
export basis=$tmp/Fotos/
printf '[Tam_ParGlobal]\r\nED_GRUNDPFAD=%s\r\nED_GRUNDPFAD_Keys_00=%s;%s;\r\nED_EXPORTTOHTML_ENABLED=0\r\n[Tam_Main]\r\ncb_Jahre=%s2012\r\ncb_Tage=%s2012/20120315\r\n' \
    "$basis" "$basis" "$basis" "$basis" "$basis" > "$XDG_CONFIG_HOME/tarnel/kelAlbum/kelAlbum.ini"

cat > "$tmp/lauf.sh" <<'INNER'
#!/usr/bin/env bash
set -euo pipefail
programm=$1
"$programm" > "$TMPDIR/kelalbum.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
fenster=""
for _ in $(seq 1 100); do
    fenster=$(xdotool search --name '^kelAlbum \[9\.30\]' 2>/dev/null | head -n 1 || true)
    [[ -n $fenster ]] && break
    kill -0 "$pid" 2>/dev/null || { echo "kelalbum ended early"; cat "$TMPDIR/kelalbum.log"; exit 1; }
    sleep 0.2
done
[[ -n $fenster ]] || { echo "no window titled 'kelAlbum [9.30] ...'"; xdotool search --name . getwindowname %@ || true; exit 1; }
erster=$(xdotool getwindowname "$fenster")
echo "title: $erster"
[[ $erster == "kelAlbum [9.30] $basis"2012/20120315/* ]] || { echo "the remembered day is not shown"; exit 1; }
[[ $erster == *.JPG || $erster == *.jpg || $erster == *.jpeg ]] || { echo "the caption carries more than the photo's path"; exit 1; }

xdotool windowactivate --sync "$fenster" 2>/dev/null || xdotool windowfocus --sync "$fenster"
xdotool key --window "$fenster" space
zweiter=""
for _ in $(seq 1 50); do
    zweiter=$(xdotool getwindowname "$fenster")
    [[ $zweiter != "$erster" ]] && break
    sleep 0.1
done
echo "after Space: $zweiter"
[[ $zweiter != "$erster" && $zweiter == "kelAlbum [9.30] "* ]] || { echo "Space did not move to the next photo"; exit 1; }

xdotool key --window "$fenster" Escape 2>/dev/null || true
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then echo "Esc did not end the program"; kill "$pid"; exit 1; fi
wait "$pid" || true
grep -q 'cb_Tage=' "$XDG_CONFIG_HOME/tarnel/kelAlbum/kelAlbum.ini" || { echo "state not saved"; exit 1; }
echo "1 passed, 0 failed"
INNER
chmod +x "$tmp/lauf.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$tmp/lauf.sh" "$programm"
