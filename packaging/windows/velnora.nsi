; SPDX-License-Identifier: GPL-3.0-or-later
; The per-user installer of velnora.exe, made by scripts/package-windows with
;   makensis -DVERSION=<x.y.z> -DPROGRAM=<folder of the files> -DOUTFILE=<exe> velnora.nsi
; It needs no administrator: everything goes under the user's own
; %LOCALAPPDATA%\Programs (where Windows puts per-user programs, FOLDERID_UserProgramFiles)
; and the user's own registry.
; A 64-bit installer, as the program is: it runs wherever the program runs,
; also where no 32-bit program can (a 64-bit-only Wine).
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "Velnora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velnora"
InstallDirRegKey HKCU "Software\Velnora" "InstallDir"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velnora"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Velnora"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${PROGRAM}\velnora.exe"
  File "${PROGRAM}\README.md"
  File "${PROGRAM}\LICENSE"
  SetOutPath "$INSTDIR\fonts"
  File "${PROGRAM}\fonts\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Velnora.lnk" "$INSTDIR\velnora.exe"
  WriteRegStr HKCU "Software\Velnora" "InstallDir" "$INSTDIR"
  ; The entry of Settings' "Apps" (and of the Control Panel's programs list).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velnora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velnora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  ; The calendar off first, while the program is still there: it gives the
  ; user's own wallpaper back and removes the logon entry (the Run value).
  ExecWait '"$INSTDIR\velnora.exe" off'
  Delete "$SMPROGRAMS\Velnora.lnk"
  Delete "$INSTDIR\velnora.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\LICENSE"
  ; The settings and the picture the program keeps beside itself.
  Delete "$INSTDIR\velnora.INI"
  Delete "$INSTDIR\Velnora.bmp"
  RMDir /r "$INSTDIR\fonts"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "Software\Velnora"
SectionEnd
