// The association table and the krq.ini side of the associations.
#include "settings/associations/unAssociations.h"

#include <algorithm>
#include <cstdlib>

#include "convert/unBase.h"
#include "editor/companions/unWordLists.h"
#include "platform/cp1250.h"
#include "platform/files/inifile.h"

namespace krq {

const char* const kIconData =
    "1|asm|x86 Assembler|*.asm\r\n"
    "2|awk|Skrypt AWK|*.awk\r\n"
    "3|bas|Plik Visual Basic|*.bas\r\n"
    "4|bat|Plik wsadowy MS-DOS|*.bat\r\n"
    "5|cgi|Plik Perl|*.cgi\r\n"
    "6|cmd|Plik wsadowy MS-DOS|*.cmd\r\n"
    "7|cpp|Plik C++|*.cpp\r\n"
    "8|css|Kaskadowy arkusz styli|*.css\r\n"
    "9|dfm|Plik formy Borland Delphi|*.dfm\r\n"
    "10|dpk|Paczka Borland Delphi|*.dpk\r\n"
    "11|dpr|Projekt Borland Delphi|*.dpr\r\n"
    "12|for|Plik Fortran|*.for\r\n"
    "13|htm|Dokument HTML|*.htm, *.html\r\n"
    "14|inc|Plik typu Include|*.inc\r\n"
    "15|ini|Plik konfiguracyjny|*.ini\r\n"
    "16|iss|Skrypt Inno Setup|*.iss\r\n"
    "17|java|Plik Java|*.java\r\n"
    "18|js|Skrypt Java|*.js\r\n"
    "19|nfo|Plik informacyjny|*.nfo\r\n"
    "20|pas|Pascal / Object Pascal|*.pas\r\n"
    "21|php3|Plik PHP3|*.php3\r\n"
    "22|php|Plik PHP|*.php\r\n"
    "23|rtf|Format RichText|*.rtf\r\n"
    "24|sql|Plik SQL|*.sql\r\n"
    "25|txt|Dokument tekstowy|*.txt\r\n"
    "26|vbs|Plik VBScript|*.vbs\r\n"
    "27|xml|Plik XML|*.xml\r\n";

std::string TAssociationRow::Key() const {
    std::string key = Extension;
    std::transform(key.begin(), key.end(), key.begin(), [](char c) {
        return static_cast<char>(cp1250::ToUpper(static_cast<uint8_t>(c)));
    });
    return key;
}

std::vector<TAssociationRow> AssociationTable() {
    std::vector<TAssociationRow> rows;
    for (const std::string& line : SplitWordListLines(kIconData)) {
        TAssociationRow row;
        row.IconId = std::atoi(fncGetPiece('|', line, 0).c_str());
        row.Extension = fncGetPiece('|', line, 1);
        row.Description = fncGetPiece('|', line, 2);
        row.Shown = fncGetPiece('|', line, 3);
        rows.push_back(std::move(row));
    }
    return rows;
}

void TAssociationActions::Associate(const TAssociationRow&, int) {}
void TAssociationActions::SetHTMLEditor() {}
void TAssociationActions::RestoreHTMLEditor() {}

namespace {

TAssociationActions* g_actions = nullptr;

}  // namespace

TAssociationActions& AssociationActions() {
    static TAssociationActions none;
    return g_actions ? *g_actions : none;
}

void SetAssociationActions(TAssociationActions* actions) { g_actions = actions; }

void ApplyAssociations(TIniFile& ini, const std::vector<TAssociationRow>& rows,
                       const std::vector<bool>& ticked, bool htmlEditor,
                       TAssociationActions& actions) {
    for (size_t i = 0; i < rows.size() && i < ticked.size(); ++i) {
        const std::string key = rows[i].Key();
        if (ticked[i] == ini.ReadBool("Ext", key, false)) continue;
        ini.WriteBool("Ext", key, ticked[i]);
        // Unticking only records the choice; the desktop keeps what was registered.
        if (ticked[i]) actions.Associate(rows[i], static_cast<int>(i) + 1);
    }
    if (htmlEditor == ini.ReadBool("Ext", "HTMLEditor", false)) return;
    ini.WriteBool("Ext", "HTMLEditor", htmlEditor);
    if (htmlEditor)
        actions.SetHTMLEditor();
    else
        actions.RestoreHTMLEditor();
}

}  // namespace krq
