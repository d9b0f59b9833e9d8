; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer. scripts/package passes VERSION, SOURCE (a folder holding Overmoor.vst3,
; "Overmoor Manual.pdf" and LICENSE), OUTFILE, and the generated file lists BUNDLE_FILES and
; BUNDLE_REMOVAL (one File or Delete/RMDir line per bundle entry), so the uninstaller removes
; exactly what was installed.
; A 64-bit installer for a 64-bit plug-in: it needs no 32-bit layer (WoW64) to run.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include x64.nsh

!define PRODUCT "Overmoor"
!define MAKER "Morvane"
; Where the editor's Help reads "HelpPath".
!define PRODUCT_KEY "Software\Morvane\Stravel\Overmoor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Overmoor"
!define BUNDLE_DIR "$COMMONFILES64\VST3\Overmoor.vst3"
!define MANUAL "Overmoor Manual.pdf"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
BrandingText "${MAKER} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${SOURCE}/LICENSE"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Install"
  SetOutPath "${BUNDLE_DIR}"
  !include "${BUNDLE_FILES}"

  SetOutPath "$INSTDIR"
  File "${SOURCE}/${MANUAL}"
  File "${SOURCE}/LICENSE"
  File "${SOURCE}/overmoor-host.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The folder, with its closing backslash: the editor keeps the text up to the last one.
  WriteRegStr HKLM "${PRODUCT_KEY}" "HelpPath" "$INSTDIR\"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (VST3)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

; Only what the installer wrote: the user's presets (Documents\VST3 Presets) are never touched,
; and a folder that holds anything else stays.
Section "Uninstall"
  !include "${BUNDLE_REMOVAL}"
  RMDir "$COMMONFILES64\VST3"

  Delete "$INSTDIR\${MANUAL}"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\overmoor-host.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$PROGRAMFILES64\${MAKER}"

  DeleteRegKey HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Morvane\Stravel"
  DeleteRegKey /ifempty HKLM "Software\Morvane"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
