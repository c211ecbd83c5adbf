#!/usr/bin/env bash
# Builds the Debian package with CPack, installs it with dpkg into a scratch root, checks its
# files, dependencies, desktop entry and AppStream data, starts the installed program under its
# own Xvfb from the desktop entry's command line in a fresh home folder, checks that the
# installed program finds its help page, and removes the package again.
# Usage: DebPackageTest.sh BUILD_DIR SOURCE_DIR VERSION HELPPAGE_PROBE
set -euo pipefail

build=$1
source=$2
version=$3
probe=$4

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then
    kill -KILL "$app_pid" 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# --- the package
cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$tmp/pkg/sitequill_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$tmp/pkg"; fail "no package $deb"; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = sitequill ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
[ "$(field Section)" = web ] || fail "section $(field Section)"
[[ "$(field Maintainer)" == *@* ]] || fail "maintainer $(field Maintainer)"
[ "$(field Description | wc -l)" -ge 2 ] || fail "no long description"

depends=$(field Depends)
for wanted in libwxgtk3.2-1 libwxbase3.2-1 libcurl4 xdg-utils; do
  [[ ", $depends," == *", $wanted "* || ", $depends," == *", $wanted,"* ]] ||
    fail "Depends lacks $wanted: $depends"
done

# Every file in the package, nothing more.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$tmp/files"
sort >"$tmp/expected" <<'EOF'
./usr/bin/sitequill
./usr/libexec/sitequill/sitequill-desktop
./usr/share/applications/sitequill.desktop
./usr/share/doc/sitequill/copyright
./usr/share/icons/hicolor/16x16/apps/sitequill.png
./usr/share/icons/hicolor/32x32/apps/sitequill.png
./usr/share/icons/hicolor/48x48/apps/sitequill.png
./usr/share/icons/hicolor/128x128/apps/sitequill.png
./usr/share/metainfo/org.example.sitequill.metainfo.xml
./usr/share/sitequill/help/index.html
./usr/share/sitequill/samples/Footer.htm
./usr/share/sitequill/samples/Header.htm
EOF
diff -u "$tmp/expected" "$tmp/files" || fail "file list"

# --- install into a scratch root. Its package database holds this machine's copies of the
# packages the package depends on, so dpkg checks that each dependency names a real package in
# a version that satisfies it.
root=$tmp/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/available"
for p in $(echo "$depends" | tr ',' '\n' | sed 's/(.*)//; s/|.*//' | tr -d ' '); do
  dpkg-query -s "$p" >>"$root/var/lib/dpkg/status" || fail "dependency $p not installed here"
  echo >>"$root/var/lib/dpkg/status"
done
dpkg --root="$root" -i "$deb" >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg -i"; }

# Every library the program needs comes from a package it depends on.
for lib in $(objdump -p "$root/usr/bin/sitequill" | awk '$1 == "NEEDED" { print $2 }'); do
  owners=$(dpkg-query -S "*/$lib" 2>/dev/null | sed 's/: [^ ]*$//; s/:[a-z0-9]*//g; s/,/ /g') || fail "no package has $lib"
  found=
  for o in $owners; do
    [[ ", $depends," == *", $o "* || ", $depends," == *", $o,"* ]] && found=1
  done
  [ -n "$found" ] || fail "$lib comes from $owners, not in Depends: $depends"
done

# --- desktop entry and AppStream data
desktop=$root/usr/share/applications/sitequill.desktop
desktop-file-validate "$desktop" >"$tmp/validate.log" 2>&1 || { cat "$tmp/validate.log"; fail "desktop-file-validate"; }
if grep -Eq 'error|warning' "$tmp/validate.log"; then
  cat "$tmp/validate.log"
  fail "desktop-file-validate complains"
fi
appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.sitequill.metainfo.xml" ||
  fail "appstreamcli validate"
