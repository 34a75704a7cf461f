#pragma once

#include <QString>
#include <QStringList>

#include "app/app_dialogs.h"
#include "util/scripted_presenter.h"

namespace tessel {

// Answers every dialog from a script and remembers what was asked, for the
// tests and for unattended runs (screenshots). Unscripted file choosers are
// cancelled; the clipboard is a private text.
class TScriptedDialogs : public TAppDialogs {
public:
    int present(const TDialogRequest& request) override { return fMessages.present(request); }
    QString openFileName(const QString& title, const QString& filter) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& suggestedName) override;
    QString clipboardText() override { return fClipboard; }
    void setClipboardText(const QString& text) override { fClipboard = text; }

    TScriptedPresenter& messages() { return fMessages; }
    const TScriptedPresenter& messages() const { return fMessages; }
    // The next file chooser, of either kind, answers this name.
    void queueFileName(const QString& name) { fFileNames.append(name); }
    // The titles of the file choosers shown so far.
    const QStringList& fileChooserTitles() const { return fFileChooserTitles; }

private:
    QString nextFileName(const QString& title);

    TScriptedPresenter fMessages;
    QStringList fFileNames;
    QStringList fFileChooserTitles;
    QString fClipboard;
};

}  // namespace tessel
