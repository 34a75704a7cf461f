// The window without a register: tree, pages, status bar, connection page,
// enabling rules, status check, F5, the wheel rule, the dialogs and the start-up steps.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "app/app_startup.h"
#include "app/exception_report.h"
#include "app/pages/connect_page.h"
#include "app/wheel_to_keys.h"
#include "support/app_fixture.h"

using namespace tessel;
using tessel::testing::TAppFixture;

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void windowCaptionAndSize();
    void treeNodesPointToTheirPages();
    void stackHoldsEighteenNamedPages();
    void statusBarPanels();
    void connectionPageDefaultsAndTcpToggle();
    void startsDisconnectedOnTheConnectionPage();
    void statusUpdateSilentCodesAndShowErr_data();
    void statusUpdateSilentCodesAndShowErr();
    void f5ReadsTheShowingPageWhileDisconnected();
    void opraviControliteSwitchesOnlyTheShowingPage();
    void mouseWheelMovesGridRow();
    void exceptionReportsCarryTheLabel();
    // Last: the wheel filter it installs stays for the rest of the run.
    void startUpPreparesTheApplication();
};

void ShellTest::windowCaptionAndSize() {
    TAppFixture app;
    app.show();
    QCOMPARE(app.window->windowTitle(), QStringLiteral("Tessel SRB"));
    QCOMPARE(app.window->minimumSize(), QSize(1024, 768));
    QVERIFY(app.window->width() >= 1024 && app.window->height() >= 768);
}

void ShellTest::treeNodesPointToTheirPages() {
    TAppFixture app;
    app.show();
    const struct {
        const char* caption;
        int parent;
        int page;
    } nodes[] = {
        {"Device setup", -1, 3},       {"Date & Logo", 0, 3},      {"Communication", 0, 12},
        {"Parameters & Format", 0, 4}, {"Fiscalization", 0, 5},    {"Items", -1, 1},
        {"EJournal", -1, 6},           {"Operators", -1, 7},       {"Keys", -1, 8},
        {"Clients", -1, 15},           {"Custom command", -1, 17}, {"Connect/Disconnect", -1, 16}};
    int count = 0;
    for (QTreeWidgetItemIterator it(app.window->jvtvMain_FBH); *it != nullptr; ++it) ++count;
    QCOMPARE(count, 12);
    for (int node = 0; node < 12; ++node) {
        QTreeWidgetItem* item = app.window->nodeItem(node);
        QVERIFY(item != nullptr);
        QCOMPARE(item->text(0), QString::fromLatin1(nodes[node].caption));
        if (nodes[node].parent < 0)
            QVERIFY(item->parent() == nullptr);
        else
            QCOMPARE(item->parent(), app.window->nodeItem(nodes[node].parent));
        if (item->childCount() > 0) QVERIFY(item->isExpanded());
        QCOMPARE(app.window->nodePage(node), nodes[node].page);
        // Clicking the node shows its page (the device pages are disabled,
        // but still shown).
        app.window->jvtvMain_FBH->setCurrentItem(item);
        QCOMPARE(app.window->currentPage(), nodes[node].page);
    }
}

void ShellTest::stackHoldsEighteenNamedPages() {
    TAppFixture app;
    const char* names[] = {"jvpg_Sub__Root_01_Init",
                           "jvpg_Sub__Root_03_Items",
                           "jvpg_Sub__Root_04_Other",
                           "jvpg_Sub_01_Clishe",
                           "jvpg_Sub_03_Params",
                           "jvpg_Sub_06_Fiscalization",
                           "jvpg_Sub_11_KLEN",
                           "jvpg_Sub_15_Operators",
                           "jvpg_Sub_16_Keys",
                           "jvpg_Sub_17_Corrections",
                           "jvpg_Sub_19_CashINOUT",
                           "jvpg_Sub_21_Test",
                           "jvpg_Sub_24_Communication",
                           "jvpg_Sub_22_StockGrp",
                           "jvpg_None",
                           "jvpg_Sub_27_Clients",
                           "jvpg_Connect",
                           "jvpg_Sub__Root_06_Custom"};
    QCOMPARE(app.window->jvpl_Root_FBH->count(), 18);
    for (int index = 0; index < 18; ++index)
        QCOMPARE(app.window->page(index)->objectName(), QString::fromLatin1(names[index]));
}

void ShellTest::statusBarPanels() {
    TAppFixture app;
    app.show();
    const auto labels = app.window->statusBar()->findChildren<QLabel*>();
    QVERIFY(labels.size() >= 2);
    QCOMPARE(app.window->statusPanelText(0), QStringLiteral("Status: "));
    QCOMPARE(labels[0]->width(), 222);
    app.window->setStatusPanelText(1, QStringLiteral("x"));
    QCOMPARE(labels[1]->text(), QStringLiteral("x"));
}

