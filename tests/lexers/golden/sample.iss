; Skrypt instalatora
#define MyAppName "Kwerdel RQ"
#define MyAppVersion "4.0"

[Setup]
AppName={#MyAppName}
AppVersion={#MyAppVersion}
DefaultDirName={pf}\Kwerdel RQ
Compression=lzma2/max
SolidCompression=yes
DiskSliceSize=1457664
NieznanaDyrektywa=coś

[Files]
Source: "krq.exe"; DestDir: "{app}"; Flags: ignoreversion
Source: {src}\data\*; DestDir: {app}\data; Flags: recursesubdirs createallsubdirs; Tasks: ikony

[Messages]
WelcomeLabel1=Witaj w instalatorze [name]

[Code]
{ Komentarz
  na wiele wierszy }
function InitializeSetup(): Boolean;
var
  Licznik: Integer;
begin
  (* drugi rodzaj komentarza *)
  Licznik := $FF + 10; // komentarz wierszowy
  MsgBox('Witaj' + #13#10 + 'it''s {#MyAppName}', mbInformation, MB_OK);
  Result := Licznik > 0 ? True;
end;

[Run]
Filename: "{app}\krq.exe"; Description: "Uruchom"; Flags: nowait postinstall
