#!/usr/bin/env bash
# The Windows installer beside the program folder (`installer.sh build/windows/Morvane/morvane.exe`
# takes build/windows/morvane-*-setup.exe), under Wine: a silent install puts the program in
# Program Files with a Start-menu shortcut and an entry in "Apps & features"; the installed program
# starts from its own folder, with nothing of Qt on its search path, and shows its main window; a
# silent uninstall removes every file the install put there, and the entry.
source "$(dirname "$0")/lib.sh"
setup=$(echo "$(dirname "$binary")"/../morvane-*-setup.exe)
drive="$WINEPREFIX/drive_c"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane'
files() { (cd "$drive" && find . | sort); }
registered() { wine reg query "$entry" >/dev/null 2>&1; }
windows() { wine "$@" && wineserver -w; } # and wait for what it started

files > "$sandbox/before"
windows "$setup" /S || fail "the silent install failed"
files > "$sandbox/installed"
comm -13 "$sandbox/before" "$sandbox/installed" > "$sandbox/added"
for file in 'Program Files/Morvane/morvane.exe' 'Program Files/Morvane/uninstall.exe' \
    'Program Files/Morvane/licences/Qt-LGPL-3.txt' 'ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane.lnk'; do
    grep -qxF "./$file" "$sandbox/added" || fail "the install did not put $file there"
done
registered || fail "no entry in Apps & features"

binary="$drive/Program Files/Morvane/morvane.exe"
start_program
kill "$pid"
pid=
wineserver -w

windows 'C:\Program Files\Morvane\uninstall.exe' /S || fail "the silent uninstall failed"
files > "$sandbox/after"
left=$(comm -12 "$sandbox/added" "$sandbox/after")
[ -z "$left" ] || fail "the uninstall left behind: $left"
! registered || fail "the entry in Apps & features stayed"
say "installed $(grep -c . "$sandbox/added") files and folders, started the installed program, and removed them all"
