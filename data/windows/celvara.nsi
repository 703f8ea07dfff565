; The Celvara installer for 64-bit Windows, made by scripts/windows.sh:
;   makensis -DVERSION=0.1 -DPROGRAMAS=<folder of the .exe> -DFUENTE=<source tree>
;            -DCATALOGOS=<folder of qtbase_es.qm> -DICONO=<celvara.ico> -DSALIDA=<setup.exe> celvara.nsi
; The programs are linked statically (Qt included): nothing else to ship.
; Every file put in place is named here, once to install it and once to
; remove it; scripts/comprobar_instalador.sh (a test) keeps both lists in step with data/.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

Name "Celvara ${VERSION}"
OutFile "${SALIDA}"
InstallDir "$PROGRAMFILES64\Celvara"
BrandingText "Celvara ${VERSION}"

!define CLAVE_DESINSTALAR "Software\Microsoft\Windows\CurrentVersion\Uninstall\Celvara"
!define TIPO_LIBRETA "Celvara.Libreta"

!define MUI_ICON "${ICONO}"
!define MUI_UNICON "${ICONO}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\celvara.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Celvara"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalación de Celvara"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Celvara"

Section "Celvara"
  SetShellVarContext all
  SetRegView 64

  SetOutPath "$INSTDIR\bin"
  File "${PROGRAMAS}\celvara.exe"
  File "${PROGRAMAS}\celvara-cli.exe"
  ; Qt finds its Spanish catalogue through qt.conf, beside the programs.
  File "/oname=qt.conf" "${FUENTE}\data\windows\qt.conf"

  ; The fixed data the program copies into C:\TRABAJOS\VESTRUM when missing.
  SetOutPath "$INSTDIR\share\celvara\vestrum"
  File "${FUENTE}\data\vestrum\datos_empresa.prt"
  File "${FUENTE}\data\vestrum\foto0.bmp"
  File "${FUENTE}\data\vestrum\instrumentos.apa"
  File "${FUENTE}\data\vestrum\logo.bmp"

  SetOutPath "$INSTDIR\share\qt6\translations"
  File "${CATALOGOS}\qtbase_es.qm"

  ; The working folders on drive C:, and the example job, which is never
  ; written over: once installed it is the user's.
  CreateDirectory "C:\TRABAJOS\VESTRUM"
  SetOutPath "C:\TRABAJOS\EJEMPLO"
  SetOverwrite off
  File "${FUENTE}\examples\obra_ejemplo.obs"
  SetOverwrite on
  SetOutPath "$INSTDIR"

  CreateDirectory "$SMPROGRAMS\Celvara"
  CreateShortcut "$SMPROGRAMS\Celvara\Celvara.lnk" "$INSTDIR\bin\celvara.exe" "" "$INSTDIR\bin\celvara.exe" 0
  CreateShortcut "$SMPROGRAMS\Celvara\Desinstalar Celvara.lnk" "$INSTDIR\desinstalar.exe"

  ; Field books (.obs) open in Celvara, with its icon.
  WriteRegStr HKCR ".obs" "" "${TIPO_LIBRETA}"
  WriteRegStr HKCR "${TIPO_LIBRETA}" "" "Libreta de campo de Celvara"
  WriteRegStr HKCR "${TIPO_LIBRETA}\DefaultIcon" "" "$INSTDIR\bin\celvara.exe,0"
  WriteRegStr HKCR "${TIPO_LIBRETA}\shell\open\command" "" '"$INSTDIR\bin\celvara.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  WriteUninstaller "$INSTDIR\desinstalar.exe"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "DisplayName" "Celvara"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "Publisher" "Celvara"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "DisplayIcon" "$INSTDIR\bin\celvara.exe,0"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${CLAVE_DESINSTALAR}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${CLAVE_DESINSTALAR}" "NoModify" 1
  WriteRegDWORD HKLM "${CLAVE_DESINSTALAR}" "NoRepair" 1
SectionEnd

; Removes what the installer put in place and nothing else: C:\TRABAJOS,
; the jobs and the user's copies of the data stay.
Section "Uninstall"
  SetShellVarContext all
  SetRegView 64

  Delete "$INSTDIR\bin\celvara.exe"
  Delete "$INSTDIR\bin\celvara-cli.exe"
  Delete "$INSTDIR\bin\qt.conf"
  Delete "$INSTDIR\share\celvara\vestrum\datos_empresa.prt"
  Delete "$INSTDIR\share\celvara\vestrum\foto0.bmp"
  Delete "$INSTDIR\share\celvara\vestrum\instrumentos.apa"
  Delete "$INSTDIR\share\celvara\vestrum\logo.bmp"
  Delete "$INSTDIR\share\qt6\translations\qtbase_es.qm"
  Delete "$INSTDIR\desinstalar.exe"
  RMDir "$INSTDIR\bin"
  RMDir "$INSTDIR\share\celvara\vestrum"
  RMDir "$INSTDIR\share\celvara"
  RMDir "$INSTDIR\share\qt6\translations"
  RMDir "$INSTDIR\share\qt6"
  RMDir "$INSTDIR\share"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Celvara\Celvara.lnk"
  Delete "$SMPROGRAMS\Celvara\Desinstalar Celvara.lnk"
  RMDir "$SMPROGRAMS\Celvara"

  ; .obs is left alone if another program has taken it since.
  ReadRegStr $0 HKCR ".obs" ""
  StrCmp $0 "${TIPO_LIBRETA}" 0 +2
    DeleteRegKey HKCR ".obs"
  DeleteRegKey HKCR "${TIPO_LIBRETA}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKLM "${CLAVE_DESINSTALAR}"
SectionEnd
