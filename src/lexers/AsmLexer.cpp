// The x86 assembler highlighter's lexer: instructions, registers and directives of MASM, TASM
// and NASM without regard to case, ";" comments and MASM's COMMENT blocks.
#include "lexers/KrqLexerScan.h"
#include "lexers/KrqPlainLexer.h"

namespace krq {

namespace {

using namespace lexscan;

class TAsmLexer final : public TKrqPlainLexer {
  public:
    TAsmLexer()
        : TKrqPlainLexer("hgr_Asm", "TKrqAsmHighlighter", "Assembler x86",
                         "x86 Assembler (*.asm)|*.asm", MakeIdentChars("@$?")) {}

    // A nonzero state is the delimiter of an open "COMMENT ! … !" block.
    int LexLine(std::string_view line, int state, std::vector<TKrqToken>& out) const override {
        const size_t n = line.size();
        if (state > 0 && state < 256) {
            // The line that holds the closing delimiter belongs to the comment as a whole.
            EmitToken(out, 0, n, comment_);
            return Find(line, static_cast<char>(state), 0) == std::string_view::npos ? state : 0;
        }
        const auto& ident = IdentChars();
        size_t i = 0;
        while (i < n) {
            const unsigned char c = line[i];
            size_t j = i + 1;
            int attr = symbol_;
            if (LexPlainToken(line, i, ';', "'\"", j, attr)) {
                // blanks, a comment or a string
            } else if (IsDigit(c)) {
                j = ScanNumber(line, i);
                attr = number_;
            } else if ((c == '.' || c == '%') && ident[At(line, i + 1)] &&
                       !IsDigit(At(line, i + 1))) {
                // .model, .data?, .386 style directives and NASM's %define.
                j = SkipWhile(line, i + 1, ident);
                attr = keywords_.Contains(line.substr(i, j - i)) ? keyword_ : ident_;
            } else if (c == '.' && IsDigit(At(line, i + 1))) {
                j = SkipWhile(line, i + 1, ident);
                attr = keywords_.Contains(line.substr(i, j - i)) ? keyword_ : number_;
            } else if (ident[c]) {
                j = SkipWhile(line, i, ident);
                std::string_view word = line.substr(i, j - i);
                if (EqualsNoCase(word, "comment") && i == SkipBlanks(line, 0)) {
                    size_t d = SkipBlanks(line, j);
                    if (d < n) {
                        // COMMENT ! … !: everything to the next "!" (on this or a later line).
                        size_t close = Find(line, line[d], d + 1);
                        EmitToken(out, i, n - i, comment_);
                        return close == std::string_view::npos ? static_cast<unsigned char>(line[d])
                                                               : 0;
                    }
                }
                attr = keywords_.Contains(word) ? keyword_ : word == "?" ? symbol_ : ident_;
            }
            EmitToken(out, i, j - i, attr);
            i = j;
        }
        return 0;
    }

  private:
    // 123, 0FFh, 0x1F, 101b, 17o, 17q, 12d, 1.5e3: a digit starts a number, and the letters
    // and digits glued to it are its radix and digits.
    size_t ScanNumber(std::string_view line, size_t i) const {
        if (line[i] == '0' && (At(line, i + 1) | 0x20) == 'x') return SkipHexDigits(line, i + 2);
        size_t j = i;
        while (IsAsciiLetter(At(line, j)) || IsDigit(At(line, j))) ++j;
        if (At(line, j) == '.' && IsDigit(At(line, j + 1)))
            j = SkipExponent(line, SkipDigits(line, j + 1));
        return j;
    }

