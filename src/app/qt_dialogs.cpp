#include "app/qt_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMessageBox>

namespace tessel {

namespace {

QMessageBox::Icon iconOf(TDialogIcon icon) {
    switch (icon) {
        case TDialogIcon::Information:
            return QMessageBox::Information;
        case TDialogIcon::Question:
            return QMessageBox::Question;
        case TDialogIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

int TQtDialogs::present(const TDialogRequest& request) {
    QMessageBox box(QApplication::activeWindow());
    box.setIcon(iconOf(request.icon));
    box.setText(QString::fromStdString(request.text));
    // The platform's information dialog carries its own caption, not the
    // caller's title.
    box.setWindowTitle(request.platformInformation ? QMessageBox::tr("Information")
                                                   : QString::fromStdString(request.title));
    if (request.buttons == TDialogButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return kDialogOk;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(request.yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? kDialogYes : kDialogNo;
}

QString TQtDialogs::openFileName(const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, QString(), filter);
}

QString TQtDialogs::saveFileName(const QString& title, const QString& filter,
                                 const QString& suggestedName) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, suggestedName, filter);
}

QString TQtDialogs::clipboardText() {
    return QGuiApplication::clipboard()->text();
}

void TQtDialogs::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace tessel
