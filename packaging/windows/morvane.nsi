; The Windows installer of Morvane, built by `make windows-package` on Linux with makensis:
;   makensis -DVERSION=1.0 -DPROGRAM=<program folder> -DFILES=<program folder>.nsh -DLICENCES=<dir>
;            -DICON=morvane.ico -DUNINSTALL=<uninstall.exe> -DRUN_AS_SHELL=<run-as-shell.exe>
;            -DOUTFILE=<setup.exe> /abs/path/morvane.nsi
; as make-installer.sh runs it. UNINSTALL and RUN_AS_SHELL are the two small helpers built beside
; the program (uninstall.c, run-as-shell.c); LICENCES holds the licences (*.txt), the changes made
; to Qt (*.patch) and Morvane's source (Morvane-source.zip). With MORVANE_SIGN_PFX (and
; MORVANE_SIGN_PASSWORD) in the environment, the installer and the uninstaller it embeds are
; signed as makensis writes them (sign.sh). -DCOMPRESSOR=zlib packs quicker than the solid LZMA
; of a release (the signing test).
;
; It installs for the user alone or for every user of the computer (the first page asks; /S
; installs silently, for every user when run as an administrator, /CurrentUser or /AllUsers
; choose; /D=<folder>, last on the command line, chooses the folder), with a Start-menu shortcut,
; an uninstaller and an entry in "Apps & features". Over an existing install it is an upgrade:
; the old version's own uninstaller removes it first, and the new one goes where it was, for
; whom it was (the choice of mode and folder is not offered again, and /CurrentUser, /AllUsers
; and /D= give way), so that "Apps & features" keeps one entry.
;
; Morvane holds the mutex Global\Morvane.Running while it runs. Neither the installer nor the
; uninstaller changes anything while it is held: interactive, they ask for Morvane to be closed
; (Retry/Cancel); silent, they end at once with exit status 2.
;
; The uninstaller users start, uninstall.exe, waits until the removal is done and returns its
; status (see uninstall.c); the NSIS uninstaller it runs is uninstall-core.exe.

Unicode true
Target amd64-unicode
!ifndef COMPRESSOR
    !define COMPRESSOR "/SOLID lzma"
!endif
SetCompressor ${COMPRESSOR}
; Sharp text at any scale, and the real Windows version reported to it (Windows 7 to 11).
ManifestDPIAware true
ManifestSupportedOS Win7 Win8 Win8.1 Win10 ; what NSIS 3.08 writes by default, said here (Win10 covers 11)

!define NAME "Morvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${NAME}"
!define MODE_KEY "Software\${NAME}"
!define MUTEX "Global\Morvane.Running"
!define EXIT_REFUSED 2 ; NSIS's own "aborted by the script"

!ifndef UNINSTALL | RUN_AS_SHELL | PROGRAM
    !error "PROGRAM (the program folder), UNINSTALL (uninstall.exe) and RUN_AS_SHELL (run-as-shell.exe) must be given"
!endif

; Signing, when a certificate is given: makensis runs sign.sh on the uninstaller it has just
; made (before it is packed into the installer) and on the installer, and stops if it fails.
; (makensis runs these commands from the script's folder, while ${__FILEDIR__} is the folder as
; given: makensis must be given this script by its absolute path, as windows.cmake does.)
!if "$%MORVANE_SIGN_PFX%" != "${U+24}%MORVANE_SIGN_PFX%"
    !if "$%MORVANE_SIGN_PFX%" != ""
        !uninstfinalize '"${__FILEDIR__}/sign.sh" "%1"' = 0
        !finalize '"${__FILEDIR__}/sign.sh" "%1"' = 0
    !endif
!endif

Name "${NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"

