{$MODE DELPHI}
unit Żółw;
(* komentarz
   w nawiasach *)
INTERFACE
const
  Hex = $FF; Kropka = 1.5e3; Zakres = 1..10;
  Napis = 'It''s' + #13#10 + #$0D;
{ komentarz
  klamrowy }
procedure Licz; assembler;
asm
  mov eax, 1 // ładuj
  { pominięte }
end;
(*$R+*) // koniec
