// The real message boxes behind the utility component's helpers: buttons,
// icons, titles and answers.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt_dialogs.h"
#include "util/fd_misc.h"

using namespace tessel;

namespace {

struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Looks at the box once it is up, then presses `press` (Escape when none).
void inspectNextBox(Seen& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        if (auto* def = qobject_cast<QPushButton*>(box->defaultButton()))
            seen.defaultButton = box->standardButton(def);
        if (press == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(press)->click();
    });
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void alertHasOkNoIconAndTheGivenTitle();
    void informationShowsThePlatformCaption();
    void questionsDefaultAndAnswer();
};

void DialogsTest::alertHasOkNoIconAndTheGivenTitle() {
    TQtDialogs dialogs;
    TFDMisc misc;
    misc.setDialogPresenter(&dialogs);
    Seen seen;
    inspectNextBox(seen, QMessageBox::Ok);
    misc.show_MyAlert("Port is busy");
    QCOMPARE(seen.text, QStringLiteral("Port is busy"));
    QCOMPARE(seen.title, QString());
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    inspectNextBox(seen, QMessageBox::Ok);
    misc.myAlert("x", "Tessel", TMiscDialogTypes::inf_OkBtn);
    QCOMPARE(seen.title, QStringLiteral("Tessel"));
}

void DialogsTest::informationShowsThePlatformCaption() {
    TQtDialogs dialogs;
    TFDMisc misc;
    misc.setDialogPresenter(&dialogs);
    Seen seen;
    inspectNextBox(seen, QMessageBox::Ok);
    misc.myInformation("The data was saved in the device.", "Tessel", TMiscDialogTypes::inf_OkBtn);
    QCOMPARE(seen.text, QStringLiteral("The data was saved in the device."));
    QCOMPARE(seen.icon, QMessageBox::Information);
    QCOMPARE(seen.title, QStringLiteral("Information"));
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void DialogsTest::questionsDefaultAndAnswer() {
    TQtDialogs dialogs;
    TFDMisc misc;
    misc.setDialogPresenter(&dialogs);
    Seen seen;
    inspectNextBox(seen, QMessageBox::Yes);
    QCOMPARE(misc.myQuestion("Are you sure?", "", TMiscDialogTypes::qstn_YesNo_FBtn), 6);
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen.defaultButton, QMessageBox::Yes);

    inspectNextBox(seen, QMessageBox::NoButton);  // Escape answers No
    QVERIFY(!misc.myQuestion_Boolean("Fiscalization. Are you sure?", "",
                                     TMiscDialogTypes::qstn_YesNo_SBtn));
    QCOMPARE(seen.defaultButton, QMessageBox::No);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