Var CommandLineDir ; /D=, as NSIS had put it in $INSTDIR before MultiUser overwrote it
Var FoundDir       ; an install found: its folder and mode (AllUsers or CurrentUser)
Var FoundMode
Var StartedFor     ; the uninstaller's folder (_?=)

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${NAME}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${MODE_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${MODE_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
; Called each time MultiUser sets the mode, after it has set $INSTDIR to that mode's folder.
!define MULTIUSER_INSTALLMODE_FUNCTION KeepChosenFolder
!define MULTIUSER_INSTALLMODE_UNFUNCTION un.KeepChosenFolder
; MultiUser quits without an exit status when /AllUsers is asked of a user who is no administrator.
!define MULTIUSER_INIT_FUNCTIONQUIT QuitRefused
!define MULTIUSER_INIT_UNFUNCTIONQUIT un.QuitRefused
!define MULTIUSER_INIT_un.FUNCTIONQUIT un.QuitRefused ; the name MultiUser.nsh of NSIS 3.08 looks for
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; "Run Morvane" starts it as the user's shell would, without the installer's administrator rights.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunMorvane
!insertmacro MUI_PAGE_LICENSE "${LICENCES}/Morvane-GPL-3.txt"
!define MULTIUSER_PAGE_CUSTOMFUNCTION_PRE SkipOnUpgrade
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipOnUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString RUNNING ${LANG_SIMPCHINESE} "${NAME} 正在运行。$\r$\n$\r$\n请先关闭 ${NAME}，然后点击“重试”；点击“取消”则退出，不做任何更改。"
LangString ALL_USERS_FOUND ${LANG_SIMPCHINESE} "${NAME} 已为这台电脑的所有用户安装。请以管理员身份运行安装程序来升级它。"
LangString OLD_NOT_REMOVED ${LANG_SIMPCHINESE} "无法卸载已安装的旧版本 ${NAME}（退出代码 $0）。安装已中止。"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${NAME} ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "GNU GPL 3 or later"

; Returns once Morvane is not running. While it runs (its mutex exists; a mutex another user's
; Morvane holds may exist and deny access: running too), asks for it to be closed; silent, or
; answered Cancel, quits with exit status 2, having changed nothing.
!macro WAIT_UNTIL_CLOSED UN
Function ${UN}WaitUntilClosed
    Push $0
    Push $1
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p.r0 ?e' ; SYNCHRONIZE
        Pop $1 ; GetLastError
        ${If} $0 P<> 0
            System::Call 'kernel32::CloseHandle(p r0)'
        ${ElseIf} $1 <> 5 ; ERROR_ACCESS_DENIED
            ${Break}
        ${EndIf}
        ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(RUNNING)" /SD IDCANCEL IDCANCEL`
            Call ${UN}QuitRefused
        ${EndIf}
    ${Loop}
    Pop $1
    Pop $0
FunctionEnd

Function ${UN}QuitRefused
    SetErrorLevel ${EXIT_REFUSED}
    Quit
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

Function .onInit
    StrCpy $CommandLineDir $INSTDIR
    Call WaitUntilClosed
    !insertmacro MULTIUSER_INIT
    Call FindInstalled
    ${If} $FoundMode == "AllUsers"
        ${If} $MultiUser.Privileges != "Admin"
        ${AndIf} $MultiUser.Privileges != "Power"
            MessageBox MB_OK|MB_ICONSTOP "$(ALL_USERS_FOUND)" /SD IDOK
            Call QuitRefused
        ${EndIf}
        Call MultiUser.InstallMode.AllUsers
    ${ElseIf} $FoundMode == "CurrentUser"
        Call MultiUser.InstallMode.CurrentUser
    ${EndIf}
FunctionEnd

; An install of Morvane found in the registry: for every user (looked for first by an
; administrator) or for this user.
!macro FIND_IN HIVE MODE
    ${If} $FoundMode == ""
        ReadRegStr $FoundDir ${HIVE} "${MODE_KEY}" "InstallLocation"
        ${IfThen} $FoundDir == "" ${|} ReadRegStr $FoundDir ${HIVE} "${UNINSTALL_KEY}" "InstallLocation" ${|}
        ${IfThen} $FoundDir != "" ${|} StrCpy $FoundMode ${MODE} ${|}
    ${EndIf}
!macroend
Function FindInstalled
    StrCpy $FoundMode ""
    ${If} $MultiUser.Privileges == "Admin"
    ${OrIf} $MultiUser.Privileges == "Power"
        !insertmacro FIND_IN HKLM AllUsers
        !insertmacro FIND_IN HKCU CurrentUser
    ${Else}
        !insertmacro FIND_IN HKCU CurrentUser
        !insertmacro FIND_IN HKLM AllUsers
    ${EndIf}
FunctionEnd

; The folder: the install found's, else the one of /D=, else MultiUser's for the mode.
Function KeepChosenFolder
    ${If} $FoundDir != ""
        StrCpy $INSTDIR $FoundDir
    ${ElseIf} $CommandLineDir != ""
        StrCpy $INSTDIR $CommandLineDir
    ${EndIf}
FunctionEnd

Function SkipOnUpgrade
    ${IfThen} $FoundMode != "" ${|} Abort ${|}
FunctionEnd

; Runs the old version's uninstaller silently, from a copy (so that it can delete itself too) and
; in place (_?=, so that ExecWait waits for the removal), and stops if it fails.
Function RemoveFound
    ${If} ${FileExists} "$FoundDir\uninstall-core.exe"
        StrCpy $1 "$FoundDir\uninstall-core.exe"
    ${ElseIf} ${FileExists} "$FoundDir\uninstall.exe" ; 1.0: the NSIS uninstaller itself
        StrCpy $1 "$FoundDir\uninstall.exe"
    ${Else}
        Return ; nothing to run: the new files overwrite the old, the entry is rewritten
    ${EndIf}
    InitPluginsDir
    CopyFiles /SILENT "$1" "$PLUGINSDIR\old-uninstall.exe"
    DetailPrint "卸载旧版本：$FoundDir"
    ClearErrors
    ExecWait '"$PLUGINSDIR\old-uninstall.exe" /S /$FoundMode _?=$FoundDir' $0
    ${If} ${Errors}
    ${OrIf} $0 <> 0
        MessageBox MB_OK|MB_ICONSTOP "$(OLD_NOT_REMOVED)" /SD IDOK
        Call QuitRefused
    ${EndIf}
    Delete "$PLUGINSDIR\old-uninstall.exe"
FunctionEnd

; Asks the desktop's shell to start Morvane (run-as-shell.c), so that it runs with the user's
; ordinary rights, not the installer's. Without a shell to ask, starts it directly unless the
; installer runs as an administrator: then Morvane is not started.
Function RunMorvane
    InitPluginsDir
    File "/oname=$PLUGINSDIR\run-as-shell.exe" "${RUN_AS_SHELL}"
    ExecWait '"$PLUGINSDIR\run-as-shell.exe" "$INSTDIR\morvane.exe" "$INSTDIR"' $0
    ${If} $0 <> 0
    ${AndIf} $MultiUser.Privileges != "Admin"
    ${AndIf} $MultiUser.Privileges != "Power"
        Exec '"$INSTDIR\morvane.exe"'
    ${EndIf}
FunctionEnd

Section "Morvane"
    Call WaitUntilClosed ; again: it may have been started while the pages were shown
    ${If} $FoundMode != ""
        Call RemoveFound
    ${EndIf}
    !insertmacro MORVANE_INSTALL_FILES
    SetOutPath "$INSTDIR\licences"
    File "${LICENCES}/*.txt"
    File "${LICENCES}/*.patch"
    File "${LICENCES}/Morvane-source.zip"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall-core.exe"
    File "/oname=uninstall.exe" "${UNINSTALL}"
    CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\morvane.exe" "" "$INSTDIR\morvane.exe" 0

    ; Where and for whom it is installed, for the uninstaller and a later installer.
    WriteRegStr SHCTX "${MODE_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${MODE_KEY}" "InstallMode" "$MultiUser.InstallMode"
    ; The entry in "Apps & features" (and "Programs and Features").
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\morvane.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Morvane developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    StrCpy $StartedFor $INSTDIR
    Call un.WaitUntilClosed
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The files removed are those of the folder the uninstaller was started for, whatever the
; registry says.
Function un.KeepChosenFolder
    StrCpy $INSTDIR $StartedFor
FunctionEnd

; Removes exactly what the installer put there, so that nothing of the user's in the folder
; chosen goes with it. Started by uninstall.exe (in place, _?=), this cannot delete
; uninstall-core.exe, which it is, nor uninstall.exe, which waits for it: uninstall.exe then
; deletes the one, moves itself out and removes the folder. Started from a copy, as an upgrade
; does, it deletes them both.
Section "Uninstall"
    Call un.WaitUntilClosed
    !insertmacro MORVANE_REMOVE_FILES
    Delete "$INSTDIR\licences\*.txt"
    Delete "$INSTDIR\licences\*.patch"
    Delete "$INSTDIR\licences\Morvane-source.zip"
    RMDir "$INSTDIR\licences"
    Delete "$INSTDIR\uninstall-core.exe"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${NAME}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    DeleteRegKey SHCTX "${MODE_KEY}"
SectionEnd
