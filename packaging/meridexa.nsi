; The Japanese installer of Meridexa: a per-user install without administrator rights.
;   makensis -DSTAGE=<folder with the files to install> -DICON=<meridexa.ico> -DOUTFILE=<setup.exe> meridexa.nsi
; The staged files are the same ones the zip holds (see packaging/package.sh).
; Silent use: setup.exe /S [/D=<folder>] [/AUTOSTART] [/NODESKTOP]
;             uninstall.exe /S   (keeps the settings)

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!ifndef STAGE | ICON | OUTFILE
  !error "makensis -DSTAGE=<staged files> -DICON=<meridexa.ico> -DOUTFILE=<setup.exe> meridexa.nsi"
!endif

;  With a certificate, package.sh passes SIGN, the command that signs a file in place: the
;  uninstaller and the installer are then signed as each is written.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif

!define VERSION "1.50"
!define PUBLISHER "Quenholt"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Meridexa"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Quenholt\meridexa"
; Exit code of a setup or uninstall that stopped because Meridexa is running.
!define EXIT_RUNNING 2

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

Name "Meridexa ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Meridexa"
; Installing again offers the folder of the earlier install, so its settings and shortcuts stay valid.
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${PUBLISHER} Meridexa ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\meridexa.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\はじめにお読みください.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "1.50.0.0"
VIFileVersion "1.50.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "Meridexa"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "Meridexa ${VERSION} セットアップ"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "${PUBLISHER}"

; Files are replaced only while no copy of Meridexa holds its single-instance mutex: the user
; ends it and retries, or cancels. Silent runs cannot ask and stop with EXIT_RUNNING.
!macro DEFINE_WAIT_FOR_MERIDEXA PREFIX
Function ${PREFIX}WaitForMeridexaToEnd
  retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "MERIDEXA") p .r0'
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Meridexa が実行中です。$\r$\n$\r$\nMeridexa を終了してから［再試行］を押してください。" \
        /SD IDCANCEL IDRETRY retry
      SetErrorLevel ${EXIT_RUNNING}
      Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_FOR_MERIDEXA ""
!insertmacro DEFINE_WAIT_FOR_MERIDEXA "un."

Section "Meridexa（必須）" SecProgram
  SectionIn RO
  Call WaitForMeridexaToEnd
  SetOutPath "$INSTDIR"
  File "${STAGE}\meridexa.exe"
  File "${STAGE}\mdxutil.dll"
  File "${STAGE}\mdxsound.dll"
  File "${STAGE}\mdxgraph.dll"
  File "${STAGE}\meridexa.html"
  File "${STAGE}\はじめにお読みください.txt"
  SetOutPath "$INSTDIR\licenses"
  File "${STAGE}\licenses\GPL-3.txt"
  File "${STAGE}\licenses\MinGW-w64-runtime.txt"
  File "${STAGE}\licenses\NaturalEarth.txt"
  File "${STAGE}\licenses\Shinonome-fonts.txt"
  File "${STAGE}\licenses\Unicode-CLDR.txt"
  File "${STAGE}\licenses\tzdata.txt"
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\Meridexa.lnk" "$INSTDIR\meridexa.exe" "" "$INSTDIR\meridexa.exe" 0

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Meridexa"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\meridexa.exe"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; The optional parts also undo themselves when an install over an earlier one leaves them off.
Section "デスクトップにショートカットを作成する" SecDesktop
SectionEnd

Section /o "Windows の起動時に Meridexa を開始する" SecAutostart
SectionEnd

Section "-ApplyOptions"
  ${If} ${SectionIsSelected} ${SecDesktop}
    CreateShortCut "$DESKTOP\Meridexa.lnk" "$INSTDIR\meridexa.exe" "" "$INSTDIR\meridexa.exe" 0
  ${Else}
    Delete "$DESKTOP\Meridexa.lnk"
  ${EndIf}
  ${If} ${SectionIsSelected} ${SecAutostart}
    WriteRegStr HKCU "${RUN_KEY}" "Meridexa" '"$INSTDIR\meridexa.exe"'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "Meridexa"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Meridexa 本体、ライブラリ、ヘルプ、スタートメニューのショートカット。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "デスクトップに Meridexa のショートカットを置きます。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "Windows にサインインしたときに Meridexa を起動します。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Silent installs choose the optional parts on the command line.
Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/AUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecAutostart}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/NODESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

; Removes exactly what the installer put there, so a folder the user shares with other files keeps them.
Section "Uninstall"
  Call un.WaitForMeridexaToEnd
  Delete "$INSTDIR\meridexa.exe"
  Delete "$INSTDIR\mdxutil.dll"
  Delete "$INSTDIR\mdxsound.dll"
  Delete "$INSTDIR\mdxgraph.dll"
  Delete "$INSTDIR\meridexa.html"
  Delete "$INSTDIR\はじめにお読みください.txt"
  Delete "$INSTDIR\licenses\GPL-3.txt"
  Delete "$INSTDIR\licenses\MinGW-w64-runtime.txt"
  Delete "$INSTDIR\licenses\NaturalEarth.txt"
  Delete "$INSTDIR\licenses\Shinonome-fonts.txt"
  Delete "$INSTDIR\licenses\Unicode-CLDR.txt"
  Delete "$INSTDIR\licenses\tzdata.txt"
  RMDir "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Meridexa.lnk"
  Delete "$DESKTOP\Meridexa.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Meridexa"
  DeleteRegKey HKCU "${UNINST_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Meridexa の設定も削除しますか？$\r$\n（HKEY_CURRENT_USER\${SETTINGS_KEY}）$\r$\n$\r$\n［いいえ］を選ぶと設定を残します。もう一度インストールすると元の設定で始まります。" \
    /SD IDNO IDNO keepSettings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Quenholt"
  keepSettings:
SectionEnd
