#include "support/app_fixture.h"

#include <QDir>
#include <QTest>
#include <cstdlib>

namespace tessel::testing {

TAppFixture::TAppFixture() : fOldDir(QDir::currentPath()) {
    const QByteArray root = fDir.path().toLocal8Bit();
    ::setenv("HOME", root.constData(), 1);
    ::setenv("XDG_DATA_HOME", (root + "/data").constData(), 1);
    ::setenv("XDG_DOCUMENTS_DIR", (root + "/documents").constData(), 1);
    QDir::setCurrent(fDir.path());
    dm = std::make_unique<Tdm>();
    dm->misc.setDialogPresenter(&dialogs);
    window = std::make_unique<TfmMainSRB>(*dm, dialogs);
}

TAppFixture::~TAppFixture() {
    window.reset();
    dm.reset();
    QDir::setCurrent(fOldDir);
}

void TAppFixture::show() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

QStringList TAppFixture::messageTexts() const {
    QStringList texts;
    for (const TDialogRequest& request : dialogs.messages().requests())
        texts.append(QString::fromStdString(request.text));
    return texts;
}

}  // namespace tessel::testing
