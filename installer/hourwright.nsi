; The Hourwright installer. Built by scripts/make-dist.sh, which defines
; VERSION, MAKER, ICON, STAGE (the folder with the files to install), OUTFILE
; and, when the licence is shipped, LICENSE.
; Installs per machine into Program Files with a Start-menu shortcut and an
; Add/Remove Programs entry. The uninstaller removes only the files it put
; there by name: time sheets live wherever the user saved them and stay.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Hourwright"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Hourwright"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${MAKER}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The installer runs elevated; the program must not, or its first time sheet
; could land where a normal run cannot write it. Explorer, the signed-in
; user's shell, starts it as that user.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Run ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsSignedInUser
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\hourwright-guide.html"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Read the user guide"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!ifdef LICENSE
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!endif
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Hourwright holds this mutex for as long as it runs (app/single_instance_win.cpp).
!define MUTEX "Hourwright.SingleInstance"

; A running copy would keep its exe locked, or be left behind by the uninstaller.
; Asks until it is closed; Cancel (and a silent run) stops before anything is
; changed. A mutex that exists but is not ours to open (another account's
; copy) still counts as running.
!macro CLOSE_RUNNING_COPY PREFIX
Function ${PREFIX}CloseRunningCopy
  check:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0 ?e'
    Pop $1
    StrCmp $0 0 unopened
    System::Call 'kernel32::CloseHandle(p r0)'
    Goto running
  unopened:
    StrCmp $1 5 running
    FindWindow $0 "#32770" "${PRODUCT}"
    StrCmp $0 0 done
  running:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running.$\r$\nClose it, then press Retry; Cancel stops here and changes nothing." \
      /SD IDCANCEL IDRETRY check
    SetErrorLevel 3
    Quit
  done:
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; The mutex is per session: a copy running in another user's session is not
; seen above, yet it holds hourwright.exe; a running hourwright-report.exe
; holds its file too. Each must open for writing as the copy will open it
; (a missing one is a first install). Asks as for a running copy.
!macro CHECK_REPLACEABLE PREFIX
Function ${PREFIX}FileHeld ; $R0 the path; $R1 is 1 when it cannot be replaced
  StrCpy $R1 0
  System::Call 'kernel32::CreateFileW(w "$R0", i 0x40000000, i 1, p 0, i 3, i 0, p 0) p .r0 ?e'
  Pop $1
  IntCmp $0 -1 unopened
  System::Call 'kernel32::CloseHandle(p r0)'
  Return
  unopened:
    StrCmp $1 2 missing
    StrCmp $1 3 missing
    StrCpy $R1 1
  missing:
FunctionEnd

Function ${PREFIX}CheckReplaceable
  check:
    StrCpy $R0 "$INSTDIR\hourwright.exe"
    Call ${PREFIX}FileHeld
    StrCmp $R1 1 held
    StrCpy $R0 "$INSTDIR\hourwright-report.exe"
    Call ${PREFIX}FileHeld
    StrCmp $R1 1 held done
  held:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "$R0 is in use: ${PRODUCT} or hourwright-report may be running, perhaps for another user.$\r$\nClose it, then press Retry; Cancel stops here and changes nothing." \
      /SD IDCANCEL IDRETRY check
    SetErrorLevel 3
    Quit
  done:
FunctionEnd
!macroend
!insertmacro CHECK_REPLACEABLE ""
!insertmacro CHECK_REPLACEABLE "un."

Function .onInit
  Call CloseRunningCopy
  Call CheckReplaceable
FunctionEnd

; Another folder may hold another copy.
Function DirectoryLeave
  Call CheckReplaceable
FunctionEnd

Function un.onInit
  Call un.CloseRunningCopy
  Call un.CheckReplaceable
FunctionEnd

Function RunAsSignedInUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\hourwright.exe"'
FunctionEnd

Section "Hourwright"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}/hourwright.exe"
  File "${STAGE}/hourwright-report.exe"
  File "${STAGE}/hourwright-guide.html"
  File "${STAGE}/README.txt"
!ifdef LICENSE
  File "${STAGE}/LICENSE.txt"
!endif
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\hourwright.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\hourwright.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\hourwright.exe"
  Delete "$INSTDIR\hourwright-report.exe"
  Delete "$INSTDIR\hourwright-guide.html"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: anything the user put there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
