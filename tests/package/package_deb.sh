#!/usr/bin/env bash
# The .deb as a user gets it: built once by CPack from this build tree, checked by
# desktop-file-validate, appstreamcli and lintian (errors fail, warnings are shown), installed
# with dpkg into a throw-away root (never the machine's own), and run from there: the
# installed fvctl answers --help with only the package's files, and a file opened through the
# installed menu entry's Exec line reaches the installed client that already runs.
# Usage: package_deb.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
for tool in cpack dpkg dpkg-deb desktop-file-validate appstreamcli lintian; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/ensure-deps.sh installs it), so the" \
             "package cannot be built or checked"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "== building the package"
(cd "$build" && cpack -G DEB -B "$work/pkg" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack could not build the package"; }
deb=$(ls "$work"/pkg/ferrovane_*.deb)
dpkg-deb -I "$deb" control
depends=$(dpkg-deb -f "$deb" Depends)
# The libraries the programs link come from dpkg-shlibdeps, not from a hand-kept list.
for lib in libqt6widgets6 libcurl4 libsmbclient libpugixml1v5 libssl3; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# apt resolves the dependencies as it would on install; --simulate changes nothing here.
if command -v apt-get >/dev/null; then
    apt-get install --simulate -q -o Debug::NoLocking=true "$deb" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log"; fail "apt cannot resolve the package's dependencies"; }
fi

echo "== installing into a throw-away root"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status"
# The root holds no other package, so the libraries it depends on are the machine's own.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    command -v fakeroot >/dev/null || {
        echo "SKIP: not root and fakeroot is not installed, so dpkg cannot install into a root"
        exit 77
    }
    as_root=(fakeroot)
fi
"${as_root[@]}" dpkg --root="$root" --log=/dev/null --force-depends --force-not-root \
    --force-script-chrootless -i "$deb" \
    >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg could not install the package"; }
status=$(dpkg-query --admindir="$root/var/lib/dpkg" -W -f='${Status}' ferrovane)
[ "$status" = "install ok installed" ] || fail "the package's state in the root is: $status"

usr=$root/usr
desktop=$usr/share/applications/com.ferrovane.Ferrovane.desktop
for f in bin/ferrovane bin/fvctl bin/fv-routersim share/ferrovane/FV2Lang.ini \
         share/metainfo/com.ferrovane.Ferrovane.metainfo.xml \
         share/mime/packages/com.ferrovane.Ferrovane.xml \
         share/icons/hicolor/scalable/apps/com.ferrovane.Ferrovane.svg \
         share/icons/hicolor/48x48/apps/com.ferrovane.Ferrovane.png \
         share/icons/hicolor/256x256/apps/com.ferrovane.Ferrovane.png \
         share/doc/ferrovane/copyright share/applications/com.ferrovane.Ferrovane.desktop \
         share/man/man1/ferrovane.1.gz share/man/man1/fvctl.1.gz; do
    [ -e "$usr/$f" ] || fail "the package does not install usr/$f"
done

echo "== desktop-file-validate, appstreamcli, lintian"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
appstreamcli validate --no-net "$usr/share/metainfo/com.ferrovane.Ferrovane.metainfo.xml" ||
    fail "appstreamcli rejects the metainfo"
grep -q '^MimeType=.*application/x-bittorrent;' "$desktop" || fail "no torrent type in the entry"
grep -q '^MimeType=.*application/x-nzb;' "$desktop" || fail "no NZB type in the entry"
lint_rc=0
lint=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1) || lint_rc=$?
grep -v 'root privileges' <<<"$lint" || true
[ "$lint_rc" -eq 0 ] || fail "lintian reports errors (exit code $lint_rc)"

echo "== the installed fvctl"
# Only the installed files: the build tree's library is out of reach.
help=$(env -u LD_LIBRARY_PATH "$usr/bin/fvctl" --help) || fail "installed fvctl --help failed"
grep -q "fvctl" <<<"$help" || fail "installed fvctl --help printed: $help"
libs=$(ldd "$usr/bin/fvctl")
grep -q "libpelutil.so => $root" <<<"$libs" ||
    fail "installed fvctl does not load its utility library from the package: $libs"

echo "== a file opened through the menu entry goes to the running client"
data=$work/data
mkdir -m 700 "$data"
"$usr/bin/fv-routersim" --service-port 0 --web-port 0 --auth-port 0 --no-discovery \
    --write-client-settings "$data/FVSetup.xml" >"$work/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$data/FVSetup.xml" ] && break; sleep 0.05; done
[ -s "$data/FVSetup.xml" ] || fail "the simulated router wrote no settings file"

export QT_QPA_PLATFORM=offscreen FV_DATA_DIR=$data FV_DEBUG_LOG=1
unset XDG_RUNTIME_DIR
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share XDG_DATA_DIRS=$usr/share
export XDG_CURRENT_DESKTOP=X-Generic

echo "== the file-type option makes the installed entry this user's default"
"$usr/bin/fvctl" settings set connection.AssNZB=1 >/dev/null || fail "fvctl could not set AssNZB"
if command -v xdg-mime >/dev/null; then
    handler=$(xdg-mime query default application/x-nzb)
    [ "$handler" = com.ferrovane.Ferrovane.desktop ] ||
        fail "xdg-mime names $handler as the NZB program: $(cat "$XDG_CONFIG_HOME/mimeapps.list")"
fi
"$usr/bin/fvctl" settings set connection.AssNZB=0 >/dev/null || fail "fvctl could not clear AssNZB"
grep -q "application/x-nzb" "$XDG_CONFIG_HOME/mimeapps.list" &&
    fail "the NZB default stays after the option was cleared"
"$usr/bin/ferrovane" >"$work/first.log" 2>&1 &
first=$!
pids+=("$first")
for _ in $(seq 200); do [ -S "$data/run/instance.sock" ] && break; sleep 0.05; done
[ -S "$data/run/instance.sock" ] || fail "the installed client did not start: $(cat "$work/first.log")"

cat >"$work/Some Release.nzb" <<'NZB'
<?xml version="1.0" encoding="utf-8"?>
<nzb xmlns="http://www.newzbin.com/DTD/2003/nzb">
  <file poster="p" date="1" subject="s"><groups><group>a.b</group></groups>
    <segments><segment bytes="1" number="1">x@y</segment></segments></file>
</nzb>
NZB
# Exec as the desktop runs it for one file: %f (or %F, %u, %U) becomes the file, other field
# codes go.
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -1)
read -r -a words <<<"$exec_line"
argv=()
for w in "${words[@]}"; do
    case "$w" in
        %F|%U|%f|%u) argv+=("$work/Some Release.nzb") ;;
        %*) ;;
        *) argv+=("$w") ;;
    esac
done
[ "${argv[0]}" = ferrovane ] || fail "Exec does not start ferrovane: $exec_line"
PATH="$usr/bin:$PATH" timeout 30 "${argv[@]}" >"$work/second.log" 2>&1 ||
    fail "the second start did not hand over and end: $(cat "$work/second.log")"
for _ in $(seq 100); do
    grep -q "file handed over: $work/Some Release.nzb" "$work/first.log" && break
    sleep 0.05
done
grep -q "file handed over: $work/Some Release.nzb" "$work/first.log" ||
    fail "the running client did not get the file: $(cat "$work/first.log")"
kill -0 "$first" 2>/dev/null || fail "the running client ended: $(cat "$work/first.log")"
echo "PASS"