void ShellTest::connectionPageDefaultsAndTcpToggle() {
    TAppFixture app;
    TConnectPage& page = *app.window->connectPage;
    QCOMPARE(page.cbxSPEED->count(), 10);
    const QStringList speeds{"1200",  "2400",  "4800",  "9600",  "14400",
                             "19200", "38400", "56000", "57600", "115200"};
    for (int i = 0; i < speeds.size(); ++i) QCOMPARE(page.cbxSPEED->itemText(i), speeds[i]);
    QCOMPARE(page.cbxSPEED->currentText(), QStringLiteral("115200"));
    QCOMPARE(page.cbxCOM->count(), 20);
    QCOMPARE(page.cbxCOM->itemText(19), QStringLiteral("COM 20"));
    QCOMPARE(page.cbxCOM->currentIndex(), 0);
    QCOMPARE(page.chbxTCP->text(), QStringLiteral("TCP/IP"));
    QVERIFY(!page.chbxTCP->isChecked());
    QCOMPARE(page.edIPaddr->text(), QString());
    QCOMPARE(page.edPort->text(), QStringLiteral("3999"));
    QCOMPARE(page.edIPaddr->maxLength(), 15);
    QCOMPARE(page.edPort->maxLength(), 15);
    QCOMPARE(page.btnConnect->text(), QStringLiteral("Connect"));

    const auto serialOnly = [&](bool serial) {
        QCOMPARE(page.cbxCOM->isEnabled(), serial);
        QCOMPARE(page.cbxSPEED->isEnabled(), serial);
        QCOMPARE(page.edIPaddr->isEnabled(), !serial);
        QCOMPARE(page.edPort->isEnabled(), !serial);
    };
    serialOnly(true);
    page.chbxTCP->click();
    serialOnly(false);
    page.chbxTCP->click();
    serialOnly(true);
}

void ShellTest::startsDisconnectedOnTheConnectionPage() {
    TAppFixture app;
    app.show();
    TfmMainSRB& w = *app.window;
    QVERIFY(!w.Connected());
    QCOMPARE(w.currentPage(), static_cast<int>(pgConnect));
    QVERIFY(w.connectPage->btnConnect->isEnabled());
    QVERIFY(w.jvtvMain_FBH->isEnabled());
    // The port list (discovered ports, or the twenty names) has its second
    // entry selected, or its only one.
    QCOMPARE(w.connectPage->cbxCOM->currentIndex(), w.connectPage->cbxCOM->count() > 1 ? 1 : 0);
    for (int index :
         {pgClishe, pgParams, pgFiscalization, pgKLEN, pgCommunication, pgCustom, pgKeys})
        QVERIFY2(!w.page(index)->isEnabled(), qPrintable(w.page(index)->objectName()));
    for (int index : {pgItems, pgOperators, pgClients, pgConnect})
        QVERIFY(w.page(index)->isEnabled());
    QVERIFY(QFileInfo(app.path("data/Tessel/SRB")).isDir());
    QVERIFY(QFileInfo(app.path("documents/Tessel/SRB")).isDir());
    QCOMPARE(QString::fromStdString(w.APPDATA_FOLDER), app.path("data/Tessel/SRB/"));

    // Connected, every push button comes back; disconnected again, all but
    // the connect button go.
    auto* extra = new QPushButton(QStringLiteral("probe"), w.page(pgItems));
    w.SetConnected(true);
    QVERIFY(extra->isEnabled());
    QVERIFY(w.page(pgClishe)->isEnabled());
    QCOMPARE(w.connectPage->btnConnect->text(), QStringLiteral("Disconnect"));
    w.SetConnected(false);
    QVERIFY(!extra->isEnabled());
    QVERIFY(w.connectPage->btnConnect->isEnabled());
}

void ShellTest::statusUpdateSilentCodesAndShowErr_data() {
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("showErr");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("panelFilled");
    QTest::newRow("success") << 0 << true << true << 0 << false;
    QTest::newRow("absent article") << -111004 << true << false << 0 << false;
    QTest::newRow("absent client") << -106000 << true << false << 0 << false;
    QTest::newRow("error in a box") << -33017 << true << false << 1 << false;
    QTest::newRow("error in the status bar") << -33017 << false << false << 0 << true;
}

