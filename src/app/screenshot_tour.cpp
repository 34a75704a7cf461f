#include "app/screenshot_tour.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <iostream>

#include "app/main_window.h"
#include "app/pages/connect_page.h"

namespace tessel {

namespace {

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

}  // namespace

bool runScreenshotTour(TfmMainSRB& window, const QString& folder) {
    if (!QDir().mkpath(folder)) {
        std::cerr << "screenshots: cannot create " << folder.toStdString() << '\n';
        return false;
    }
    settle();
    // The connection page first, as a new user meets it.
    bool allWritten = true;
    const auto save = [&](const QString& name) {
        settle();
        const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::cerr << "screenshots: cannot write " << file.toStdString() << '\n';
            allWritten = false;
        }
    };
    save(QStringLiteral("00_connection_before_connecting"));
    window.connectPage->btnConnect->click();
    if (!window.Connected())
        std::cerr << "screenshots: not connected: " << window.statusPanelText(1).toStdString()
                  << '\n';
    for (int index = 0; index < kPageCount; ++index) {
        window.showPage(index);
        save(QStringLiteral("%1_%2")
                 .arg(index + 1, 2, 10, QLatin1Char('0'))
                 .arg(QString::fromLatin1(kPages[index].name.data(),
                                          static_cast<qsizetype>(kPages[index].name.size()))));
    }
    return allWritten;
}

}  // namespace tessel
