#!/usr/bin/env bash
# A double-click on a catalog in a file manager, in the desktop's own terms:
# Kobrix installed into a temporary prefix (cmake --install, as make
# install does, or the files of the Debian package, as dpkg -i places
# them), the caches built there as Debian's triggers build them, and
# xdg-utils and GIO asked through XDG_DATA_HOME/XDG_DATA_DIRS:
#   xdg-mime query filetype music.cdc        -> application/x-kobrix-catalog
#   xdg-mime query default <that type>       -> org.example.Kobrix.desktop
#   gio open / xdg-open music.cdc            -> kobrix with the catalog's path
# (a stand-in kobrix earlier on the PATH records what the menu entry starts).
# Skips (77) where xdg-utils or shared-mime-info's tools are missing.
#
# usage: desktop_install.sh BUILD_DIR VERSION [PACKAGE.deb | --package]
set -euo pipefail

build=${1:?usage: desktop_install.sh BUILD_DIR VERSION [PACKAGE.deb]}
version=${2:?usage: desktop_install.sh BUILD_DIR VERSION [PACKAGE.deb]}
package=${3:-}
# --package: the package make package left in BUILD_DIR, if any.
if [[ "$package" == --package ]]; then
    package=$(ls "$build"/kobrix_"$version"_*.deb 2>/dev/null | head -n 1 || true)
    if [[ -z "$package" ]]; then
        echo "desktop_install: SKIP: no package in $build (make package makes one)"
        exit 77
    fi
fi
for tool in xdg-mime xdg-open update-mime-database update-desktop-database; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "desktop_install: SKIP: no $tool" \
             "(Debian: xdg-utils, shared-mime-info, desktop-file-utils)"
        exit 77
    fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "desktop_install: FAIL: $*" >&2; exit 1; }

if [[ -n "$package" ]]; then
    if ! command -v dpkg-deb >/dev/null 2>&1; then
        echo "desktop_install: SKIP: no dpkg-deb"
        exit 77
    fi
    dpkg-deb -x "$package" "$work/root"
    prefix=$work/root/usr
    # What dpkg's triggers for these folders would run.
    dpkg-deb -c "$package" | grep -q '/usr/share/mime/packages/org.example.Kobrix.xml$' \
        || fail "the package holds no shared-mime-info file"
else
    prefix=$work/prefix
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
        || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
fi
share=$prefix/share
[[ -f $share/mime/packages/org.example.Kobrix.xml ]] \
    || fail "no mime/packages/org.example.Kobrix.xml"
grep -qx 'Exec=kobrix %f' "$share/applications/org.example.Kobrix.desktop" \
    || fail "the menu entry does not take a file"
export XDG_DATA_HOME=$share XDG_DATA_DIRS=$share:/usr/share XDG_CONFIG_HOME=$work/config
export XDG_CONFIG_DIRS=$work/config HOME=$work
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
update-mime-database "$share/mime"
update-desktop-database "$share/applications"

"$prefix/bin/kobrix" --version >"$work/version" || fail "kobrix --version failed"
[[ "$(cat "$work/version")" == "kobrix $version" ]] \
    || fail "kobrix --version said: $(cat "$work/version")"

mkdir -p "$work/config" "$work/files" "$work/bin"
catalog=$work/files/music.cdc
printf '"Games 1 - \\SETUP.EXE"\r\n' >"$catalog"

type=$(xdg-mime query filetype "$catalog")
[[ "$type" == application/x-kobrix-catalog* ]] || fail "xdg-mime query filetype gave '$type'"
entry=$(xdg-mime query default application/x-kobrix-catalog)
[[ "$entry" == org.example.Kobrix.desktop ]] || fail "xdg-mime query default gave '$entry'"

# What the menu entry starts for a double-click: kobrix and the catalog.
cat >"$work/bin/kobrix" <<STANDIN
#!/bin/sh
printf '%s\n' "\$@" >"$work/started.tmp" && mv "$work/started.tmp" "$work/started"
STANDIN
chmod +x "$work/bin/kobrix"
export PATH=$work/bin:$PATH
started() {
    local waited=0
    while [[ ! -f $work/started ]] && ((waited < 100)); do sleep 0.1; waited=$((waited + 1)); done
    [[ -f $work/started ]] || fail "$1 started nothing"
    local given
    given=$(cd "$work/files" && realpath -m "$(cat "$work/started")")
    [[ "$given" == "$(realpath "$catalog")" ]] \
        || fail "$1 started kobrix with '$(cat "$work/started")'"
    rm -f "$work/started"
}
(cd "$work/files" && DISPLAY=${DISPLAY:-:0} xdg-open music.cdc) || fail "xdg-open failed"
started xdg-open
if command -v gio >/dev/null 2>&1; then
    (cd "$work/files" && gio open music.cdc) || fail "gio open failed"
    started "gio open"
fi
echo "desktop_install: ok (${package:-cmake --install}): $type opens with $entry"
