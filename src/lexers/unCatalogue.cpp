// The highlighter catalogue data.
#include "lexers/unCatalogue.h"

namespace krq {

const std::array<TKrqCatalogueEntry, kCatalogueSize> kCatalogue = {{
    {"hgr_Html", "TKrqHTMLHighlighter", "Dokument HTML",
     "HTML Documents (*.htm,*.html)|*.htm;*.html", "mnsOptionsMarkersHtml"},
    {"hgr_Css", "TKrqCssHighlighter", "Kaskadowe arkusze styli",
     "Kaskadowe arkusze styli (*.css)|*.css", "mnsOptionsMarkersCss"},
    {"hgr_Php", "TKrqPHPHighlighter", "PHP",
     "PHP Files (*.php,*.php3,*.phtml,*.inc)|*.php;*.php3;*.phtml;*.inc", "mnsOptionsMarkersPhp"},
    {"hgr_JavaScript", "TKrqJScriptHighlighter", "JavaScript", "Javascript Files (*.js)|*.js",
     "mnsOptionsMarkersJs"},
    {"hgr_Java", "TKrqJavaHighlighter", "Java", "Java Files (*.java)|*.java",
     "mnsOptionsMarkersJava"},
    {"hgr_Pascal", "TKrqPasHighlighter", "Pascal / Object Pascal",
     "Pliki Pascal / Object Pascal (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc",
     "mnsOptionsMarkersPas"},
    {"hgr_Cpp", "TKrqCppHighlighter", "C++", "C++ Files (*.c,*.cpp,*.h,*.hpp)|*.c;*.cpp;*.h;*.hpp",
     "mnsOptionsMarkersCpp"},
    {"hgr_VbScript", "TKrqVBScriptHighlighter", "Microsoft VBScript",
     "VBScript Files (*.vbs)|*.vbs", "mnsOptionsMarkersMvbs"},
    {"hgr_Vb", "TKrqVBHighlighter", "Visual Basic", "Visual Basic Files (*.bas)|*.bas",
     "mnsOptionsMarkersVb"},
    {"hgr_Fortran", "TKrqFortranHighlighter", "Fortran", "Fortran Files (*.for)|*.for",
     "mnsOptionsMarkersFrt"},
    {"hgr_Perl", "TKrqPerlHighlighter", "Perl", "Perl Files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi",
     "mnsOptionsMarkersPerl"},
    {"hgr_Sql", "TKrqSQLHighlighter", "SQL", "SQL Files (*.sql)|*.sql", "mnsOptionsMarkersSql"},
    {"hgr_Asm", "TKrqAsmHighlighter", "Assembler x86", "x86 Assembler (*.asm)|*.asm",
     "mnsOptionsMarkersAsm"},
    {"hgr_Ini", "TKrqIniHighlighter", "Plik INI", "INI Files (*.ini)|*.ini",
     "mnsOptionsMarkersIni"},
    {"hgr_Bat", "TKrqBatHighlighter", "Język wsadowy MS-DOS",
     "MS-DOS Batch Files (*.bat;*.cmd)|*.bat;*.cmd", "mnsOptionsMarkersBat"},
    {"hgr_Xml", "TKrqXMLHighlighter", "XML",
     "XML Files (*.xml,*.xsd,*.xsl,*.xslt,*.dtd)|*.xml;*.xsd;*.xsl;*.xslt;*.dtd",
     "mnsOptionsMarkersXml"},
    {"hgr_Inno", "TKrqInnoHighlighter", "Inno Setup", "Inno Setup Scripts (*.iss)|*.iss",
     "mnsOptionsMarkersInno"},
}};

std::string FileDialogFilter() {
    std::string filter = "Dokumenty tekstowe (*.txt)|*.txt|";
    for (const auto& entry : kCatalogue) filter += std::string(entry.Filter) + "|";
    return filter + "Wszystkie pliki|*.*|";
}

}  // namespace krq
