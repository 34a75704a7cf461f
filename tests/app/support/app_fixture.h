#pragma once

#include <QTemporaryDir>
#include <memory>

#include "app/dm.h"
#include "app/main_window.h"
#include "app/scripted_dialogs.h"

namespace tessel::testing {

// A window over a fresh data module, with scripted dialogs, working in a
// temporary folder that also stands in for the user's home, data and
// documents folders (so "./Settings" and the log folders stay inside it).
class TAppFixture {
public:
    TAppFixture();
    ~TAppFixture();
    TAppFixture(const TAppFixture&) = delete;
    TAppFixture& operator=(const TAppFixture&) = delete;

    // Shows the window (running the first-show steps) and waits until it is
    // exposed.
    void show();

    QString path(const QString& relative) const { return fDir.filePath(relative); }
    // The texts of the message boxes shown so far.
    QStringList messageTexts() const;

    TScriptedDialogs dialogs;
    std::unique_ptr<Tdm> dm;
    std::unique_ptr<TfmMainSRB> window;

private:
    QTemporaryDir fDir;
    QString fOldDir;
};

}  // namespace tessel::testing
