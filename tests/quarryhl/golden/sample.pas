{ Blinks the status LED.
  Compiler directives read as comments: }
{$R-}
program Blink;

uses Crt;

const
  Port = $0378;        // printer port
  Delay_ms = 250;

var
  I: Integer;
  Name: string = 'It''s here';
  Gains: array[1..10] of Real;

(* a block comment
   over two lines *)
procedure Pulse(Count: Integer);
begin
  for I := 1 to Count do
  begin
    Port[Port] := I and $FF;
    Delay(Delay_ms * 2.5e0 + 1.5E-3);
  end;
end;

BEGIN
  WriteLn(Name, #13#10, 'done');
  Pulse(10);
End.
