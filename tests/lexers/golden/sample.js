// Obsługa kliknięcia
function pokaż(el) {
    const re = /ab+c\/[a-z]/gi, x = 10 / 2 / 1;
    el.onclick = () => alert(`Wynik: ${x}
druga linia`);
    window.onload = null;
    let $el = document.getElementById('id'), n = 0xFF + 1.5e3;
    /* blok
       komentarza */
    return Math.max(n, Array.prototype.length);
}
