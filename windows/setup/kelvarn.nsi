; Kelvarn's setup program: installs the game into Program Files, adds its Start menu shortcut and
; its entry under "Apps" / "Programs and Features", upgrades in place and uninstalls cleanly.
;
; Built by `make windows` (the CMake target `setup`) with:
;   makensis -DVERSION=3.0 -DVERSION4=3.0.0.0 -DEXE=<kelvarn.exe> -DSOUND=<sound folder>
;            -DOUTFILE=<setup.exe> [-DICON=<kelvarn.ico>] kelvarn.nsi
;
; Players' lists are never touched: the installed game cannot write Program Files, so it keeps its
; list in %APPDATA%\Kelvarn; a data.dat that a player put into the program folder by hand stays too.
; The uninstaller therefore deletes file by file exactly what this setup wrote, and the folders
; only when they are empty.

Unicode true
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!ifndef VERSION | VERSION4 | EXE | SOUND | OUTFILE
  !error "give VERSION, VERSION4, EXE, SOUND and OUTFILE with -D"
!endif

!define PRODUCT "Kelvarn"
!define PUBLISHER "Kelvarn developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvarn"
; One setup or uninstaller at a time: both take this mutex first.
!define SETUP_MUTEX "Kelvarn.Setup"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; The finish page offers no "start the game now": started from an elevated setup, the game could
; write its list into Program Files, where the player's own later starts would never find it.

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UN_KEEPS_LISTS)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; English first: it is the language of every display language other than Chinese.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString SEC_GAME ${LANG_ENGLISH} "Kelvarn (game and sounds)"
LangString SEC_GAME ${LANG_SIMPCHINESE} "Kelvarn（游戏和音效）"
LangString SEC_DESKTOP ${LANG_ENGLISH} "Desktop shortcut"
LangString SEC_DESKTOP ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString MSG_SETUP_RUNNING ${LANG_ENGLISH} "Another Kelvarn setup or uninstaller is already running. Finish it first."
LangString MSG_SETUP_RUNNING ${LANG_SIMPCHINESE} "另一个 Kelvarn 安装或卸载程序正在运行，请等它结束后再试。"
LangString MSG_GAME_RUNNING ${LANG_ENGLISH} "Kelvarn is running from $INSTDIR, so its files cannot be replaced or removed.$\r$\nClose the game, then choose Retry."
LangString MSG_GAME_RUNNING ${LANG_SIMPCHINESE} "Kelvarn 正在 $INSTDIR 中运行，无法替换或删除它的文件。$\r$\n请关闭游戏，然后点击“重试”。"
LangString MSG_NOT_DONE ${LANG_ENGLISH} "Nothing was changed: Kelvarn is still running from $INSTDIR."
LangString MSG_NOT_DONE ${LANG_SIMPCHINESE} "未做任何更改：Kelvarn 仍在 $INSTDIR 中运行。"
LangString MSG_FOREIGN ${LANG_ENGLISH} "The folder $INSTDIR already holds files that Kelvarn's setup did not put there.$\r$\nThey will be left as they are, and the uninstaller will not remove them. Install here anyway?"
LangString MSG_FOREIGN ${LANG_SIMPCHINESE} "文件夹 $INSTDIR 中已有并非由 Kelvarn 安装程序放入的文件。$\r$\n这些文件将保持原样，卸载时也不会被删除。仍要安装到这里吗？"
LangString MSG_WRITE_FAILED ${LANG_ENGLISH} "Could not write $0. Kelvarn is not completely installed; run the setup again once the file is free."
LangString MSG_WRITE_FAILED ${LANG_SIMPCHINESE} "无法写入 $0。Kelvarn 未能完整安装；请在该文件不再被占用后重新运行安装程序。"
LangString UN_KEEPS_LISTS ${LANG_ENGLISH} "Kelvarn will be removed from the folder below. Your high-score lists stay: the lists in %APPDATA%\Kelvarn and a data.dat in the program folder are not deleted."
LangString UN_KEEPS_LISTS ${LANG_SIMPCHINESE} "将从下列文件夹卸载 Kelvarn。您的英雄榜会保留：%APPDATA%\Kelvarn 中的记录和程序文件夹中的 data.dat 都不会被删除。"
LangString UN_NOT_REMOVED ${LANG_ENGLISH} "Some of Kelvarn's files could not be removed:$0$\r$\nThey are in use; run the uninstaller again later."
LangString UN_NOT_REMOVED ${LANG_SIMPCHINESE} "Kelvarn 的部分文件无法删除：$0$\r$\n这些文件正在使用中，请稍后再次运行卸载程序。"
LangString UN_FOLDER_KEPT ${LANG_ENGLISH} "The folder $INSTDIR was kept: it holds files that Kelvarn's setup did not put there, such as a high-score list."
LangString UN_FOLDER_KEPT ${LANG_SIMPCHINESE} "已保留文件夹 $INSTDIR：其中有并非由 Kelvarn 安装程序放入的文件，例如英雄榜记录。"

