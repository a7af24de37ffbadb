; The Windows installer: a 64-bit program that puts each plug-in format where 64-bit
; hosts look for it, registers with Windows' Apps list and removes exactly what it
; installed. Built by CPackPostBuild.cmake from the zip's staged tree:
;   makensis -DVERSION=<x.y.z> -DSTAGE=<staged tree> -DOUTFILE=<setup.exe> QuorvelDelay.nsi
; The bytes depend only on the staged files: their dates are the release's and no
; date of the build enters (no !define /date, no time stamp of our own).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetDateSave on
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh

!define PRODUCT "Quorvel Delay"
!define PUBLISHER "Quorvel Sound Design"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuorvelDelay"
!define BUNDLE "QuorvelDelay.vst3"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} ${VERSION} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "MIT licence"

Var Vst2Dir

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, a stereo delay, for 64-bit hosts that load VST3, CLAP or VST 2.4 plug-ins.$\r$\n$\r$\nClose your host before you continue; afterwards, let it scan for new plug-ins."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
; The VST2 folder is the musician's choice (hosts differ); shown only with VST2 chosen.
!define MUI_PAGE_HEADER_TEXT "VST2 plug-in folder"
!define MUI_PAGE_HEADER_SUBTEXT "Where your VST 2.4 host looks for plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts QuorvelDelay.dll into the folder below. If your host scans another VST plug-in folder, choose that one."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "VST2 plug-in folder"
!define MUI_DIRECTORYPAGE_VARIABLE $Vst2Dir
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipUnlessVst2
!insertmacro MUI_PAGE_DIRECTORY
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts the uninstaller and the documents into the folder below. The plug-ins go where hosts look for them."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Removes what the installation recorded in its registry key, and the key: each file
; by name, and a shared folder only where that installation created it and nothing
; else has come into it since. Used by the uninstaller and before a new installation,
; so a second installation never leaves the first one's files behind.
!macro RemoveRecorded un
Function ${un}RemoveRecorded
  SetRegView 64
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "Vst3Folder"
  ${If} $0 != ""
    Delete "$0\${BUNDLE}\Contents\x86_64-win\${BUNDLE}"
    Delete "$0\${BUNDLE}\Contents\Resources\moduleinfo.json"
    RMDir "$0\${BUNDLE}\Contents\x86_64-win"
    RMDir "$0\${BUNDLE}\Contents\Resources"
    RMDir "$0\${BUNDLE}\Contents"
    RMDir "$0\${BUNDLE}"
    ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "Vst3FolderCreated"
    ${If} $1 = 1
      RMDir "$0"
    ${EndIf}
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "ClapFolder"
  ${If} $0 != ""
    Delete "$0\QuorvelDelay.clap"
    ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "ClapFolderCreated"
    ${If} $1 = 1
      RMDir "$0"
    ${EndIf}
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "Vst2Folder"
  ${If} $0 != ""
    Delete "$0\QuorvelDelay.dll"
    ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "Vst2FolderCreated"
    ${If} $1 = 1
      RMDir "$0"
    ${EndIf}
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    Delete "$0\README.txt"
    Delete "$0\LICENSE.txt"
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
FunctionEnd
!macroend
!insertmacro RemoveRecorded ""
!insertmacro RemoveRecorded "un."

; Records a shared folder before the first file goes into it: its path, and whether
; this installation is the one that creates it.
!macro RecordFolder name path
  WriteRegStr HKLM "${UNINSTALL_KEY}" "${name}" "${path}"
  ${IfNot} ${FileExists} "${path}\*.*"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${name}Created" 1
  ${EndIf}
!macroend

Section "-Quorvel Delay" SecBase
  Call RemoveRecorded
  SetOutPath "$INSTDIR"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://quorvel.example/delay"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "VST3 plug-in" SecVst3
  !insertmacro RecordFolder Vst3Folder "$COMMONFILES64\VST3"
  SetOutPath "$COMMONFILES64\VST3\${BUNDLE}\Contents\x86_64-win"
  File "${STAGE}\${BUNDLE}\Contents\x86_64-win\${BUNDLE}"
  SetOutPath "$COMMONFILES64\VST3\${BUNDLE}\Contents\Resources"
  File "${STAGE}\${BUNDLE}\Contents\Resources\moduleinfo.json"
SectionEnd

Section "CLAP plug-in" SecClap
  !insertmacro RecordFolder ClapFolder "$COMMONFILES64\CLAP"
  SetOutPath "$COMMONFILES64\CLAP"
  File "${STAGE}\QuorvelDelay.clap"
SectionEnd

Section "VST2 plug-in" SecVst2
  !insertmacro RecordFolder Vst2Folder "$Vst2Dir"
  SetOutPath "$Vst2Dir"
  File "${STAGE}\QuorvelDelay.dll"
SectionEnd

; Apps shows the size of what this installation holds.
Section "-Size"
  SectionGetSize ${SecBase} $0
  ${If} ${SectionIsSelected} ${SecVst3}
    SectionGetSize ${SecVst3} $1
    IntOp $0 $0 + $1
  ${EndIf}
  ${If} ${SectionIsSelected} ${SecClap}
    SectionGetSize ${SecClap} $1
    IntOp $0 $0 + $1
  ${EndIf}
  ${If} ${SectionIsSelected} ${SecVst2}
    SectionGetSize ${SecVst2} $1
    IntOp $0 $0 + $1
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst3} "The VST3 bundle, in Common Files\VST3: Cubase, Nuendo, Studio One, Live, FL Studio, Bitwig, REAPER."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecClap} "The CLAP plug-in, in Common Files\CLAP: Bitwig, REAPER, FL Studio, Studio One."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst2} "The VST 2.4 plug-in, in a VST2 folder of your choice, for hosts and projects that use VST2."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetRegView 64
  ; A new installation keeps the VST2 folder the last one used.
  ReadRegStr $Vst2Dir HKLM "${UNINSTALL_KEY}" "Vst2Folder"
  ${If} $Vst2Dir == ""
    StrCpy $Vst2Dir "$COMMONFILES64\VST2"
  ${EndIf}
FunctionEnd

Function SkipUnlessVst2
  ${IfNot} ${SectionIsSelected} ${SecVst2}
    Abort
  ${EndIf}
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  Call un.RemoveRecorded
SectionEnd