    TKrqKeywordSet keywords_{
        {// general-purpose instructions
         "aaa", "aad", "aam", "aas", "adc", "add", "and", "arpl", "bound", "bsf", "bsr", "bswap",
         "bt", "btc", "btr", "bts", "call", "cbw", "cdq", "cdqe", "clc", "cld", "cli", "clts",
         "cmc", "cmova", "cmovae", "cmovb", "cmovbe", "cmovc", "cmove", "cmovg", "cmovge", "cmovl",
         "cmovle", "cmovna", "cmovnae", "cmovnb", "cmovnbe", "cmovnc", "cmovne", "cmovng",
         "cmovnge", "cmovnl", "cmovnle", "cmovno", "cmovnp", "cmovns", "cmovnz", "cmovo", "cmovp",
         "cmovpe", "cmovpo", "cmovs", "cmovz", "cmp", "cmps", "cmpsb", "cmpsw", "cmpsd", "cmpsq",
         "cmpxchg", "cmpxchg8b", "cpuid", "cqo", "cwd", "cwde", "daa", "das", "dec", "div", "enter",
         "hlt", "idiv", "imul", "in", "inc", "ins", "insb", "insw", "insd", "int", "int3", "into",
         "invd", "invlpg", "iret", "iretd", "iretq", "ja", "jae", "jb", "jbe", "jc", "jcxz",
         "jecxz", "jrcxz", "je", "jg", "jge", "jl", "jle", "jmp", "jna", "jnae", "jnb", "jnbe",
         "jnc", "jne", "jng", "jnge", "jnl", "jnle", "jno", "jnp", "jns", "jnz", "jo", "jp", "jpe",
         "jpo", "js", "jz", "lahf", "lar", "lds", "lea", "leave", "les", "lfs", "lgdt", "lgs",
         "lidt", "lldt", "lmsw", "lock", "lods", "lodsb", "lodsw", "lodsd", "lodsq", "loop",
         "loope", "loopne", "loopnz", "loopz", "lsl", "lss", "ltr", "mov", "movs", "movsb", "movsw",
         "movsd", "movsq", "movsx", "movsxd", "movzx", "mul", "neg", "nop", "not", "or", "out",
         "outs", "outsb", "outsw", "outsd", "pop", "popa", "popad", "popf", "popfd", "popfq",
         "push", "pusha", "pushad", "pushf", "pushfd", "pushfq", "rcl", "rcr", "rdmsr", "rdpmc",
         "rdtsc", "rep", "repe", "repne", "repnz", "repz", "ret", "retf", "retn", "rol", "ror",
         "rsm", "sahf", "sal", "sar", "sbb", "scas", "scasb", "scasw", "scasd", "scasq", "seta",
         "setae", "setb", "setbe", "setc", "sete", "setg", "setge", "setl", "setle", "setna",
         "setnae", "setnb", "setnbe", "setnc", "setne", "setng", "setnge", "setnl", "setnle",
         "setno", "setnp", "setns", "setnz", "seto", "setp", "setpe", "setpo", "sets", "setz",
         "sgdt", "shl", "shld", "shr", "shrd", "sidt", "sldt", "smsw", "stc", "std", "sti", "stos",
         "stosb", "stosw", "stosd", "stosq", "str", "sub", "syscall", "sysenter", "sysexit",
         "sysret", "test", "ud2", "verr", "verw", "wait", "wbinvd", "wrmsr", "xadd", "xchg", "xlat",
         "xlatb", "xor",
         // x87, MMX and SSE
         "fld", "fst", "fstp", "fild", "fist", "fistp", "fadd", "faddp", "fsub", "fsubp", "fsubr",
         "fmul", "fmulp", "fdiv", "fdivp", "fdivr", "fchs", "fabs", "fsqrt", "fcom", "fcomp",
         "fcompp", "fucom", "fxch", "finit", "fninit", "fwait", "fldz", "fld1", "fldpi", "fstsw",
         "fnstsw", "fstcw", "fldcw", "fsin", "fcos", "fptan", "fpatan", "frndint", "fscale",
         "fxtract", "fprem", "ftst", "fxam", "emms", "movd", "movq", "movaps", "movups", "movss",
         "movapd", "movupd", "movdqa", "movdqu", "addps", "addss", "addpd", "addsd", "subps",
         "subss", "subpd", "subsd", "mulps", "mulss", "mulpd", "mulsd", "divps", "divss", "divpd",
         "divsd", "sqrtps", "sqrtss", "xorps", "andps", "orps", "cmpps", "pxor", "paddb", "paddw",
         "paddd", "psubd", "pand", "por", "pshufd", "shufps", "cvtsi2sd", "cvtsd2si", "cvttsd2si",
         "cvtsi2ss", "cvtss2sd", "cvtsd2ss", "comisd", "comiss", "ucomisd", "ucomiss",
         // registers
         "al", "ah", "ax", "eax", "rax", "bl", "bh", "bx", "ebx", "rbx", "cl", "ch", "cx", "ecx",
         "rcx", "dl", "dh", "dx", "edx", "rdx", "si", "esi", "rsi", "sil", "di", "edi", "rdi",
         "dil", "bp", "ebp", "rbp", "bpl", "sp", "esp", "rsp", "spl", "r8", "r9", "r10", "r11",
         "r12", "r13", "r14", "r15", "r8d", "r9d", "r10d", "r11d", "r12d", "r13d", "r14d", "r15d",
         "r8w", "r9w", "r10w", "r11w", "r12w", "r13w", "r14w", "r15w", "r8b", "r9b", "r10b", "r11b",
         "r12b", "r13b", "r14b", "r15b", "cs", "ds", "es", "fs", "gs", "ss", "ip", "eip", "rip",
         "cr0", "cr2", "cr3", "cr4", "dr0", "dr1", "dr2", "dr3", "dr6", "dr7", "st", "st0", "st1",
         "st2", "st3", "st4", "st5", "st6", "st7", "mm0", "mm1", "mm2", "mm3", "mm4", "mm5", "mm6",
         "mm7", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9",
         "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15",
         // directives and operators
         "db", "dw", "dd", "dq", "dt", "df", "resb", "resw", "resd", "resq", "times", "equ", "org",
         "section", "segment", "ends", "proc", "endp", "end", "assume", "model", ".model", ".code",
         ".data", ".data?", ".const", ".stack", ".386", ".386p", ".486", ".486p", ".586", ".586p",
         ".686", ".686p", ".mmx", ".xmm", ".8086", ".startup", ".exit", ".if", ".else", ".elseif",
         ".endif", ".while", ".endw", ".repeat", ".until", ".break", ".continue", "include",
         "includelib", "extern", "extrn", "public", "global", "macro", "endm", "local", "struc",
         "struct", "union", "record", "label", "byte", "word", "dword", "qword", "tbyte", "fword",
         "sbyte", "sword", "sdword", "real4", "real8", "real10", "ptr", "offset", "seg", "short",
         "near", "far", "dup", "type", "size", "sizeof", "length", "lengthof", "addr", "invoke",
         "proto", "option", "if", "ifdef", "ifndef", "else", "elseif", "endif", "while", "endw",
         "repeat", "rept", "irp", "irpc", "for", "forc", "exitm", "align", "even", "title",
         "subtitle", "page", "bits", "use16", "use32", "use64", "flat", "stdcall", "uses", "high",
         "low", "highword", "lowword", "mask", "width", "this", "eq", "ne", "lt", "le", "gt", "ge",
         "mod", "comment", "%define", "%macro", "%endmacro", "%include", "%if", "%ifdef", "%ifndef",
         "%else", "%endif", "%assign", "%undef", "%rep", "%endrep"},
        false};
};

}  // namespace

const TKrqLexer& AsmLexer() {
    static const TAsmLexer lexer;
    return lexer;
}

}  // namespace krq
