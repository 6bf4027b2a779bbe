; The Windows installer: both programs in Program Files, a Start-menu entry
; with the program's icon, the licence shown first, and an uninstaller that
; takes away what it put there and leaves the students' folders alone.
;
;   makensis -DVERSION=... -DSTAGE=folder -DICON=file.ico -DOUTFILE=setup.exe kestrafo.nsi

; A 64-bit installer for the 64-bit programs: it runs where they run.
Target amd64-unicode
!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kestrafo"

Name "kestrafo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\kestrafo"
InstallDirRegKey HKLM "Software\kestrafo" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "kestrafo ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "kestrafo"
    SetOutPath "$INSTDIR"
    File "${STAGE}\kestrafo.exe"
    File "${STAGE}\kestrafo-review.exe"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\kestrafo.lnk" "$INSTDIR\kestrafo.exe" "" "$INSTDIR\kestrafo.exe" 0
    WriteRegStr HKLM "Software\kestrafo" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "kestrafo"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The kestrafo developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrafo.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\kestrafo.lnk"
    Delete "$INSTDIR\kestrafo.exe"
    Delete "$INSTDIR\kestrafo-review.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\kestrafo"
SectionEnd
