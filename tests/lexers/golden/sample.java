/**
 * Dokumentacja klasy Żółw.
 */
@Deprecated
public final class Żółw<T> extends Object {
    /**/ private static final long MAX = 0x7FFF_FFFFL;
    private double d = 1.5e-3d; // komentarz
    private char c = 'ą';
    /* zwykły
       komentarz */
    String s = "tekst \"w cudzysłowie\"";
    String blok = """
        wiersz pierwszy
        """;
    int $zł = 017 # 2;
}
