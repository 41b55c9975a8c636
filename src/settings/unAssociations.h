// The file types the options page "Skojarzenia" offers, and what its OK does with the ticks.
#pragma once

#include <string>
#include <vector>

namespace krq {

class TIniFile;

struct TAssociationRow {
    int IconId = 0;
    std::string Extension;    // lower case, without the dot: "htm"
    std::string Description;  // "Dokument HTML"
    std::string Shown;        // "*.htm, *.html"
    // The upper-case extension: the list's "Format" column and the [Ext] / [DefExt] key.
    std::string Key() const;
};

// The association table as the executable carries it: CR LF lines "icon|ext|description|shown".
extern const char* const kIconData;
// Its rows in order, each line split into four trimmed pieces.
std::vector<TAssociationRow> AssociationTable();

// What the desktop does for an association. The options window only keeps krq.ini in step;
// the shell integration installs its own actions through SetAssociationActions.
class TAssociationActions {
  public:
    virtual ~TAssociationActions() = default;
    // A row newly ticked; `number` is its 1-based row number (its icon in the executable).
    virtual void Associate(const TAssociationRow& row, int number);
    // The box "KRQ jest domyślnym edytorem plików HTML" newly ticked / unticked.
    virtual void SetHTMLEditor();
    virtual void RestoreHTMLEditor();
};

// The actions in use; by default they do nothing.
TAssociationActions& AssociationActions();
// Installs `actions` (not owned); nullptr goes back to the ones that do nothing.
void SetAssociationActions(TAssociationActions* actions);

// The OK of the page: for each row whose tick differs from [Ext] KEY, the new state is written
// and a newly ticked row is associated; then the HTML-editor box likewise against
// [Ext] HTMLEditor. `ticked` holds one entry per row of `rows`. A write that fails stops here.
void ApplyAssociations(TIniFile& ini, const std::vector<TAssociationRow>& rows,
                       const std::vector<bool>& ticked, bool htmlEditor,
                       TAssociationActions& actions);

}  // namespace krq
