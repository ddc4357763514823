#!/usr/bin/env bash
# make-installer.sh BUILD VERSION SETUP: makes the installer SETUP (an .exe) of the Windows build
# in BUILD, with makensis and morvane.nsi. windows.cmake runs it for `make windows-package`.
#
# What goes in is gathered first beside SETUP, in <SETUP without .exe>-files/: a copy of the
# program folder (BUILD/Morvane), the two helpers (BUILD/installer-helpers), the licences
# (BUILD/licences) and Morvane's source as `git archive` makes it of HEAD
# (licences/Morvane-source.zip), which its licence, the GPL, asks to go with the program.
# With MORVANE_SIGN_PFX (and MORVANE_SIGN_PASSWORD) set, sign.sh signs the copies of morvane.exe
# and of the helpers, and makensis the uninstaller and the installer as it writes them.
# MORVANE_INSTALLER_FAST=1 packs with zlib instead of solid LZMA: seconds instead of a minute,
# for the signing test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1") version=$2 setup=$(realpath -m "$3")
files=${setup%.exe}-files
repository=$(cd "$here/../.." && pwd -P)
if [ "$(git -C "$repository" rev-parse --show-toplevel 2>/dev/null)" != "$repository" ] ||
    ! git -C "$repository" rev-parse --verify --quiet "HEAD^{commit}" > /dev/null; then
    echo "make-installer.sh: $repository is not a git checkout with a commit. The installer ships" >&2
    echo "Morvane's source as 'git archive HEAD' makes it; build the installer from a git checkout." >&2
    exit 1
fi
rm -rf "$files"
mkdir -p "$files"
cp -a "$build/Morvane" "$build/licences" "$build"/installer-helpers/{uninstall,run-as-shell}.exe "$files/"
git -C "$repository" archive --format=zip --prefix=morvane-"$version"/ -o "$files/licences/Morvane-source.zip" HEAD
"$here/sign.sh" "$files/Morvane/morvane.exe" "$files/uninstall.exe" "$files/run-as-shell.exe"
fast=()
[ -z "${MORVANE_INSTALLER_FAST:-}" ] || fast=(-DCOMPRESSOR=zlib)
makensis -V2 -WX "${fast[@]}" -DVERSION="$version" -DPROGRAM="$files/Morvane" -DFILES="$build/Morvane.nsh" \
    -DLICENCES="$files/licences" -DICON="$here/morvane.ico" -DUNINSTALL="$files/uninstall.exe" \
    -DRUN_AS_SHELL="$files/run-as-shell.exe" -DOUTFILE="$setup" "$here/morvane.nsi"
