-- Procedura raportu (Transact-SQL)
/* Komentarz
   wielowierszowy */
CREATE PROCEDURE dbo.raport @od datetime, @do datetime = NULL
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @ile int, @suma money
    SELECT @ile = count(*), @suma = isnull(sum(kwota), 0.0)
      FROM faktury f
      JOIN [Klienci Firmy] k ON k.id = f.klient_id
     WHERE f.data BETWEEN @od AND isnull(@do, getdate())
       AND f.opis LIKE N'%zażółć%'
    IF @@ROWCOUNT = 0
        PRINT 'Brak danych, ''pusto'''
    SELECT name, LEFT(name, 3) FROM sysobjects WHERE type = 'U' ORDER BY name
    SELECT convert(varchar(10), 0x1F), 1.5E3, "kolumna"
END
GO
SET SERVEROUTPUT ON
SPOOL raport.txt
DECLARE
   v_x NUMBER;
BEGIN
   SELECT 1 INTO v_x FROM dual WHERE 1 = :bind;
   IF v_x > 0 THEN DBMS_OUTPUT.PUT_LINE('ok'); ELSIF v_x IS NULL THEN RAISE NO_DATA_FOUND; END IF;
EXCEPTION WHEN TOO_MANY_ROWS THEN NULL;
END;
/
SELECT 'wiele
wierszy' FROM dual
ORDER BY 1
DESC
