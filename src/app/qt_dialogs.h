#pragma once

#include "app/app_dialogs.h"

namespace tessel {

// The real dialogs: Qt message boxes, file choosers and the system clipboard.
class TQtDialogs : public TAppDialogs {
public:
    int present(const TDialogRequest& request) override;
    QString openFileName(const QString& title, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& suggestedName) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
};

}  // namespace tessel