grep -qx 'Categories=Network;Development;' "$desktop" || fail "categories"
grep -qx 'Icon=sitequill' "$desktop" || fail "icon"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[[ "$exec_line" =~ ^/[^\ %\"]+$ ]] || fail "Exec is not a plain absolute path: $exec_line"

# --- the installed program finds its help page beside itself, not in the source tree
cp "$probe" "$root/usr/bin/probe"
help=$("$root/usr/bin/probe")
rm "$root/usr/bin/probe"
[ "$help" = "$root/usr/share/sitequill/help/index.html" ] || fail "installed help page: $help"
help=$("$probe")
[ "$help" = "$source/res/help/index.html" ] || fail "help page from the build tree: $help"

# --- start the installed program on a display of its own
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
display=
for _ in $(seq 100); do
  if [ -s "$tmp/display" ]; then
    display=:$(head -n1 "$tmp/display")
    # Asked as the program will ask: no X authority of the run's own display, so another X
    # server that took this display number would not answer.
    kill -0 "$xvfb_pid" 2>/dev/null &&
      env -i PATH=/usr/bin:/bin xwininfo -display "$display" -root >/dev/null 2>&1 && break
  fi
  display=
  sleep 0.1
done
[ -n "$display" ] || { cat "$tmp/xvfb.log"; fail "Xvfb did not start"; }

# Starts "$@" in the folder $1 with the home folder $2 and the clean environment of a desktop
# session, waits until the main window is on the display and checks the program's working
# folder ($3); then ends it.
start_and_check() {
  local from=$1 home=$2 folder=$3
  shift 3
  (cd "$from" && exec env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" "$@") \
    >"$tmp/app.log" 2>&1 &
  app_pid=$!
  local shown= tree=
  for _ in $(seq 150); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      cat "$tmp/app.log"
      kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log"; echo "Xvfb on $display has ended"; }
      fail "program ended: $*"
    fi
    # The tree is read whole first: with pipefail, grep -q leaving early would fail the pipe.
    tree=$(env -i PATH=/usr/bin:/bin xwininfo -display "$display" -root -tree 2>/dev/null) || tree=
    if [[ "$tree" == *'"Sitequill from '* ]]; then
      shown=1
      break
    fi
    sleep 0.1
  done
  [ -n "$shown" ] || { cat "$tmp/app.log"; fail "no main window: $*"; }
  [ "$(readlink "/proc/$app_pid/exe")" = "$root/usr/bin/sitequill" ] ||
    fail "running $(readlink "/proc/$app_pid/exe")"
  [ "$(readlink "/proc/$app_pid/cwd")" = "$folder" ] ||
    fail "working folder $(readlink "/proc/$app_pid/cwd"), not $folder"
  kill -TERM "$app_pid"
  for _ in $(seq 50); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "program did not end on SIGTERM"
  wait "$app_pid" || true
  app_pid=
}
samples=$root/usr/share/sitequill/samples

# From the desktop entry, with a documents folder: Sitequill is created in it, with the samples.
home=$tmp/home1
mkdir -p "$home/.config" "$home/Papers"
echo 'XDG_DOCUMENTS_DIR="$HOME/Papers"' >"$home/.config/user-dirs.dirs"
start_and_check / "$home" "$home/Papers/Sitequill" "$root$exec_line"
cmp "$samples/Header.htm" "$home/Papers/Sitequill/Header.htm" || fail "sample header"
cmp "$samples/Footer.htm" "$home/Papers/Sitequill/Footer.htm" || fail "sample footer"

# Without a documents folder it is ~/Sitequill; a fragment of the user's own is kept.
home=$tmp/home2
mkdir -p "$home/Sitequill"
echo '<p>mine</p>' >"$home/Sitequill/Header.htm"
start_and_check / "$home" "$home/Sitequill" "$root$exec_line"
[ "$(cat "$home/Sitequill/Header.htm")" = '<p>mine</p>' ] || fail "the user's header was replaced"
cmp "$samples/Footer.htm" "$home/Sitequill/Footer.htm" || fail "missing footer not copied"

# From a terminal the program works in the terminal's folder and copies nothing there.
mkdir -p "$tmp/terminal"
start_and_check "$tmp/terminal" "$tmp/home3" "$tmp/terminal" "$root/usr/bin/sitequill"
[ ! -e "$tmp/home3/Sitequill" ] && [ ! -e "$tmp/terminal/Header.htm" ] ||
  fail "started from a terminal, the program made a working folder"

# --- removing the package removes every file it installed
dpkg --root="$root" -P sitequill >"$tmp/dpkg.log" 2>&1 || { cat "$tmp/dpkg.log"; fail "dpkg -P"; }
left=$(cd "$root" && find . -mindepth 1 -not -path './var/lib/dpkg*' -not -path ./var/lib \
  -not -path ./var)
[ -z "$left" ] || fail "left after removal: $left"

echo "package test passed"
