; The Windows installer of Briskel View (makensis, scripts/build-windows):
;   makensis -DVERSION=1.0.0 -DPROGRAM_DIR=<build>/bin -DICON=<the program's .ico>
;            -DOUTFILE=<setup .exe> briskel-view.nsi
; It installs for the current user only, without administrator rights, into
; %LOCALAPPDATA%\Programs\Briskel View: the program keeps its settings
; (Briskel.ini, BriskelExport.ini), the names of objects (BriskelObjects.ini),
; its log (ZR881x_9025.log) and its export journal (Briskel_exports.txt)
; beside itself, so its folder must be the user's to write. The uninstaller removes what the installer put there and
; nothing else: those files and any workbook saved in the folder stay.
; Silent: setup.exe /S [/D=folder]; uninstall.exe /S.

Unicode true
Target amd64-unicode

!macro Needed name
  !ifndef ${name}
    !error "${name} is to be given: makensis -D${name}=..."
  !endif
!macroend
!insertmacro Needed VERSION
!insertmacro Needed PROGRAM_DIR
!insertmacro Needed ICON
!insertmacro Needed OUTFILE

!define PRODUCT "Briskel View"
!define COMPANY "Briskel"
!define PROGRAM "briskel-view.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\BriskelView"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An update goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright © ${COMPANY}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The program's five languages; Windows' own language chooses, English otherwise.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "Italian"

; One file of the program: installed from PROGRAM_DIR, or removed again. The
; two lists are one, so the uninstaller takes exactly what was installed.
!macro ProgramFile action folder name
  !if "${action}" == "install"
    SetOutPath "$INSTDIR${folder}"
    File "/oname=${name}" "${PROGRAM_DIR}${folder}\${name}"
  !else
    Delete "$INSTDIR${folder}\${name}"
  !endif
!macroend

!macro ProgramFiles action
  !insertmacro ProgramFile ${action} "" "${PROGRAM}"
  !insertmacro ProgramFile ${action} "" "BRISKEL.UIR"
  !insertmacro ProgramFile ${action} "" "briskel_logo.png"
  !if /FileExists "${PROGRAM_DIR}\BriskelView.pdf"
    !insertmacro ProgramFile ${action} "" "BriskelView.pdf"
  !endif
  !insertmacro ProgramFile ${action} "\driverusb\CP210x_VCP_Windows" "README.txt"
  !insertmacro ProgramFile ${action} "\driverusb\Win2K" "README.txt"
  !insertmacro ProgramFile ${action} "\driverusb\Windows_XP_S2K3_Vista_7" "README.txt"
!macroend

; A running program cannot be replaced: Windows refuses to write its file,
; and going on would leave the old program beside the new files. The installer
; says so before it changes anything (at its start, and again once the folder
; is chosen) and tries again when asked; silently (/S), or when the user
; cancels, it ends with exit code 2 and leaves everything as it was.
LangString ProgramRunningInstall ${LANG_ENGLISH} "Briskel View is running. Close it, then choose Retry to go on with the installation."
LangString ProgramRunningInstall ${LANG_FRENCH} "Briskel View est en cours d'exécution. Fermez-le, puis choisissez Réessayer pour poursuivre l'installation."
LangString ProgramRunningInstall ${LANG_GERMAN} "Briskel View wird ausgeführt. Schließen Sie es und wählen Sie dann Wiederholen, um die Installation fortzusetzen."
LangString ProgramRunningInstall ${LANG_SPANISH} "Briskel View está en ejecución. Ciérrelo y elija Reintentar para continuar la instalación."
LangString ProgramRunningInstall ${LANG_ITALIAN} "Briskel View è in esecuzione. Chiuderlo, poi scegliere Riprova per continuare l'installazione."

; The program in $INSTDIR runs when its file cannot be opened for writing.
Function CheckProgramClosed
  check:
  IfFileExists "$INSTDIR\${PROGRAM}" 0 closed
  ClearErrors
  FileOpen $0 "$INSTDIR\${PROGRAM}" a
  IfErrors 0 close_file
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunningInstall)" /SD IDCANCEL IDRETRY check
    SetErrorLevel 2
    Quit
  close_file:
  FileClose $0
  closed:
FunctionEnd

Function .onInit
  Call CheckProgramClosed
FunctionEnd

Section
  Call CheckProgramClosed
  !insertmacro ProgramFiles install
  ; The template workbook: a copy the user restyled survives an update.
  SetOutPath "$INSTDIR"
  SetOverwrite off
  File "/oname=Class.xl" "${PROGRAM_DIR}\Class.xl"
  SetOverwrite on
  ; A first installation prepares the settings with the first-install flag,
  ; so the first start tells how to reach the instrument; the line of the
  ; working folder is left empty: the program proposes the user's Documents.
  IfFileExists "$INSTDIR\Briskel.ini" settings_kept
    FileOpen $0 "$INSTDIR\Briskel.ini" w
    FileWrite $0 "1 1$\r$\n0$\r$\n56 1$\r$\n0$\r$\n$\r$\n$\r$\n1$\r$\n32$\r$\n102$\r$\n762$\r$\n1004$\r$\n0$\r$\n***$\r$\n"
    FileClose $0
  settings_kept:

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; A running program cannot be removed: the uninstaller says so and stops
; before it removes anything, rather than leave half a program behind an
; uninstall reported as done.
LangString ProgramRunning ${LANG_ENGLISH} "Briskel View is running. Close it, then start the uninstallation again."
LangString ProgramRunning ${LANG_FRENCH} "Briskel View est en cours d'exécution. Fermez-le, puis relancez la désinstallation."
LangString ProgramRunning ${LANG_GERMAN} "Briskel View wird ausgeführt. Schließen Sie es und starten Sie die Deinstallation erneut."
LangString ProgramRunning ${LANG_SPANISH} "Briskel View está en ejecución. Ciérrelo y vuelva a iniciar la desinstalación."
LangString ProgramRunning ${LANG_ITALIAN} "Briskel View è in esecuzione. Chiuderlo, poi avviare di nuovo la disinstallazione."

Section "Uninstall"
  ClearErrors
  FileOpen $0 "$INSTDIR\${PROGRAM}" a
  IfErrors 0 program_closed
    MessageBox MB_OK|MB_ICONSTOP "$(ProgramRunning)" /SD IDOK
    SetErrorLevel 2
    Quit
  program_closed:
  FileClose $0
  !insertmacro ProgramFiles uninstall
  Delete "$INSTDIR\Class.xl"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Folders go only when empty: whatever the user keeps in them stays.
  RMDir "$INSTDIR\driverusb\CP210x_VCP_Windows"
  RMDir "$INSTDIR\driverusb\Win2K"
  RMDir "$INSTDIR\driverusb\Windows_XP_S2K3_Vista_7"
  RMDir "$INSTDIR\driverusb"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