void ShellTest::statusUpdateSilentCodesAndShowErr() {
    QFETCH(int, code);
    QFETCH(bool, showErr);
    QFETCH(bool, result);
    QFETCH(int, boxes);
    QFETCH(bool, panelFilled);
    TAppFixture app;
    app.window->setStatusPanelText(1, QStringLiteral("old"));
    app.window->ShowErr = showErr;
    app.dm->err_.setLastErrorCode(code);
    QCOMPARE(app.window->StatusUpdate(), result);
    QCOMPARE(app.dialogs.messages().requests().size(), static_cast<size_t>(boxes));
    const QString message = QString::fromStdString(app.dm->err_.LastErrorMessage());
    QVERIFY(!message.isEmpty());
    if (boxes > 0) {
        const TDialogRequest& box = app.dialogs.messages().requests().front();
        QCOMPARE(QString::fromStdString(box.text), message);
        QCOMPARE(box.title, std::string());
        QCOMPARE(box.icon, TDialogIcon::None);
        QCOMPARE(box.buttons, TDialogButtons::Ok);
    }
    QCOMPARE(app.window->statusPanelText(1), panelFilled ? message : QString());
}

void ShellTest::f5ReadsTheShowingPageWhileDisconnected() {
    TAppFixture app;
    app.show();
    int reads = 0;
    app.window->setPageReader(pgOperators, [&] { ++reads; });
    app.window->showPage(pgOperators);
    QCOMPARE(reads, 0);  // not connected: a page change reads nothing
    QTest::keyClick(app.window->jvtvMain_FBH, Qt::Key_F5);
    QCOMPARE(reads, 1);
    app.window->showPage(pgItems);
    QTest::keyClick(app.window->connectPage->edPort, Qt::Key_F5);
    QCOMPARE(reads, 1);  // the Items page has no reader
}

void ShellTest::opraviControliteSwitchesOnlyTheShowingPage() {
    TAppFixture app;
    TfmMainSRB& w = *app.window;
    auto* readItems = new QPushButton(w.page(pgItems));
    readItems->setObjectName(QStringLiteral("bbtnReadItems"));
    auto* stopRead = new QPushButton(w.page(pgItems));
    stopRead->setObjectName(QStringLiteral("bbtnStopRead"));
    auto* readClients = new QPushButton(w.page(pgClients));
    readClients->setObjectName(QStringLiteral("btnReadClientInfo"));
    auto* stopClients = new QCheckBox(w.page(pgClients));
    stopClients->setObjectName(QStringLiteral("chbx_StopClients"));

    w.showPage(pgItems);
    stopRead->setEnabled(true);
    w.OpraviControlite(false);
    QVERIFY(!readItems->isEnabled());
    QVERIFY(!stopRead->isEnabled());
    QVERIFY(readClients->isEnabled());
    QVERIFY(w.Working);
    w.OpraviControlite(true);
    QVERIFY(readItems->isEnabled());
    QVERIFY(!w.Working);

    w.showPage(pgClients);
    w.OpraviControlite(false);
    QVERIFY(!readClients->isEnabled());
    QVERIFY(stopClients->isEnabled());
    QVERIFY(w.Working);
    w.OpraviControlite(true);
    QVERIFY(!stopClients->isEnabled());

    w.showPage(pgConnect);
    w.OpraviControlite(false);
    QVERIFY(w.connectPage->btnConnect->isEnabled());
}

void ShellTest::mouseWheelMovesGridRow() {
    TWheelToArrowKeys wheel;
    qApp->installEventFilter(&wheel);
    QStandardItemModel model(5, 2);
    QTableView grid;
    grid.setModel(&model);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.setCurrentIndex(model.index(2, 0));
    const auto turn = [&](int delta) {
        QWheelEvent event(QPointF(5, 5), grid.mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &event);
    };
    turn(-120);
    QCOMPARE(grid.currentIndex().row(), 3);
    turn(120);
    turn(120);
    QCOMPARE(grid.currentIndex().row(), 1);
    qApp->removeEventFilter(&wheel);
}

void ShellTest::exceptionReportsCarryTheLabel() {
    QCOMPARE(QString::fromStdString(exceptionReport("FormShow", "getFolders:disk full")),
             QStringLiteral("Exception in method \"FormShow\":getFolders:disk full"));
    // An inner operation puts its label in front and raises again.
    try {
        try {
            throw std::runtime_error("boom");
        } catch (const std::exception& e) {
            throw ELabelled("readOneArticle", e.what());
        }
    } catch (const std::exception& e) {
        QCOMPARE(QString::fromStdString(exceptionReport("bbtnReadItemsClick", e.what())),
                 QStringLiteral("Exception in method \"bbtnReadItemsClick\":readOneArticleboom"));
    }
}

void ShellTest::startUpPreparesTheApplication() {
    prepareApplication(*qApp);
    QCOMPARE(QApplication::applicationName(), QStringLiteral("tessel-config"));
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
    QVERIFY(qApp->findChild<TWheelToArrowKeys*>() != nullptr);
}

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
