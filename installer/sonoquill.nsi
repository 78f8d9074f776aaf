; Sonoquill-Setup.exe: puts gen_sonoquill.dll and Sonoquill_WA.dll into the player's Plugins
; folder, registers the component's classes and writes an uninstaller. Where this user can write
; the Plugins folder it asks for nothing and registers for the current user only; where it cannot
; (a player under Program Files), it asks for administrator rights (the consent prompt), installs
; into the same folder with them and registers the classes for all users. Built by the cross build:
;   makensis -DBIN_DIR=<folder with both DLLs> -DOUT_FILE=<setup path> -DVERSION=x.y.z sonoquill.nsi
; Silent use: Sonoquill-Setup.exe /S [/D=C:\Program Files\Winamp]   (/D= last and unquoted)
; Exit codes: 0 installed; 1 cancelled; 2 not installed (the reason is shown unless silent).

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include LogicLib.nsh
!include FileFunc.nsh

; The version comes from the build (CMakeLists.txt), the one place where it is written.
!ifndef VERSION
  !error "VERSION is not defined: build the installer through CMake, or pass -DVERSION=x.y.z"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonoquill"
!define UNINSTALLER "Sonoquill-Uninstall.exe"
; Marks the copy of this program that was started with administrator rights.
!define ELEVATED_MARK "/ELEVATED"
; Uninstaller: wait for this process (the player that removed the plug-in) before deleting files.
!define AFTER_PID "/AFTERPID="
!define SEE_MASK_NOCLOSEPROCESS 0x40
!define SYNCHRONIZE 0x00100000

Name "Sonoquill ${VERSION}"
OutFile "${OUT_FILE}"
; The plug-in's own icon (tools/art/make_icon.py), which its control window shows too.
Icon "..\src\ui\art\sonoquill.ico"
UninstallIcon "..\src\ui\art\sonoquill.ico"
InstallDir ""
DirText "Choose the Winamp folder (the one that holds winamp.exe and its Plugins folder)."
ShowInstDetails show
ShowUninstDetails show
; A file that cannot be written stops the installation instead of being skipped.
AllowSkipFiles off

Var Elevated     ; 1 in the copy started with administrator rights
Var AllUsers     ; 1 when the classes are registered for all users (and the entry is the machine's)
Var AfterPid     ; uninstaller only
Var FailureShown ; 1 once the reason for a failed installation has been shown

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Runs this program again with administrator rights and PARAMS, and waits for it. $0 = its exit
; code, or "refused" when it did not start (the user declined, or no administrator answered).
!macro RunElevated PARAMS
  System::Call '*(i 60, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", w "$EXEPATH", w "${PARAMS}", p 0, i 1, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .r1'
  System::Call 'shell32::ShellExecuteExW(p r1) i .r2'
  System::Call '*$1(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .r3)'
  System::Free $1
  ${If} $2 == 0
  ${OrIf} $3 == 0
    StrCpy $0 "refused"
  ${Else}
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r0)'
    System::Call 'kernel32::CloseHandle(p r3)'
  ${EndIf}
!macroend

!macro ReadElevatedMark
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "${ELEVATED_MARK}" $R1
  ${IfNot} ${Errors}
    StrCpy $Elevated 1
  ${EndIf}
!macroend

; Ends the installation with TEXT shown (unless silent); nothing is left half installed.
!macro Fail TEXT
  Call RemoveStagedFiles
  DetailPrint "${TEXT}"
  StrCpy $FailureShown 1
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

; $0 = a command line or a path, possibly quoted; leaves its program's folder in $0 ("" if none).
Function FolderOfCommand
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $2 0
    ${Do}
      StrCpy $1 $0 1 $2
      ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
      ${IfThen} $1 == '"' ${|} ${ExitDo} ${|}
      IntOp $2 $2 + 1
    ${Loop}
    StrCpy $0 $0 $2
  ${EndIf}
  ${If} $0 != ""
    ${GetParent} $0 $0
  ${EndIf}
FunctionEnd

; Where the player lives: its uninstall entry, else its file-type entry, else ask (or, silently,
; the usual folder).
Function FindPlayerFolder
  ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp" "UninstallString"
  ${If} $0 == ""
    ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\Uninstall\Winamp" "UninstallString"
  ${EndIf}
  ${If} $0 != ""
    Call FolderOfCommand
    ${If} $0 != ""
      StrCpy $INSTDIR $0
      Return
    ${EndIf}
  ${EndIf}
  ReadRegStr $0 HKCR "WinAmp.File\shell\play\command" ""
  ${If} $0 != ""
    Call FolderOfCommand
    ${If} $0 != ""
      StrCpy $INSTDIR $0
      Return
    ${EndIf}
  ${EndIf}
  StrCpy $INSTDIR "$PROGRAMFILES\Winamp"
