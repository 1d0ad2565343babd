; Zandor 3D setup: puts the screensaver and randomstart under Program Files, makes
; randomstart the system's screensaver entry and records the installation in the
; current user's registry, where the programs look for it.
;
;   makensis -DSOURCE_DIR=<repository> -DBIN_DIR=<built programs> -DICON=<icon 128>
;            -DSCREENSAVER=<screensaver's file name> -DLAUNCHER=<randomstart's file name>
;            -DOUTFILE=<setup program> Zandor3D.nsi
;
; Silent runs: "Zandor3D-setup.exe /S"; "uninstall.exe /S", with /REMOVESETTINGS to
; drop the user's settings as well.

; A 64-bit installer like the programs it installs: it sees the real Program Files,
; System32 and registry, with no file-system or registry redirection in between.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

; Names the programs use, read from their own header and resource script.
!define STRINGS_H "${SOURCE_DIR}/resources/ProductStrings.h"
!define PROGRAM_RC "${SOURCE_DIR}/resources/Zandor3D.rc"
!searchparse /file "${STRINGS_H}" '#define STR_FAMILY_KEY "' FAMILY_KEY_C '"'
!searchreplace FAMILY_KEY "${FAMILY_KEY_C}" "\\" "\"
!searchparse "${FAMILY_KEY}" "Software\" MAKER "\" FAMILY
!searchparse /file "${STRINGS_H}" '#define STR_PRODUCT_KEY "' PRODUCT_KEY '"'
!searchparse /file "${STRINGS_H}" '#define STR_PRODUCT_ID "' PRODUCT_ID '"'
!searchparse /file "${STRINGS_H}" '#define STR_FAMILY_LIST_KEY "' LIST_KEY '"'
!searchparse /file "${STRINGS_H}" '#define STR_START_RANDOM "' START_RANDOM '"'
!searchparse /file "${STRINGS_H}" '#define STR_EXECUTABLE_PATH "' EXECUTABLE_PATH '"'
!searchparse /file "${STRINGS_H}" '#define STR_INSTALL_PATH "' INSTALL_PATH '"'
!searchparse /file "${STRINGS_H}" '#define STR_CACHE_FOLDER "' CACHE_FOLDER '"'
!searchparse /file "${STRINGS_H}" '#define STR_CACHED_DOCUMENT "' CACHED_DOCUMENT '"'
!searchparse /file "${STRINGS_H}" '#define STR_CACHED_SCREENSHOT "' CACHED_SCREENSHOT '"'
!searchparse /file "${STRINGS_H}" '#define STR_CACHED_ICON "' CACHED_ICON '"'
!searchparse /file "${STRINGS_H}" '#define STR_PARTIAL_SUFFIX "' PARTIAL_SUFFIX '"'
!searchparse /file "${PROGRAM_RC}" 'VALUE "ProductName", "' PRODUCT_NAME '"'
!searchparse /file "${PROGRAM_RC}" 'VALUE "CompanyName", "' PUBLISHER '"'
!searchparse /file "${PROGRAM_RC}" 'VALUE "ProductVersion", "' VERSION '"'
!searchparse /file "${PROGRAM_RC}" 'VALUE "FileVersion", "' FILE_VERSION '"'
!searchparse /file "${PROGRAM_RC}" 'VALUE "LegalCopyright", "' COPYRIGHT '"'

!define MAKER_KEY "Software\${MAKER}"
!define PRODUCT_REG "${FAMILY_KEY}\${PRODUCT_KEY}"
!define LIST_REG "${FAMILY_KEY}\${LIST_KEY}"
!define UNINSTALL_REG "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT_KEY}"
!define DESKTOP_REG "Control Panel\Desktop"
!define UNINSTALLER "uninstall.exe"
; randomstart under the product's name, where the system's screensaver settings look.
!define SYSTEM_ENTRY_NAME "${PRODUCT_NAME}.scr"
!define SYSTEM_ENTRY "$SYSDIR\${SYSTEM_ENTRY_NAME}"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_SEND 3
!define IDC_SPACE_REQUIRED 1023

Name "${PRODUCT_NAME}"
BrandingText "${PRODUCT_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${FAMILY}\${PRODUCT_NAME}"
; Installing again goes where the last installation went.
InstallDirRegKey HKCU "${PRODUCT_REG}" "${INSTALL_PATH}"

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey ProductName "${PRODUCT_NAME}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT_NAME} Setup"
VIAddVersionKey FileVersion "${FILE_VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW un.HideSpaceRequired
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "${PRODUCT_NAME}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/${SCREENSAVER}"
  File "${BIN_DIR}/${LAUNCHER}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetOutPath "$SYSDIR"
  File "/oname=${SYSTEM_ENTRY_NAME}" "${BIN_DIR}/${LAUNCHER}"
  WriteRegStr HKCU "${PRODUCT_REG}" "${INSTALL_PATH}" "$INSTDIR\"
  WriteRegStr HKCU "${PRODUCT_REG}" "${EXECUTABLE_PATH}" "$INSTDIR\${SCREENSAVER}"
  WriteRegStr HKCU "${LIST_REG}" "${PRODUCT_ID}" "${PRODUCT_NAME}"
  Call WriteUninstallEntry
