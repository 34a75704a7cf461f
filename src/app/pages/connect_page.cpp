#include "app/pages/connect_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int kFieldWidth = 180;
constexpr int kAddressLength = 15;

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

TConnectPage::TConnectPage(QWidget* parent)
    : QWidget(parent),
      cbxCOM(named(new QComboBox, "cbxCOM")),
      cbxSPEED(named(new QComboBox, "cbxSPEED")),
      chbxTCP(named(new QCheckBox(QStringLiteral("TCP/IP")), "chbxTCP")),
      edIPaddr(named(new QLineEdit, "edIPaddr")),
      edPort(named(new QLineEdit(QStringLiteral("3999")), "edPort")),
      btnConnect(named(new QPushButton(QStringLiteral("Connect")), "btnConnect")) {
    // Until the port discovery runs, the usual twenty names.
    for (int n = 1; n <= 20; ++n) cbxCOM->addItem(QStringLiteral("COM %1").arg(n));
    cbxCOM->setCurrentIndex(0);
    cbxSPEED->addItems(
        {"1200", "2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200"});
    cbxSPEED->setCurrentText(QStringLiteral("115200"));
    edIPaddr->setMaxLength(kAddressLength);
    edPort->setMaxLength(kAddressLength);
    for (QWidget* field : {static_cast<QWidget*>(cbxCOM), static_cast<QWidget*>(cbxSPEED),
                           static_cast<QWidget*>(edIPaddr), static_cast<QWidget*>(edPort)})
        field->setFixedWidth(kFieldWidth);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    form->addRow(QStringLiteral("COM port:"), cbxCOM);
    form->addRow(QStringLiteral("Speed:"), cbxSPEED);
    form->addRow(QString(), chbxTCP);
    form->addRow(QStringLiteral("IP:"), edIPaddr);
    form->addRow(QStringLiteral("Port:"), edPort);
    btnConnect->setMinimumWidth(kFieldWidth);
    form->addRow(QString(), btnConnect);

    auto* box = new QGroupBox(QStringLiteral("Connection"));
    box->setLayout(form);
    box->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(24, 24, 24, 24);
    page->addWidget(box, 0, Qt::AlignLeft | Qt::AlignTop);
    page->addStretch();

    connect(chbxTCP, &QCheckBox::toggled, this, &TConnectPage::chbxTCPClick);
    chbxTCPClick(false);
}

void TConnectPage::chbxTCPClick(bool ticked) {
    cbxCOM->setEnabled(!ticked);
    cbxSPEED->setEnabled(!ticked);
    edIPaddr->setEnabled(ticked);
    edPort->setEnabled(ticked);
}

void TConnectPage::useTcp(const QString& address, std::uint16_t port) {
    chbxTCP->setChecked(true);
    edIPaddr->setText(address);
    edPort->setText(QString::number(port));
}

void TConnectPage::TComboListBox::setItems(const StringList& items) {
    fCombo->clear();
    for (const std::string& item : items) fCombo->addItem(QString::fromStdString(item));
}

}  // namespace tessel