FunctionEnd

Function .onInit
  !insertmacro ReadElevatedMark
  ; /D= on the command line has set the folder already.
  ${If} $INSTDIR == ""
    Call FindPlayerFolder
  ${EndIf}
  Call AddUninstallerSize
FunctionEnd

; $0 = 1 when this process can create files in the Plugins folder (creating the folder if need
; be), else 0. Program Files refuses a standard user, and an administrator without elevated rights.
Function CanWritePlugins
  StrCpy $0 0
  ClearErrors
  CreateDirectory "$INSTDIR\Plugins"
  ${If} ${Errors}
    Return
  ${EndIf}
  ClearErrors
  FileOpen $1 "$INSTDIR\Plugins\sonoquill-setup.tmp" w
  ${IfNot} ${Errors}
    FileClose $1
    Delete "$INSTDIR\Plugins\sonoquill-setup.tmp"
    StrCpy $0 1
  ${EndIf}
FunctionEnd

; Leaves FILE in $0 and returns when it exists and cannot be replaced (a running player holds its
; plug-ins open, or a folder stands in its place).
!macro ReturnIfInUse FILE
  StrCpy $0 "${FILE}"
  ${If} ${FileExists} $0
    ClearErrors
    FileOpen $1 $0 a
    ${If} ${Errors}
      Return
    ${EndIf}
    FileClose $1
  ${EndIf}
!macroend

; $0 = the first installed file that cannot be replaced, else "".
Function FindFileInUse
  !insertmacro ReturnIfInUse "$INSTDIR\Plugins\gen_sonoquill.dll"
  !insertmacro ReturnIfInUse "$INSTDIR\Plugins\Sonoquill_WA.dll"
  !insertmacro ReturnIfInUse "$INSTDIR\Plugins\${UNINSTALLER}"
  StrCpy $0 ""
FunctionEnd

Function RemoveStagedFiles
  Delete "$INSTDIR\Plugins\gen_sonoquill.dll.new"
  Delete "$INSTDIR\Plugins\Sonoquill_WA.dll.new"
  Delete "$INSTDIR\Plugins\${UNINSTALLER}.new"
FunctionEnd

; Every file is written under a staging name first and takes its place only when all three were
; written, so a copy that fails leaves the folder as it was. Written out inside the section, which
; makensis then sizes by its files for the folder page's "Space required" (a function is not sized).
!macro InstallFiles
  Call FindFileInUse
  ${If} $0 != ""
    !insertmacro Fail "Sonoquill was not installed: $0 is in use or cannot be replaced. Close Winamp and run the installer again."
  ${EndIf}
  SetOutPath "$INSTDIR\Plugins"
  File "/oname=$INSTDIR\Plugins\gen_sonoquill.dll.new" "${BIN_DIR}/gen_sonoquill.dll"
  File "/oname=$INSTDIR\Plugins\Sonoquill_WA.dll.new" "${BIN_DIR}/Sonoquill_WA.dll"
  ClearErrors
  WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}.new"
  ${If} ${Errors}
    !insertmacro Fail "Sonoquill was not installed: the uninstaller cannot be written into $INSTDIR\Plugins."
  ${EndIf}
  ClearErrors
  Delete "$INSTDIR\Plugins\gen_sonoquill.dll"
  Rename "$INSTDIR\Plugins\gen_sonoquill.dll.new" "$INSTDIR\Plugins\gen_sonoquill.dll"
  Delete "$INSTDIR\Plugins\Sonoquill_WA.dll"
  Rename "$INSTDIR\Plugins\Sonoquill_WA.dll.new" "$INSTDIR\Plugins\Sonoquill_WA.dll"
  Delete "$INSTDIR\Plugins\${UNINSTALLER}"
  Rename "$INSTDIR\Plugins\${UNINSTALLER}.new" "$INSTDIR\Plugins\${UNINSTALLER}"
  ${If} ${Errors}
    !insertmacro Fail "Sonoquill was not installed completely: its files in $INSTDIR\Plugins cannot be replaced. Close Winamp and run the installer again."
  ${EndIf}
!macroend

Function .onInstFailed
  Call RemoveStagedFiles
  ${If} $FailureShown != 1
    MessageBox MB_OK|MB_ICONSTOP "Sonoquill was not installed: its files cannot be copied into $INSTDIR\Plugins." /SD IDOK
  ${EndIf}
FunctionEnd

