// Connecting to the in-process register: the model table, failures on the
// way, the settings file and a window that keeps painting while it waits.
#include <qpa/qwindowsysteminterface.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/pages/connect_page.h"
#include "support/sim_fixture.h"

using namespace tessel;
using tessel::testing::TSimAppFixture;

namespace {

QString readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

class ConnectionTest : public QObject {
    Q_OBJECT
private slots:
    void connectAndDisconnectOverTcp();
    void refusedConnectionShowsTheOpenError();
    void modelTable_data();
    void modelTable();
    void identificationFailureAfterAGoodOpen();
    void silentCodesFromTheRegister();
    void f5WhileDisconnectedReportsTheDeviceError();
    void windowKeepsPaintingWhileTheRegisterIsSlow();
};

void ConnectionTest::connectAndDisconnectOverTcp() {
    TSimAppFixture app;
    app.show();
    TfmMainSRB& w = *app.window;
    // A settings file from earlier, with a key of someone else's.
    QDir().mkpath(app.path("Settings"));
    {
        QFile file(app.path("Settings/settings.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Program]\r\nTheme=dark\r\n");
    }
    app.connect();
    QVERIFY(w.Connected());
    QCOMPARE(app.messageTexts(), QStringList());
    QCOMPARE(w.windowTitle(), QStringLiteral("Tessel FBH - [TK-81R]"));
    QCOMPARE(w.ecrModel, 0);
    QCOMPARE(w.MaxProgrammableKeys, 8);
    QCOMPARE(w.currentPage(), static_cast<int>(pgClishe));
    QCOMPARE(w.jvtvMain_FBH->currentItem(), w.nodeItem(1));
    QCOMPARE(w.statusPanelText(1), QStringLiteral("Connected."));
    QCOMPARE(w.connectPage->btnConnect->text(), QStringLiteral("Disconnect"));
    QVERIFY(w.page(pgClishe)->isEnabled());

    const QString settings = readFile(app.path("Settings/settings.ini"));
    QVERIFY(settings.contains(QStringLiteral("Theme=dark\r\n")));
    QVERIFY(settings.contains(QStringLiteral("CommunicationType=TCPIP\r\n")));
    QVERIFY(settings.contains(QStringLiteral("ProtocolType=2\r\n")));
    QVERIFY(settings.contains(QStringLiteral("IPAddress=127.0.0.1\r\n")));
    QVERIFY(settings.contains(QStringLiteral("Port=%1\r\n").arg(app.simulator->tcpPort())));

    w.connectPage->btnConnect->click();
    QVERIFY(!w.Connected());
    QVERIFY(!app.dm->currentConnector().Active());
    QCOMPARE(w.connectPage->btnConnect->text(), QStringLiteral("Connect"));
    QVERIFY(w.connectPage->btnConnect->isEnabled());
    QVERIFY(!w.page(pgClishe)->isEnabled());

    // And back again on the same window.
    w.connectPage->btnConnect->click();
    QVERIFY(w.Connected());
}

void ConnectionTest::refusedConnectionShowsTheOpenError() {
    TSimAppFixture app;
    app.show();
    app.pointAtSimulator();
    app.simulator->stop();  // nobody listens on that port any more
    app.window->connectPage->btnConnect->click();
    QVERIFY(!app.window->Connected());
    QCOMPARE(app.messageTexts().size(), 1);
    QCOMPARE(app.messageTexts().front(), QString::fromStdString(app.dm->err_.LastErrorMessage()));
    QVERIFY(app.dm->err_.LastErrorCode() != 0);
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Tessel SRB"));
    QCOMPARE(app.window->connectPage->btnConnect->text(), QStringLiteral("Connect"));
    QVERIFY(app.window->connectPage->btnConnect->isEnabled());
    // Nothing was written: the open failed before the identification.
    QVERIFY(!QFile::exists(app.path("Settings/settings.ini")));
}

void ConnectionTest::modelTable_data() {
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("ecrModel");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("redirectedPage");
    QTest::newRow("LS-37") << "ls 37" << 1 << "Tessel FBH - [LS-37]" << 8 << -1;
    QTest::newRow("LS-90") << "LS 90" << 2 << "Tessel FBH - [LS-90]" << 8 << -1;
    QTest::newRow("QN-12") << "QN 12" << 3 << "Tessel FBH - [QN-12]" << 0
                           << static_cast<int>(pgNone);
    QTest::newRow("unknown") << "ZX 99" << -1 << "Tessel SRB" << 0 << -1;
}

void ConnectionTest::modelTable() {
    QFETCH(QString, model);
    QFETCH(int, ecrModel);
    QFETCH(QString, caption);
    QFETCH(int, keys);
    QFETCH(int, redirectedPage);
    TSimAppFixture app(model.toStdString());
    app.show();
    app.connect();
    TfmMainSRB& w = *app.window;
    QVERIFY(w.Connected());
    QCOMPARE(w.ecrModel, ecrModel);
    QCOMPARE(w.windowTitle(), caption);
    QCOMPARE(w.MaxProgrammableKeys, keys);
    const struct {
        int node;
        int page;
    } redirectable[] = {{5, pgItems}, {8, pgKeys}, {9, pgClients}};
    for (const auto& entry : redirectable) {
        const int expected = redirectedPage < 0 ? entry.page : redirectedPage;
        QCOMPARE(w.nodePage(entry.node), expected);
        w.jvtvMain_FBH->setCurrentItem(w.nodeItem(entry.node));
        QCOMPARE(w.currentPage(), expected);
    }
}

void ConnectionTest::identificationFailureAfterAGoodOpen() {
    TSimAppFixture app;
    app.show();
    // The opening reads the identification itself (the status request and
    // two reads of command 90); the window's own command 90 comes fourth.
    for (int i = 0; i < 3; ++i) app.simulator->faults().queue({sim::FaultKind::delay, 0});
    app.simulator->faults().queue({sim::FaultKind::deviceError, -100001});
    app.connect();
    QVERIFY(!app.window->Connected());
    QCOMPARE(app.messageTexts(),
             QStringList{QString::fromStdString(app.dm->err_.get_ErrorMessageByCode(-100001))});
    QVERIFY(!app.dm->currentConnector().Active());
    QCOMPARE(app.window->connectPage->btnConnect->text(), QStringLiteral("Connect"));
    // The open worked, so the connection is remembered all the same.
    QVERIFY(readFile(app.path("Settings/settings.ini"))
                .contains(QStringLiteral("CommunicationType=TCPIP")));
}

void ConnectionTest::silentCodesFromTheRegister() {
    TSimAppFixture app;
    app.show();
    app.connect();
    QVERIFY(app.window->Connected());
    std::string answer;
    for (int code : {-111004, -106000}) {
        app.simulator->faults().queue({sim::FaultKind::deviceError, code});
        app.dm->fDevice.customCommand_cp1251(90, "\t", answer);
        QCOMPARE(app.dm->err_.LastErrorCode(), code);
        QVERIFY(!app.window->StatusUpdate());
    }
    QCOMPARE(app.messageTexts(), QStringList());
    // Any other code speaks.
    app.simulator->faults().queue({sim::FaultKind::deviceError, -111001});
    app.dm->fDevice.customCommand_cp1251(90, "\t", answer);
    QVERIFY(!app.window->StatusUpdate());
    QCOMPARE(app.messageTexts().size(), 1);
}

void ConnectionTest::f5WhileDisconnectedReportsTheDeviceError() {
    TSimAppFixture app;
    app.show();
    TfmMainSRB& w = *app.window;
    // A page read as the pages do it: one command, then the status check.
    w.setPageReader(pgOperators, [&] {
        std::string answer;
        app.dm->fDevice.customCommand_cp1251(255, "OperName\t1\t\t", answer);
        w.StatusUpdate();
    });
    w.jvtvMain_FBH->setCurrentItem(w.nodeItem(7));
    QCOMPARE(w.currentPage(), static_cast<int>(pgOperators));
    QCOMPARE(app.messageTexts(), QStringList());
    QTest::keyClick(w.jvtvMain_FBH, Qt::Key_F5);
    QVERIFY(app.dm->err_.LastErrorCode() != 0);
    QCOMPARE(app.messageTexts(),
             QStringList{QString::fromStdString(app.dm->err_.LastErrorMessage())});
}

void ConnectionTest::windowKeepsPaintingWhileTheRegisterIsSlow() {
    TSimAppFixture app;
    app.show();
    app.connect();
    QVERIFY(app.window->Connected());
    app.window->showPage(pgConnect);
    QLineEdit* edit = app.window->connectPage->edIPaddr;
    edit->clear();
    app.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.window.get()));
    edit->setFocus();

    int ticks = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        // A key typed now arrives through the window system's queue.
        if (ticks++ == 0)
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                app.window->windowHandle(), QEvent::KeyPress, Qt::Key_A, Qt::NoModifier,
                QStringLiteral("a"));
    });
    timer.start();
    app.simulator->faults().queue({sim::FaultKind::delay, 2000});
    std::string answer;
    QVERIFY(app.dm->fDevice.customCommand_cp1251(90, "\t", answer));
    QVERIFY(ticks > 1);
    // Held back while the command waited, typed once it is over.
    QCOMPARE(edit->text(), QString());
    QTRY_COMPARE(edit->text(), QStringLiteral("a"));
}

QTEST_MAIN(ConnectionTest)
#include "connection_test.moc"
