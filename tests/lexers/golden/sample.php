<?php
// Komentarz ?> koniec
# też komentarz
namespace App;
FUNCTION powitanie($imię, $x = 0x1F) {
    echo "Witaj, $imię!\n";
    $tekst = 'pierwsza
druga';
    $doc = <<<EOT
    Zmienna $x w heredoc
    EOT;
    /* blok */ return $$x + 1.5;
}
?>
