#!/usr/bin/env bash
# The installer beside the program folder (build/windows/morvane-*-setup.exe), under Wine: a
# silent install puts the program in Program Files with a Start-menu shortcut and an entry in
# "Apps & features"; the installed program starts from its own folder, with nothing of Qt on
# its search path, and shows its main window. While it runs (it holds Global\Morvane.Running), a
# silent upgrade and a silent uninstall end with a non-zero status and change nothing. Once it is
# closed, an upgrade runs the installed version's uninstaller first (a value only that would
# delete goes) and leaves exactly a fresh install: its files, one entry. `uninstall.exe /S` has
# removed every file and value the install added when it returns; /D= chooses the folder.
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
setup=$(echo "$(dirname "$binary")"/../morvane-*-setup.exe)
folder="$WINEPREFIX/drive_c/Program Files/Morvane"
keys=('HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane' 'HKLM\Software\Morvane'
      'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane' 'HKCU\Software\Morvane')
# Every file (Wine's own folder and the temporary ones aside) with its contents' sum (a shortcut
# holds its target's times: its name alone), and every Morvane value in the registry, a line each.
state() {
    {
        (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o -print |
            while read -r f; do if [[ -f $f && $f != *.lnk ]]; then echo "$f $(md5sum < "$f" | cut -c1-32)"; else echo "$f"; fi; done)
        for key in "${keys[@]}"; do { wine reg query "$key" 2>/dev/null || true; } | tr -d '\r' | sed -n "s|^    |${key//\\//} |p"; done
    } | sort
}
# Runs a program under Wine (not waiting for what it leaves running) and fails unless it ends as
# $1 says: with status 0 (ok) or another (refused).
ends() { # ok|refused what program [arguments...]
    local rc=0; wine "${@:3}" > /dev/null || rc=$?
    [ "$([ "$rc" = 0 ] && echo ok || echo refused)" = "$1" ] || fail "$2 ended with status $rc"
}

state > "$sandbox/before"
ends ok "the silent install" "$setup" /S
wineserver -w
state > "$sandbox/installed"
comm -13 "$sandbox/before" "$sandbox/installed" > "$sandbox/added"
for file in 'Program Files/Morvane/'{morvane.exe,uninstall.exe,licences/Qt-LGPL-3.txt,licences/Morvane-source.zip} \
    'ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane.lnk'; do
    grep -qE "^\./$file( |$)" "$sandbox/added" || fail "the install did not put $file there"
done
grep -qF "Uninstall/Morvane DisplayName" "$sandbox/added" || fail "no entry in Apps & features"

binary="$folder/morvane.exe"
start_program # the installed program, running until it is closed below
for program in "$setup" 'C:\Program Files\Morvane\uninstall.exe'; do # an upgrade, an uninstall
    ends refused "$program /S beside the running program" "$program" /S
    diff "$sandbox/installed" <(state) >&2 || fail "$program /S beside the running program changed the above"
done
kill "$pid"
wineserver -w

echo spoiled > "$folder/licences/THIRD-PARTY.txt"
wine reg add 'HKLM\Software\Morvane' /v Marker /d old /f > /dev/null
ends ok "the silent upgrade" "$setup" /S
wineserver -w
diff "$sandbox/installed" <(state) >&2 || fail "the upgrade left the above unlike a fresh install (files, one entry, Marker gone)"

ends ok "the silent uninstall" 'C:\Program Files\Morvane\uninstall.exe' /S # no wineserver -w: done when it returns
left=$(comm -12 "$sandbox/added" <(state))
[ -z "$left" ] || fail "the uninstall had left, when it returned: $left"
wineserver -w

ends ok "the silent install with /D=" "$setup" /S '/D=C:\Apps\Morvane' # no space: Wine would quote it, NSIS takes it as is
wineserver -w
[ -f "$WINEPREFIX/drive_c/Apps/Morvane/morvane.exe" ] || fail "/D= was not honoured"
echo "$name: installed, refused beside the running program (nothing changed), upgraded to a fresh install, removed when uninstall.exe returned, /D= honoured"
