; Dorbolt's setup program.
; The programs and the alarm sound go into the Windows folder: the start-up value names
; C:\Windows\Dorwatch.exe and the alarm plays C:\Windows\magisnd.wav. Only the uninstaller
; lives in Program Files. The settings under HKLM\SOFTWARE\Security\Dorbolt are never touched:
; a reinstall finds the password where it was.
;
; The build passes the files in:
;   makensis -DWATCH_EXE=... -DGUARD_EXE=... -DSOUND=... -DICON=... -DVERSION=1.0.0
;            -DOUTFILE=.../DorboltSetup.exe dorbolt.nsi

!macro Require def
  !ifndef ${def}
    !error "makensis needs -D${def}=..."
  !endif
!macroend
!insertmacro Require WATCH_EXE
!insertmacro Require GUARD_EXE
!insertmacro Require SOUND
!insertmacro Require ICON
!insertmacro Require VERSION
!insertmacro Require OUTFILE

; The programs are 64-bit; the 32-bit stub would see the 32-bit registry view and folders.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; A file that cannot be written stops the setup instead of being skipped in silence.
AllowSkipFiles off

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorbolt"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define MENU_DIR "$SMPROGRAMS\Dorbolt"

Name "Dorbolt"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Dorbolt"
BrandingText "Dorbolt ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Dorbolt"
VIAddVersionKey "CompanyName" "Dorbolt"
VIAddVersionKey "FileDescription" "Dorbolt Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "(c) 2026 Dorbolt"

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install Dorwatch and Dorguard, the two Dorbolt programs, and the alarm sound into your Windows folder.$\r$\n$\r$\nClose Dorbolt before you continue.$\r$\n$\r$\n$_CLICK"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Stops the setup while a running Dorbolt holds one of its files ($R0): Windows cannot replace
; a running program, and a half-new half-old set would not start.
Function RequireFree
  IfFileExists $R0 0 done
  retry:
    ClearErrors
    FileOpen $0 $R0 a
    IfErrors 0 free
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$R0 is in use.$\r$\n$\r$\nLeave Dorbolt (unlock the computer first) and press Retry." /SD IDCANCEL IDRETRY retry
    Abort
  free:
    FileClose $0
  done:
FunctionEnd

Function .onInit
  SetRegView 64
  SetShellVarContext all
  StrCpy $R0 "$WINDIR\Dorwatch.exe"
  Call RequireFree
  StrCpy $R0 "$WINDIR\Dorguard.exe"
  Call RequireFree
  StrCpy $R0 "$WINDIR\magisnd.wav"
  Call RequireFree
FunctionEnd

Section "Dorbolt"
  SetOutPath "$WINDIR"
  File "/oname=Dorwatch.exe" "${WATCH_EXE}"
  File "/oname=Dorguard.exe" "${GUARD_EXE}"
  File "/oname=magisnd.wav" "${SOUND}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Shortcuts start in the Windows folder, as the start-up value does.
  SetOutPath "$WINDIR"
  CreateDirectory "${MENU_DIR}"
  CreateShortcut "${MENU_DIR}\Dorwatch.lnk" "$WINDIR\Dorwatch.exe" "" "$WINDIR\Dorwatch.exe" 0
  CreateShortcut "${MENU_DIR}\Dorguard.lnk" "$WINDIR\Dorguard.exe" "" "$WINDIR\Dorguard.exe" 0
  CreateShortcut "${MENU_DIR}\Uninstall Dorbolt.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "Dorbolt"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "Dorbolt"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$WINDIR\Dorwatch.exe,0"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
  ; In KiB, as Add/Remove Programs shows it.
  SectionGetSize 0 $0
  WriteRegDWORD HKLM "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  ; A program still running is removed at the next restart.
  Delete /REBOOTOK "$WINDIR\Dorwatch.exe"
  Delete /REBOOTOK "$WINDIR\Dorguard.exe"
  Delete /REBOOTOK "$WINDIR\magisnd.wav"

  Delete "${MENU_DIR}\Dorwatch.lnk"
  Delete "${MENU_DIR}\Dorguard.lnk"
  Delete "${MENU_DIR}\Uninstall Dorbolt.lnk"
  RMDir "${MENU_DIR}"

  ; The program only ever writes the start-up value; removing it is the uninstaller's job.
  DeleteRegValue HKLM "${RUN_KEY}" "Dorbolt"
  DeleteRegKey HKLM "${UNINST_KEY}"

  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
