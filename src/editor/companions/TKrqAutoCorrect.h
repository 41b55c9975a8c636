// Auto-correction: replaces a just-finished word that the correction list names as a misspelling.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace krq {

class TKrqEditModel;

enum TKrqAutoCorrectOption : uint32_t {
    ascoCorrectOnMouseDown = 1u << 0,
    ascoIgnoreCase = 1u << 1,
    ascoMaintainCase = 1u << 2,
};
using TKrqAutoCorrectOptions = uint32_t;

// What the main window configures: separator ";", case ignored and maintained.
inline constexpr char kKrqMainWindowSepChar = ';';
inline constexpr TKrqAutoCorrectOptions kKrqMainWindowAutoCorrectOptions =
    ascoIgnoreCase | ascoMaintainCase;

// The decisions of auto-correction without a control, so they can be reused and tested alone.
namespace autocorrect {

// Codes 33-255 that are letters or digits; typing one of them never triggers a correction.
bool IsWordChar(uint8_t c);
// The word that ends just before the caret (1-based column): the run of bytes above 32 back to
// a blank, a control character or the line start. Empty when the caret stands further right
// than just after the last character.
std::string_view WordBeforeCaret(std::string_view line, int caretColumn);
// The correction of `word` by the first applying item, or false when none applies.
bool FindCorrection(const std::vector<std::string>& items, char sepChar,
                    TKrqAutoCorrectOptions options, std::string_view word, std::string& correction);
// The correction brought to the case of the word as typed.
std::string MatchCase(std::string_view word, std::string_view correction);
// Lowers A-Z only, then raises the first byte when it is a-z.
std::string FirstCapital(std::string_view s);

}  // namespace autocorrect

// Attaches to a TKrqEditModel through a command hook. Lifetime: the model must outlive the
// companion while attached; destroy the companion first, or set its editor to nullptr before
// the model goes. The destructor detaches, so destroying an attached companion is safe.
class TKrqAutoCorrect {
  public:
    TKrqAutoCorrect();
    ~TKrqAutoCorrect();
    TKrqAutoCorrect(const TKrqAutoCorrect&) = delete;
    TKrqAutoCorrect& operator=(const TKrqAutoCorrect&) = delete;

    // Each item reads: listed word, ItemSepChar, correction. Walked in order.
    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(std::vector<std::string> items) { items_ = std::move(items); }
    // Replaces Items with the lines of data/correct.dat; throws EKrqError when it is missing.
    void LoadItemsFromFile();

    char ItemSepChar() const { return sepChar_; }
    void SetItemSepChar(char c) { sepChar_ = c; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    TKrqAutoCorrectOptions Options() const { return options_; }
    void SetOptions(TKrqAutoCorrectOptions options) { options_ = options; }
    // The separator and options the main window uses.
    void ConfigureAsMainWindow();

    TKrqEditModel* Editor() const { return editor_; }
    // Attaches to `editor` (detaching from the previous one); nullptr detaches.
    void SetEditor(TKrqEditModel* editor);

    // Corrects the word before the caret now; true when it was replaced. The command hook
    // calls it for the triggering commands.
    bool CorrectWordBeforeCaret();
    // The widget calls this on a mouse click in the text; corrects only with
    // ascoCorrectOnMouseDown.
    void MouseDown();

  private:
    void OnCommand(bool after, bool handled, int command, char ch);

    std::vector<std::string> items_;
    char sepChar_ = '\t';
    bool enabled_ = true;
    TKrqAutoCorrectOptions options_ = kKrqMainWindowAutoCorrectOptions;
    TKrqEditModel* editor_ = nullptr;
    int hookId_ = 0;
};

}  // namespace krq
