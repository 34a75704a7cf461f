#include "app/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTreeWidget>
#include <stdexcept>

#include "app/app_folders.h"
#include "app/dm.h"
#include "app/exception_report.h"
#include "app/pages/connect_page.h"
#include "app/pages/placeholder_page.h"

namespace tessel {

namespace {

constexpr int kStatusCaptionWidth = 222;
constexpr int kStatusMessageWidth = 50;
constexpr int kTreeWidth = 210;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TfmMainSRB::TfmMainSRB(Tdm& dm, TAppDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), fDm(dm), fDialogs(dialogs) {
    setObjectName(QStringLiteral("fmMainSRB"));
    setWindowTitle(QStringLiteral("Tessel SRB"));
    setMinimumSize(1024, 768);
    resize(1024, 768);
    buildTree();
    buildPages();
    buildStatusBar();

    auto* splitter = new QSplitter;
    splitter->setContentsMargins(6, 6, 6, 0);
    splitter->setHandleWidth(6);
    splitter->addWidget(jvtvMain_FBH);
    splitter->addWidget(jvpl_Root_FBH);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, false);
    splitter->setSizes({kTreeWidth, 1024 - kTreeWidth});
    setCentralWidget(splitter);

    // F5 reads the showing page again, wherever the focus is.
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    f5->setContext(Qt::ApplicationShortcut);
    connect(f5, &QShortcut::activated, this, [this] { data_Refresh(true); });

    connect(connectPage->btnConnect, &QPushButton::clicked, this, [this] { btnConnectClick(); });
    // While a command waits for the register the window keeps painting, but
    // input waits until the command is over.
    fDm.setWaitHook([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });

    FormCreate();
}

TfmMainSRB::~TfmMainSRB() {
    fDm.setWaitHook({});
    // The utility component forgets the port list box that goes with us.
    if (fDm.misc.comPortsCombo() == &connectPage->portListBox()) fDm.misc.setComPortsCombo(nullptr);
}

void TfmMainSRB::buildTree() {
    jvtvMain_FBH = new QTreeWidget;
    jvtvMain_FBH->setObjectName(QStringLiteral("jvtvMain_FBH"));
    jvtvMain_FBH->setHeaderHidden(true);
    jvtvMain_FBH->setMinimumWidth(180);
    jvtvMain_FBH->setRootIsDecorated(true);
    jvtvMain_FBH->setUniformRowHeights(true);
    jvtvMain_FBH->setStyleSheet(QStringLiteral("QTreeView::item { padding: 3px 2px; }"));
    for (int node = 0; node < kNodeCount; ++node) {
        const TNodeInfo& info = kNodes[node];
        auto* item = info.parent < 0 ? new QTreeWidgetItem(jvtvMain_FBH)
                                     : new QTreeWidgetItem(fNodeItems[info.parent]);
        item->setText(0, qs(info.caption));
        item->setData(0, Qt::UserRole, node);
        fNodeItems[node] = item;
        fNodePage[node] = info.startPage;
    }
    jvtvMain_FBH->expandAll();
    connect(jvtvMain_FBH, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { nodeSelected(item); });
}

void TfmMainSRB::buildPages() {
    jvpl_Root_FBH = new QStackedWidget;
    jvpl_Root_FBH->setObjectName(QStringLiteral("jvpl_Root_FBH"));
    for (int index = 0; index < kPageCount; ++index) {
        const TPageInfo& info = kPages[index];
        QWidget* content = nullptr;
        if (index == pgConnect) {
            connectPage = new TConnectPage;
            connectPage->setObjectName(qs(info.name));
            content = connectPage;
        } else {
            content = new TPlaceholderPage(qs(info.name), qs(info.title));
        }
        jvpl_Root_FBH->addWidget(content);
    }
    connect(jvpl_Root_FBH, &QStackedWidget::currentChanged, this,
            [this](int index) { pageChanged(index); });
}

void TfmMainSRB::buildStatusBar() {
    auto* bar = new QStatusBar;
    bar->setObjectName(QStringLiteral("sbMessages"));
    bar->setSizeGripEnabled(false);
    sbMessages[0] = new QLabel(QStringLiteral("Status: "));
    sbMessages[0]->setFixedWidth(kStatusCaptionWidth);
    sbMessages[1] = new QLabel;
    sbMessages[1]->setMinimumWidth(kStatusMessageWidth);
    sbMessages[1]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (QLabel* panel : sbMessages) panel->setContentsMargins(4, 1, 4, 1);
    bar->addWidget(sbMessages[0]);
    bar->addWidget(sbMessages[1], 1);
    setStatusBar(bar);
}

QTreeWidgetItem* TfmMainSRB::nodeItem(int node) const {
    return fNodeItems.at(node);
}

QWidget* TfmMainSRB::page(int index) const {
    return jvpl_Root_FBH->widget(index);
}

int TfmMainSRB::currentPage() const {
    return jvpl_Root_FBH->currentIndex();
}

void TfmMainSRB::showPage(int index) {
    jvpl_Root_FBH->setCurrentIndex(index);
}

QString TfmMainSRB::statusPanelText(int panel) const {
    return sbMessages.at(panel)->text();
}

void TfmMainSRB::setStatusPanelText(int panel, const QString& text) {
    sbMessages.at(panel)->setText(text);
}

void TfmMainSRB::showException(std::string_view label, std::string_view message) {
    fDm.misc.show_MyAlert(exceptionReport(label, message));
}

void TfmMainSRB::FormCreate() {
    try {
        Working = false;
        Stop_read = false;
        ecrModel = 0;
        ShowErr = true;
        msg_DataSavedToEcr = "The data was saved in the device.";
        msgAreUsure = "Are you sure?";
        applyRegionalSettings();
    } catch (const std::exception& e) {
        showException("FormCreate", e.what());
    }
}

void TfmMainSRB::applyRegionalSettings() {
    fDm.misc.set_LocalShits(".", ":", ".", "dd.mm.yyyy", "hh:mm:ss", "dd.mm.yyyy", "hh:mm:ss");
}

void TfmMainSRB::changeEvent(QEvent* event) {
    // A change of the system's regional settings reloads the locale's formats.
    if (event->type() == QEvent::LocaleChange) applyRegionalSettings();
    QMainWindow::changeEvent(event);
}

void TfmMainSRB::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (fShown) return;
    fShown = true;
    centreOnScreen();
    FormShow();
}

