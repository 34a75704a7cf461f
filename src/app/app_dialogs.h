#pragma once

#include <QString>

#include "util/dialog_presenter.h"

namespace tessel {

// Everything the window asks of the person at the desk goes through this one
// seam: message boxes (for the utility component), file choosers and the
// clipboard. The program shows real dialogs; tests script the answers.
class TAppDialogs : public TDialogPresenter {
public:
    // An empty text when the person cancels.
    virtual QString openFileName(const QString& title, const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 const QString& suggestedName) = 0;
    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
};

}  // namespace tessel
