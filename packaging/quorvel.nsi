; Quorvel's installer. It installs for the current user only, without
; administrator rights, into the user's own programs folder: Quorvel writes its
; shortcut file beside quorvel.exe, so the folder must be the user's to write.
;
;   makensis -DVERSION=2.1.0 -DSTAGE=<folder with quorvel.exe, README.txt and
;            LICENSE.txt> -DICON=<quorvel.ico> -DOUTFILE=<setup.exe> quorvel.nsi
;
; The uninstaller takes /REMOVEDATA to remove the shortcut file and settings
; without asking (it asks otherwise, and keeps them when run silently with /S).

Unicode True
; 64-bit, like quorvel.exe.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "define VERSION, STAGE, ICON and OUTFILE"
!endif

!define PRODUCT "Quorvel"
!define PUBLISHER "The Quorvel developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"
; Where Quorvel keeps its settings (applications "Quorvel" and "Quorvel 2.1").
!define SETTINGS_ROOT "Software\VB and VBA Program Settings"
; The start-with-Windows question copies this link into the StartUp folder.
!define PROGRAMS_LINK "$SMPROGRAMS\Quorvel\Quorvel.LNK"
!define STARTUP_LINK "$SMSTARTUP\Quorvel.LNK"
!define FOLDERID_UserProgramFiles "{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir ""
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\quorvel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quorvel"

!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW finishPageShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}; MIT licence"

; A running Quorvel holds quorvel.exe open and would keep its hook and tray icon
; through the change. Setup asks the user's own running copy to close as Exit
; would, without its question: it sets an event named for the user's SID in the
; session's namespace (app/win32/setup_close_request.cpp), so another user's
; copy is never reached, and the copy saves its list, removes its icon and ends.
; The event's name goes with the last copy holding it. Setup starts Quorvel again
; once it has installed.
!define CLOSE_EVENT_PREFIX "Local\Quorvel-close-for-setup-"
; How long a copy has to save and end, in tenths of a second.
!define CLOSE_WAIT_TENTHS 300
!define EVENT_MODIFY_STATE 0x0002
!define SYNCHRONIZE 0x00100000

; 1 once this user's running Quorvel was closed for the install.
Var quorvelClosed

!macro CLOSE_RUNNING_QUORVEL PREFIX
; The event's name for this user, in $R0; empty when the token will not give
; the SID.
Function ${PREFIX}closeEventName
  StrCpy $R0 ""
  System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r0) i .r1'
  ${If} $1 <> 0
    System::Call 'advapi32::GetTokenInformation(p r0, i 1, p 0, i 0, *i .r2)'
    System::Alloc $2
    Pop $3
    System::Call 'advapi32::GetTokenInformation(p r0, i 1, p r3, i r2, *i .r2) i .r1'
    ${If} $1 <> 0
      ; TOKEN_USER starts with the SID's address.
      System::Call '*$3(p .r1)'
      System::Call 'advapi32::ConvertSidToStringSidW(p r1, *p .r2) i .r1'
      ${If} $1 <> 0
        System::Call '*$2(&w${NSIS_MAX_STRLEN} .r1)'
        System::Call 'kernel32::LocalFree(p r2)'
        StrCpy $R0 "${CLOSE_EVENT_PREFIX}$1"
      ${EndIf}
    ${EndIf}
    System::Free $3
    System::Call 'kernel32::CloseHandle(p r0)'
  ${EndIf}
FunctionEnd

; Closes this user's running Quorvel and waits for it to end and for
; quorvel.exe to be free. When it does not end (its list could not be saved, or
; it is a copy that cannot be asked), the user is asked to exit it; silently,
; setup gives up with exit code 2.
Function ${PREFIX}closeRunningQuorvel
  StrCpy $quorvelClosed 0
  Call ${PREFIX}closeEventName
  ${Do}
    StrCpy $R1 0
    StrCpy $R2 0
    ${If} $R0 != ""
      System::Call 'kernel32::OpenEventW(i ${EVENT_MODIFY_STATE}, i 0, w R0) p .r0'
      ${If} $0 != 0
        System::Call 'kernel32::SetEvent(p r0)'
        System::Call 'kernel32::CloseHandle(p r0)'
        StrCpy $quorvelClosed 1
        ; Still running until the name has gone.
        StrCpy $R2 1
        ${Do}
          Sleep 100
          IntOp $R1 $R1 + 1
          System::Call 'kernel32::OpenEventW(i ${SYNCHRONIZE}, i 0, w R0) p .r0'
          ${If} $0 == 0
            StrCpy $R2 0
            ${Break}
          ${EndIf}
          System::Call 'kernel32::CloseHandle(p r0)'
        ${LoopUntil} $R1 >= ${CLOSE_WAIT_TENTHS}
      ${EndIf}
    ${EndIf}
    ; The program's file is let go a moment after the event's name.
    ${DoWhile} $R2 = 0
      ${IfNot} ${FileExists} "$INSTDIR\quorvel.exe"
        Return
      ${EndIf}
      ClearErrors
      FileOpen $0 "$INSTDIR\quorvel.exe" a
      ${IfNot} ${Errors}
        FileClose $0
        Return
      ${EndIf}
      Sleep 100
      IntOp $R1 $R1 + 1
      ${If} $R1 >= ${CLOSE_WAIT_TENTHS}
        ${Break}
      ${EndIf}
    ${Loop}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "Quorvel is running and did not close. Exit it with its Exit button, then choose Retry." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
    retry:
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_QUORVEL ""
!insertmacro CLOSE_RUNNING_QUORVEL "un."

