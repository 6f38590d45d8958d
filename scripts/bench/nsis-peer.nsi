; The NSIS peer of Install_Torvane.exe for the first-window benchmark
; (scripts/bench-first-window.sh): a Modern UI 2 setup of the same three
; carried programs, with its own uninstaller and the same shortcuts, built
; with Debian's makensis 3.08. It is never shipped; only its start is timed.
;
;   makensis -DCARRIED=<folder with the three programs> -DLICENCE=<text file>
;            -DOUTFILE=<setup to write> -DTARGET=<x86-unicode|amd64-unicode> nsis-peer.nsi
Unicode true
Target ${TARGET}
SetCompressor zlib
RequestExecutionLevel admin

!include "MUI2.nsh"

Name "Torvane P2P 4.43"
Caption "Install Torvane P2P 4.43"
OutFile "${OUTFILE}"
!if ${TARGET} == "amd64-unicode"
InstallDir "$PROGRAMFILES64\Torvane P2P"
!else
InstallDir "$PROGRAMFILES\Torvane P2P"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane P2P (NSIS peer)"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Torvane.Exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Torvane P2P" SecClient
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=Torvane.Exe" "${CARRIED}/Torvane.Exe"
  File "/oname=Uninstall.Exe" "${CARRIED}/Uninstall.Exe"
  WriteUninstaller "$INSTDIR\Uninstall-NSIS.exe"
  CreateDirectory "$SMPROGRAMS\Torvane P2P"
  CreateShortCut "$SMPROGRAMS\Torvane P2P\Torvane P2P.lnk" "$INSTDIR\Torvane.Exe"
  CreateShortCut "$SMPROGRAMS\Torvane P2P\Uninstall Torvane P2P.lnk" "$INSTDIR\Uninstall-NSIS.exe"
  CreateShortCut "$DESKTOP\Torvane P2P.lnk" "$INSTDIR\Torvane.Exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Torvane P2P"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall-NSIS.exe"'
SectionEnd

Section "Torvane toolbar" SecToolbar
  SetOutPath "$INSTDIR"
  File "/oname=Torvane_toolbar.exe" "${CARRIED}/Torvane_toolbar.exe"
  ExecWait '"$INSTDIR\Torvane_toolbar.exe" /s -silent'
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\Torvane.Exe"
  Delete "$INSTDIR\Uninstall.Exe"
  Delete "$INSTDIR\Torvane_toolbar.exe"
  Delete "$INSTDIR\Uninstall-NSIS.exe"
  Delete "$SMPROGRAMS\Torvane P2P\Torvane P2P.lnk"
  Delete "$SMPROGRAMS\Torvane P2P\Uninstall Torvane P2P.lnk"
  RMDir "$SMPROGRAMS\Torvane P2P"
  Delete "$DESKTOP\Torvane P2P.lnk"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