; The sound files the game plays, each a file of its own in sound\.
!macro SOUNDS MACRO
  !insertmacro ${MACRO} "Bu.wav"
  !insertmacro ${MACRO} "put.wav"
  !insertmacro ${MACRO} "explo.wav"
  !insertmacro ${MACRO} "hit.wav"
  !insertmacro ${MACRO} "dea.wav"
  !insertmacro ${MACRO} "error.wav"
  !insertmacro ${MACRO} "end.wav"
!macroend

; Chinese pages for every Chinese display language, English for all others.
!macro PICK_LANGUAGE
  System::Call 'kernel32::GetUserDefaultUILanguage() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 0x04
    StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

!macro TAKE_SETUP_MUTEX
  System::Call 'kernel32::CreateMutexW(p 0, i 1, w "${SETUP_MUTEX}") p .r1 ?e'
  Pop $0
  ${If} $0 = 183 ; ERROR_ALREADY_EXISTS
    MessageBox MB_OK|MB_ICONSTOP "$(MSG_SETUP_RUNNING)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

; Waits until the installed kelvarn.exe can be opened for writing, which Windows refuses while the
; program runs. Asks the player to close it; stops the setup (error level 2) when the player gives
; up, and in silent mode at once. One copy for the setup, one ("un.") for the uninstaller.
!macro WAIT_FOR_GAME_CLOSED UN
Function ${UN}WaitForGameClosed
  again:
  IfFileExists "$INSTDIR\kelvarn.exe" 0 free
  ClearErrors
  FileOpen $0 "$INSTDIR\kelvarn.exe" a
  IfErrors busy
  FileClose $0
  free:
  Return
  busy:
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(MSG_GAME_RUNNING)" /SD IDCANCEL IDRETRY again
  DetailPrint "$(MSG_NOT_DONE)"
  SetErrorLevel 2
  Abort "$(MSG_NOT_DONE)"
FunctionEnd
!macroend
!insertmacro WAIT_FOR_GAME_CLOSED ""
!insertmacro WAIT_FOR_GAME_CLOSED "un."

Var ForeignFiles

; Sets ForeignFiles to 1 when $INSTDIR holds anything besides what this setup writes and a
; player's data.dat.
Function FindForeignFiles
  StrCpy $ForeignFiles 0
  ClearErrors
  FindFirst $0 $1 "$INSTDIR\*"
  ${DoUntil} ${Errors}
    ${If} $1 != "."
    ${AndIf} $1 != ".."
    ${AndIf} $1 != "kelvarn.exe"
    ${AndIf} $1 != "uninstall.exe"
    ${AndIf} $1 != "data.dat"
    ${AndIf} $1 != "sound"
      StrCpy $ForeignFiles 1
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
FunctionEnd

Function CheckFolder
  Call FindForeignFiles
  ${If} $ForeignFiles = 1
    MessageBox MB_YESNO|MB_ICONEXCLAMATION "$(MSG_FOREIGN)" /SD IDYES IDYES +2
    Abort ; back to the folder page
  ${EndIf}
