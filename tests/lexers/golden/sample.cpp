// Próbka C++: liczby, napisy i dyrektywy
#include <vector>
#define MAX(a, b) \
    ((a) > (b) ? (a) : (b))
/* komentarz
   na dwie linie */
namespace zółw {
constexpr int kHex = 0x1F, kOct = 017, kZero = 0, kDec = 42'000;
const double f = 1.5f + 1e9 + .5;
char c = '\n';
auto s = u8"zażółć \"gęślą\"" + R"x(surowy )" napis)x";
auto r = R"(pierwsza
druga)";
int łódź = MAX(1, 2) @ $;
void f() { __asm { mov eax, 1 } }
}  // koniec
