#include "app/scripted_dialogs.h"

namespace tessel {

QString TScriptedDialogs::openFileName(const QString& title, const QString&) {
    return nextFileName(title);
}

QString TScriptedDialogs::saveFileName(const QString& title, const QString&, const QString&) {
    return nextFileName(title);
}

QString TScriptedDialogs::nextFileName(const QString& title) {
    fFileChooserTitles.append(title);
    return fFileNames.isEmpty() ? QString() : fFileNames.takeFirst();
}

}  // namespace tessel
