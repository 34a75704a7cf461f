#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <string>

#include "app/page_table.h"

class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tessel {

class Tdm;
class TAppDialogs;
class TConnectPage;

// The main window: the navigation tree on the left, the stack of pages on
// the right, the status bar below, and the shell operations every page uses.
class TfmMainSRB : public QMainWindow {
    Q_OBJECT
public:
    TfmMainSRB(Tdm& dm, TAppDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmMainSRB() override;

    TAppDialogs& dialogs() { return fDialogs; }

    QTreeWidget* jvtvMain_FBH;
    QStackedWidget* jvpl_Root_FBH;
    TConnectPage* connectPage;

    // State shared with the pages.
    bool Connected() const { return fConnected; }
    bool ShowErr = true;
    int MaxProgrammableKeys = 0;
    int ecrModel = 0;
    bool Working = false;
    bool Stop_read = false;
    bool Stop_read_klen = false;
    std::string msg_DataSavedToEcr;
    std::string msgAreUsure;
    std::string APPDATA_FOLDER;
    std::string LOG_FOLDER;

    // The page a navigation node shows now.
    int nodePage(int node) const { return fNodePage.at(node); }
    QTreeWidgetItem* nodeItem(int node) const;
    QWidget* page(int index) const;
    int currentPage() const;
    void showPage(int index);

    // Status bar: panel 0 holds "Status: ", panel 1 the connection state and
    // device errors.
    QString statusPanelText(int panel) const;
    void setStatusPanelText(int panel, const QString& text);

    // Shell operations (see the pages that call them).
    bool StatusUpdate();
    void OpraviControlite(bool Value);
    void SetConnected(bool Value);
    void data_Refresh(bool f5pressed);
    // The read operation of a page that reads its data when it is shown or
    // F5 is pressed; pages without one are not read.
    void setPageReader(int pageIndex, std::function<void()> reader);

    // The connection.
    void btnConnectClick();
    bool connectFP();
    void destroyFP();

    // Shows an exception through the alert box, as every shell handler does.
    void showException(std::string_view label, std::string_view message);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildTree();
    void buildPages();
    void buildStatusBar();
    void FormCreate();
    void FormShow();
    void applyRegionalSettings();
    void centreOnScreen();
    void nodeSelected(QTreeWidgetItem* item);
    void pageChanged(int index);
    void setEnabledByName(const char* name, bool enabled);
    // Command 90 and the model it names: caption, keys, tree redirection.
    bool identifyModel();
    void applyModel(int model);
    // The connection page shows what the settings file held.
    void showLoadedSettings();

    Tdm& fDm;
    TAppDialogs& fDialogs;
    std::array<QLabel*, 2> sbMessages{};
    std::array<QTreeWidgetItem*, kNodeCount> fNodeItems{};
    std::array<int, kNodeCount> fNodePage{};
    std::array<std::function<void()>, kPageCount> fPageReaders;
    bool fConnected = false;
    bool fShown = false;
};

}  // namespace tessel
