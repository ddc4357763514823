#!/usr/bin/env bash
# The installer beside the program folder (build/windows/morvane-*-setup.exe), under Wine: a
# silent install puts the program in Program Files with a Start-menu shortcut and an entry in
# "Apps & features"; the installed program starts from its own folder, with nothing of Qt on
# its search path, and shows its main window; a silent uninstall removes every file the
# install put there, and the entry.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
setup=$(echo "$(dirname "$binary")"/../morvane-*-setup.exe)
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane'
files() { (cd "$WINEPREFIX/drive_c" && find . | sort); }
registered() { wine reg query "$entry" >/dev/null 2>&1; }
run() { wine "$@" && wineserver -w; } # and whatever it started

files > "$sandbox/before"
run "$setup" /S || fail "the silent install failed"
comm -13 "$sandbox/before" <(files) > "$sandbox/added"
for file in 'Program Files/Morvane/'{morvane.exe,uninstall.exe,licences/Qt-LGPL-3.txt} \
    'ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane.lnk'; do
    grep -qxF "./$file" "$sandbox/added" || fail "the install did not put $file there"
done
registered || fail "no entry in Apps & features"

binary="$WINEPREFIX/drive_c/Program Files/Morvane/morvane.exe"
start_program
kill "$pid"
wineserver -w

run 'C:\Program Files\Morvane\uninstall.exe' /S || fail "the silent uninstall failed"
left=$(comm -12 "$sandbox/added" <(files))
[ -z "$left" ] || fail "the uninstall left behind: $left"
! registered || fail "the entry in Apps & features stayed"
echo "$name: installed $(grep -c . "$sandbox/added") files and folders, started the program, removed them all"