; Quorvel started again by setup: the finish page offers no second start.
Function finishPageShow
  ${If} $quorvelClosed = 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext current
  ; An earlier installation's folder comes from InstallDirRegKey.
  ${If} $INSTDIR == ""
    System::Call 'shell32::SHGetKnownFolderPath(g "${FOLDERID_UserProgramFiles}", i 0x8000, p 0, *p .r1) i .r0'
    ${If} $0 = 0
      System::Call '*$1(&w${NSIS_MAX_STRLEN} .r2)'
      StrCpy $INSTDIR "$2\${PRODUCT}"
    ${Else}
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
    System::Call 'ole32::CoTaskMemFree(p r1)'
  ${EndIf}
FunctionEnd

Section "Quorvel"
  Call closeRunningQuorvel
  SetOutPath "$INSTDIR"
  File "${STAGE}/quorvel.exe"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Quorvel"
  CreateShortcut "${PROGRAMS_LINK}" "$INSTDIR\quorvel.exe" "" "$INSTDIR\quorvel.exe" 0

  ; Apps & features
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorvel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; For the same user, as setup runs with their rights.
  ${If} $quorvelClosed = 1
    Exec '"$INSTDIR\quorvel.exe"'
  ${EndIf}
SectionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

; The uninstaller runs from a copy of itself in the temporary folder, which it
; cannot delete while it runs, and a user may not have files deleted at the next
; restart. A hidden command shell deletes the copy and its folder once this
; process has ended (it tries for half a minute, once a second).
Function un.onUninstSuccess
  ; The shell must not stand in the folder it removes.
  SetOutPath "$TEMP"
  ExecShell "open" "$SYSDIR\cmd.exe" \
    '/d /c for /l %n in (1,1,30) do @(ping -n 2 127.0.0.1 >nul & del /f /q "$EXEPATH" 2>nul & if not exist "$EXEPATH" (rmdir "$EXEDIR" 2>nul & exit))' \
    SW_HIDE
FunctionEnd

; The shortcut file beside the program (with the copies Quorvel may have left
; beside it) and the settings: the user's own data, removed only on request.
Function un.removeUserData
  ${un.GetParameters} $0
  ClearErrors
  ${un.GetOptions} $0 "/REMOVEDATA" $1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Remove your shortcuts (defaultkeys.qvb in $INSTDIR) and Quorvel's settings as well?" \
      /SD IDNO IDYES remove
    Return
  ${EndIf}
  remove:
  Delete "$INSTDIR\defaultkeys.qvb"
  Delete "$INSTDIR\defaultkeys.qvb.quorvel-tmp"
  Delete "$INSTDIR\defaultkeys.qvb.unread*"
  DeleteRegKey HKCU "${SETTINGS_ROOT}\Quorvel"
  DeleteRegKey HKCU "${SETTINGS_ROOT}\Quorvel 2.1"
  ; Shared with other programs: removed only when nothing else is left in it.
  DeleteRegKey /ifempty HKCU "${SETTINGS_ROOT}"
FunctionEnd

Section "Uninstall"
  Call un.closeRunningQuorvel
  Delete "$INSTDIR\quorvel.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "${PROGRAMS_LINK}"
  RMDir "$SMPROGRAMS\Quorvel"
  ; Placed by a Yes to the start-with-Windows question.
  Delete "${STARTUP_LINK}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Call un.removeUserData
  ; Stays when it still holds the user's shortcut file.
  RMDir "$INSTDIR"
SectionEnd