Section "Sonoquill" SecSonoquill
  ${If} $Elevated != 1
    Call CanWritePlugins
    ${If} $0 != 1
      DetailPrint "$INSTDIR\Plugins can be changed only with administrator rights; asking for them."
      !insertmacro RunElevated '${ELEVATED_MARK} /S /D=$INSTDIR'
      ${If} $0 == "refused"
        !insertmacro Fail "Sonoquill was not installed: administrator rights are needed to copy it into $INSTDIR\Plugins."
      ${ElseIf} $0 != 0
        !insertmacro Fail "Sonoquill was not installed: even with administrator rights its files cannot be copied into $INSTDIR\Plugins (error $0). Close Winamp and run the installer again."
      ${EndIf}
      DetailPrint "Sonoquill was installed into $INSTDIR\Plugins for all users."
      Return
    ${EndIf}
  ${EndIf}
  ; With administrator rights the classes and the uninstall entry are the machine's.
  StrCpy $AllUsers $Elevated
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${EndIf}

  !insertmacro InstallFiles
  ${If} $AllUsers == 1
    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\Plugins\Sonoquill_WA.dll"' $0
  ${Else}
    ExecWait '"$SYSDIR\regsvr32.exe" /s /n /i:user "$INSTDIR\Plugins\Sonoquill_WA.dll"' $0
  ${EndIf}
  ${If} $0 != 0
    DetailPrint "Registering Sonoquill_WA.dll failed ($0); the player still finds it beside gen_sonoquill.dll."
  ${EndIf}
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Sonoquill for Winamp"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  SectionGetSize ${SecSonoquill} $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; makensis sizes the section by the files it copies, but the uninstaller is written, not copied:
; a copy written here, where nothing is installed yet, gives its size.
Function AddUninstallerSize
  InitPluginsDir
  ClearErrors
  WriteUninstaller "$PLUGINSDIR\${UNINSTALLER}"
  FileOpen $0 "$PLUGINSDIR\${UNINSTALLER}" r
  ${If} ${Errors}
    Return
  ${EndIf}
  FileSeek $0 0 END $1
  FileClose $0
  Delete "$PLUGINSDIR\${UNINSTALLER}"
  IntOp $1 $1 + 1023
  IntOp $1 $1 / 1024
  SectionGetSize ${SecSonoquill} $0
  IntOp $0 $0 + $1
  SectionSetSize ${SecSonoquill} $0
FunctionEnd

; The uninstaller lives in the Plugins folder, so $INSTDIR is that folder here. It undoes what
; the installer did: for all users (asking for administrator rights again) when the machine's
; uninstall entry names this folder, else for the current user.
Function un.onInit
  !insertmacro ReadElevatedMark
  ClearErrors
  ${GetOptions} $R0 "${AFTER_PID}" $AfterPid
  ${If} ${Errors}
    StrCpy $AfterPid ""
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} "$0\Plugins" == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${EndIf}
  ${If} $AllUsers == 1
  ${AndIf} $Elevated != 1
    StrCpy $R2 "${ELEVATED_MARK}"
    ${If} ${Silent}
      StrCpy $R2 "$R2 /S"
    ${EndIf}
    ${If} $AfterPid != ""
      StrCpy $R2 "$R2 ${AFTER_PID}$AfterPid"
    ${EndIf}
    !insertmacro RunElevated '$R2 _?=$INSTDIR'
    ${If} $0 == "refused"
      MessageBox MB_OK|MB_ICONSTOP "Sonoquill was installed for all users; administrator rights are needed to remove it." /SD IDOK
      SetErrorLevel 2
    ${Else}
      SetErrorLevel $0
    ${EndIf}
    Quit
  ${EndIf}
FunctionEnd

; The user's account and excluded folder (HKCU\Software\VB and VBA Program Settings\Sonoquill)
; are kept; removing the plug-in in the player asks about them.
Section "Uninstall"
  ${If} $AllUsers == 1
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\Sonoquill_WA.dll"'
  ${Else}
    ExecWait '"$SYSDIR\regsvr32.exe" /s /u /n /i:user "$INSTDIR\Sonoquill_WA.dll"'
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; Removed from a running player: its plug-ins stay loaded, and their files cannot go, until it ends.
  ${If} $AfterPid != ""
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i $AfterPid) p .r0'
    ${If} $0 != 0
      DetailPrint "Waiting for Winamp to end ..."
      System::Call 'kernel32::WaitForSingleObject(p r0, i -1)'
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
  ${EndIf}
  Delete /REBOOTOK "$INSTDIR\gen_sonoquill.dll"
  Delete /REBOOTOK "$INSTDIR\Sonoquill_WA.dll"
  Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
SectionEnd