void TfmMainSRB::centreOnScreen() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void TfmMainSRB::FormShow() {
    try {
        fDm.misc.setComPortsCombo(&connectPage->portListBox());
        fDm.misc.fill_ComPortsCombo();
        // The second entry, as the list has always opened; a lone port is
        // selected rather than left blank.
        connectPage->cbxCOM->setCurrentIndex(connectPage->cbxCOM->count() > 1 ? 1 : 0);
        const TAppFolders folders = getFolders();
        APPDATA_FOLDER = folders.appData;
        LOG_FOLDER = folders.log;
        SetConnected(false);
        // The tree marks where the window stands; without a current node its
        // first focus would select "Device setup".
        jvtvMain_FBH->setCurrentItem(nodeItem(kNodeConnect));
        showPage(pgConnect);
        showLoadedSettings();
    } catch (const std::exception& e) {
        showException("FormShow", e.what());
    }
}

void TfmMainSRB::nodeSelected(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    showPage(fNodePage.at(item->data(0, Qt::UserRole).toInt()));
}

void TfmMainSRB::pageChanged(int) {
    if (fConnected) data_Refresh(false);
}

void TfmMainSRB::setPageReader(int pageIndex, std::function<void()> reader) {
    fPageReaders.at(pageIndex) = std::move(reader);
}

void TfmMainSRB::data_Refresh(bool) {
    const int index = currentPage();
    if (index < 0 || !fPageReaders[index]) return;
    fPageReaders[index]();
}

bool TfmMainSRB::StatusUpdate() {
    setStatusPanelText(1, QString());
    const std::int32_t code = fDm.err_.LastErrorCode();
    if (code == 0) return true;
    // Loops recognise an absent article or client by these codes.
    constexpr std::int32_t kPluNotFound = -111004;
    constexpr std::int32_t kFirmNotFound = -106000;
    if (code == kPluNotFound || code == kFirmNotFound) return false;
    try {
        if (ShowErr)
            fDm.misc.show_MyAlert(fDm.err_.LastErrorMessage());
        else
            setStatusPanelText(1, QString::fromStdString(fDm.err_.LastErrorMessage()));
    } catch (const std::exception&) {
    }
    return false;
}

}  // namespace tessel