SectionEnd

Section "Use ${PRODUCT_NAME} as my screensaver" SecChoose
  WriteRegStr HKCU "${DESKTOP_REG}" "SCRNSAVE.EXE" "${SYSTEM_ENTRY}"
  ; Tells the running system, which would otherwise pick the choice up at the next logon.
  System::Call "user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_UPDATE_AND_SEND})"
SectionEnd

Function WriteUninstallEntry
  WriteRegStr HKLM "${UNINSTALL_REG}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKLM "${UNINSTALL_REG}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_REG}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_REG}" "DisplayIcon" "$INSTDIR\${SCREENSAVER}"
  WriteRegStr HKLM "${UNINSTALL_REG}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_REG}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_REG}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_REG}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_REG}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  ${GetSize} "$SYSDIR" "/M=${SYSTEM_ENTRY_NAME} /S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_REG}" "EstimatedSize" $0
FunctionEnd

Section "un.${PRODUCT_NAME}" UnSecProgram
  SectionIn RO
  Call un.ReleaseScreensaverChoice
  Delete "${SYSTEM_ENTRY}"
  Delete "$INSTDIR\${SCREENSAVER}"
  Delete "$INSTDIR\${LAUNCHER}"
  Delete "$INSTDIR\${UNINSTALLER}"
  Call un.RemoveDownloadCache
  RMDir "$INSTDIR"
  Call un.RemoveFamilyFolder
  DeleteRegValue HKCU "${LIST_REG}" "${PRODUCT_ID}"
  DeleteRegKey /ifempty HKCU "${LIST_REG}"
  DeleteRegValue HKCU "${PRODUCT_REG}" "${INSTALL_PATH}"
  DeleteRegValue HKCU "${PRODUCT_REG}" "${EXECUTABLE_PATH}"
  DeleteRegKey /ifempty HKCU "${PRODUCT_REG}"
  DeleteRegKey HKLM "${UNINSTALL_REG}"
SectionEnd

Section /o "un.Also my ${PRODUCT_NAME} settings" UnSecSettings
  DeleteRegKey HKCU "${PRODUCT_REG}"
  ; The family's random-start switch leaves with its last listed member.
  EnumRegValue $0 HKCU "${LIST_REG}" 0
  ${If} $0 == ""
    DeleteRegValue HKCU "${FAMILY_KEY}" "${START_RANDOM}"
  ${EndIf}
SectionEnd

Section "-un.Family"
  DeleteRegKey /ifempty HKCU "${FAMILY_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
SectionEnd

Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd

; Removing frees space: the uninstaller's choice shows no "Space required".
Function un.HideSpaceRequired
  GetDlgItem $0 $mui.ComponentsPage ${IDC_SPACE_REQUIRED}
  ShowWindow $0 ${SW_HIDE}
FunctionEnd

; Resets the user's screensaver only when it is ours, named by its long or its short path.
Function un.ReleaseScreensaverChoice
  ReadRegStr $0 HKCU "${DESKTOP_REG}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "${SYSTEM_ENTRY}"
  ${If} $0 == "${SYSTEM_ENTRY}"
  ${OrIf} $0 == $1
    DeleteRegValue HKCU "${DESKTOP_REG}" "SCRNSAVE.EXE"
  ${EndIf}
FunctionEnd

; A file of the download cache, and the side file an update cut short leaves beside it.
!macro DeleteCached FILE
  Delete "${FILE}"
  Delete "${FILE}${PARTIAL_SUFFIX}"
!macroend

; The settings dialog's download cache: the family's product list and each product's
; screenshot and icon. File by file, so that nothing else in its folder is lost.
Function un.RemoveDownloadCache
  !define CACHE "$INSTDIR\${CACHE_FOLDER}"
  !insertmacro DeleteCached "${CACHE}\${CACHED_DOCUMENT}"
  FindFirst $0 $1 "${CACHE}\*"
  ${DoWhile} $1 != ""
    ${If} $1 != "."
    ${AndIf} $1 != ".."
      !insertmacro DeleteCached "${CACHE}\$1\${CACHED_SCREENSHOT}"
      !insertmacro DeleteCached "${CACHE}\$1\${CACHED_ICON}"
      RMDir "${CACHE}\$1"
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
  RMDir "${CACHE}"
  !undef CACHE
FunctionEnd

; The family's shared folder goes with its last member.
Function un.RemoveFamilyFolder
  ${GetParent} "$INSTDIR" $0
  ${GetFileName} $0 $1
  ${If} $1 == "${FAMILY}"
    RMDir $0
  ${EndIf}
FunctionEnd