FunctionEnd

Function .onInit
  SetRegView 64
  !insertmacro PICK_LANGUAGE
  !insertmacro TAKE_SETUP_MUTEX
FunctionEnd

!macro INSTALL_SOUND NAME
  ClearErrors
  File "${SOUND}\${NAME}"
  ${If} ${Errors}
    StrCpy $0 "$INSTDIR\sound\${NAME}"
    Call WriteFailed
  ${EndIf}
!macroend

Function WriteFailed
  DetailPrint "$(MSG_WRITE_FAILED)"
  MessageBox MB_OK|MB_ICONSTOP "$(MSG_WRITE_FAILED)" /SD IDOK
  SetErrorLevel 2
  Abort "$(MSG_WRITE_FAILED)"
FunctionEnd

Section "$(SEC_GAME)" SEC_GAME_ID
  SectionIn RO
  SetShellVarContext all
  ${If} ${Silent}
    ; No folder page: say here what the page would have said.
    Call FindForeignFiles
    ${If} $ForeignFiles = 1
      DetailPrint "$(MSG_FOREIGN)"
    ${EndIf}
  ${EndIf}
  Call WaitForGameClosed

  ; An older version is replaced file by file; data.dat and %APPDATA% are not touched.
  SetOverwrite on
  SetOutPath "$INSTDIR"
  ClearErrors
  File "/oname=kelvarn.exe" "${EXE}"
  ${If} ${Errors}
    StrCpy $0 "$INSTDIR\kelvarn.exe"
    Call WriteFailed
  ${EndIf}
  SetOutPath "$INSTDIR\sound"
  !insertmacro SOUNDS INSTALL_SOUND
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kelvarn.exe" "" "$INSTDIR\kelvarn.exe" 0

  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kelvarn.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  SectionGetSize ${SEC_GAME_ID} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section /o "$(SEC_DESKTOP)" SEC_DESKTOP_ID
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\kelvarn.exe" "" "$INSTDIR\kelvarn.exe" 0
SectionEnd

; ---- Uninstaller ------------------------------------------------------------------------------

Var NotRemoved

Function un.onInit
  SetRegView 64
  !insertmacro PICK_LANGUAGE
  !insertmacro TAKE_SETUP_MUTEX
FunctionEnd

!macro UNINSTALL_FILE PATH
  ClearErrors
  Delete "${PATH}"
  ${If} ${Errors}
    StrCpy $NotRemoved "$NotRemoved$\r$\n${PATH}"
  ${EndIf}
!macroend

!macro UNINSTALL_SOUND NAME
  !insertmacro UNINSTALL_FILE "$INSTDIR\sound\${NAME}"
!macroend

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Call un.WaitForGameClosed
  StrCpy $NotRemoved ""

  !insertmacro UNINSTALL_FILE "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro UNINSTALL_FILE "$DESKTOP\${PRODUCT}.lnk"
  !insertmacro UNINSTALL_FILE "$INSTDIR\kelvarn.exe"
  !insertmacro SOUNDS UNINSTALL_SOUND
  RMDir "$INSTDIR\sound"

  ${If} $NotRemoved != ""
    ; Keep the uninstaller and its entry, so that it can be run again.
    StrCpy $0 $NotRemoved
    DetailPrint "$(UN_NOT_REMOVED)"
    MessageBox MB_OK|MB_ICONSTOP "$(UN_NOT_REMOVED)" /SD IDOK
    SetErrorLevel 2
    Abort "$(UN_NOT_REMOVED)"
  ${EndIf}

  Delete "$INSTDIR\uninstall.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Only an empty folder goes: a player's data.dat or anyone's other files keep it.
  ClearErrors
  RMDir "$INSTDIR"
  ${If} ${Errors}
    DetailPrint "$(UN_FOLDER_KEPT)"
    MessageBox MB_OK|MB_ICONINFORMATION "$(UN_FOLDER_KEPT)" /SD IDOK
  ${EndIf}
SectionEnd
