// What the options window changes in the main window, so the window needs nothing else of it.
#pragma once

#include <functional>

#include "settings/unOptionKeys.h"

class QWidget;

namespace krq {

class TfrmMarkers;

class TOptionsHost {
  public:
    virtual ~TOptionsHost() = default;

    // The window the options window belongs to (its owner, and whose font it takes).
    virtual QWidget* Window() = 0;
    // The shared highlighters that the page "Markery" edits in place.
    virtual TfrmMarkers& Markers() = 0;
    // The automatic colouring flag held in memory.
    virtual bool AutoMark() const = 0;

    // Each takes effect on the main window at once.
    virtual void ApplyBox(TOptionBox box, bool on) = 0;
    virtual void ApplyGlyphSet(int style) = 0;
    virtual void ApplyColors(const TEditorColors& colors) = 0;
    // Loads data/proposal.dat again as the completion list.
    virtual void ReloadProposalList() = 0;

    // Runs a handler, showing a failure through the standard error report.
    virtual void RunCommand(const std::function<void()>& command) = 0;
};

}  // namespace krq
