; Sonoquill-Setup.exe: puts gen_sonoquill.dll and Sonoquill_WA.dll into the player's Plugins
; folder, registers the component's classes for the current user and writes an uninstaller.
; No administrator rights are asked for. Built by the cross build:
;   makensis -DBIN_DIR=<folder with both DLLs> -DOUT_FILE=<setup path> -DVERSION=x.y.z sonoquill.nsi
; Silent use: Sonoquill-Setup.exe /S [/D=C:\Program Files\Winamp]   (/D= last and unquoted)

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include LogicLib.nsh
!include FileFunc.nsh

!ifndef VERSION
  !define VERSION "1.0.61"
!endif
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Sonoquill"
!define UNINSTALLER "Sonoquill-Uninstall.exe"

Name "Sonoquill ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir ""
DirText "Choose the Winamp folder (the one that holds winamp.exe and its Plugins folder)."
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

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
  ; /D= on the command line has set the folder already.
  ${If} $INSTDIR == ""
    Call FindPlayerFolder
  ${EndIf}
FunctionEnd

Section "Sonoquill"
  SetOutPath "$INSTDIR\Plugins"
  File "${BIN_DIR}/gen_sonoquill.dll"
  File "${BIN_DIR}/Sonoquill_WA.dll"
  ; Per-user registration: the component's DllInstall with "user", through regsvr32.
  ExecWait '"$SYSDIR\regsvr32.exe" /s /n /i:user "$INSTDIR\Plugins\Sonoquill_WA.dll"' $0
  ${If} $0 != 0
    DetailPrint "Registering Sonoquill_WA.dll for this user failed ($0); the player still finds it beside gen_sonoquill.dll."
  ${EndIf}
  WriteUninstaller "$INSTDIR\Plugins\${UNINSTALLER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Sonoquill for Winamp"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plugins\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller lives in the Plugins folder, so $INSTDIR is that folder here. The user's
; account and excluded folder (HKCU\Software\VB and VBA Program Settings\Sonoquill) are kept.
Section "Uninstall"
  ExecWait '"$SYSDIR\regsvr32.exe" /s /u /n /i:user "$INSTDIR\Sonoquill_WA.dll"'
  Delete /REBOOTOK "$INSTDIR\gen_sonoquill.dll"
  Delete /REBOOTOK "$INSTDIR\Sonoquill_WA.dll"
  Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
