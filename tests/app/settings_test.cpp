// The settings file read when the window first shows: port, speed, address
// and port fields, and the keys a TCP port out of range leaves alone.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "app/pages/connect_page.h"
#include "support/app_fixture.h"

using namespace tessel;
using tessel::testing::TAppFixture;

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void readAtStart_data();
    void readAtStart();
    void noSettingsFileMeansNothingLoaded_data();
    void noSettingsFileMeansNothingLoaded();
};

void SettingsTest::readAtStart_data() {
    QTest::addColumn<QStringList>("portList");  // empty: the built-in "COM 1" ... "COM 20"
    QTest::addColumn<QString>("program");       // the [Program] lines
    QTest::addColumn<QString>("port");          // selected entry, empty for none
    QTest::addColumn<QString>("speed");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("tcpPort");
    const QStringList longForm{"COM 003", "COM 007"};
    QTest::newRow("short text, long list")
        << longForm << "COMPort=COM 7\r\nBaudRate=57600\r\nPort=4001\r\nIPAddress=10.1.2.3"
        << "COM 007"
        << "57600"
        << "10.1.2.3"
        << "4001";
    QTest::newRow("long text, short list") << QStringList() << "COMPort=COM 007\r\nBaudRate=9600"
                                           << ""
                                           << "9600"
                                           << "192.168.0.1"
                                           << "3999";
    QTest::newRow("Windows blank in the text") << longForm << "COMPort=COM 3\r\nBaudRate=2400"
                                               << "COM 003"
                                               << "2400"
                                               << "192.168.0.1"
                                               << "3999";
    QTest::newRow("device path") << QStringList{"/dev/ttyS0", "/dev/ttyUSB0"}
                                 << "COMPort=/dev/ttyUSB0"
                                 << "/dev/ttyUSB0"
                                 << "115200"
                                 << "192.168.0.1"
                                 << "3999";
    QTest::newRow("speed not in the list") << longForm << "COMPort=COM 3\r\nBaudRate=12345"
                                           << "COM 003"
                                           << ""
                                           << "192.168.0.1"
                                           << "3999";
    // The reading ends at the port: the speed before it counts, the address
    // after it keeps the value in use, and so does the port itself.
    QTest::newRow("TCP port above 65535")
        << longForm << "COMPort=COM 7\r\nBaudRate=4800\r\nPort=70000\r\nIPAddress=10.9.9.9"
        << "COM 007"
        << "4800"
        << "127.0.0.1"
        << "3999";
}

void SettingsTest::readAtStart() {
    QFETCH(QStringList, portList);
    QFETCH(QString, program);
    QFETCH(QString, port);
    QFETCH(QString, speed);
    QFETCH(QString, address);
    QFETCH(QString, tcpPort);
    TAppFixture app;
    QVERIFY(QDir().mkpath(app.path("Settings")));
    {
        QFile file(app.path("Settings/settings.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(("[DeviceDepended]\r\nProtocolType=2\r\n[Program]\r\n"
                    "CommunicationType=TCPIP\r\n" +
                    program + "\r\n")
                       .toUtf8());
    }
    // No serial devices here, so the list keeps what it holds.
    app.dm->misc.comPorts().setRootDirectory(app.path("no-devices").toStdString());
    TConnectPage& page = *app.window->connectPage;
    if (!portList.isEmpty()) {
        page.cbxCOM->clear();
        page.cbxCOM->addItems(portList);
    }
    app.show();
    QCOMPARE(page.cbxCOM->currentText(), port);
    QCOMPARE(page.cbxCOM->currentIndex() < 0, port.isEmpty());
    QCOMPARE(page.cbxSPEED->currentText(), speed);
    QCOMPARE(page.edIPaddr->text(), address);
    QCOMPARE(page.edPort->text(), tcpPort);
    // The check box stays as the person left it; connecting decides.
    QVERIFY(!page.chbxTCP->isChecked());
    QCOMPARE(app.messageTexts(), QStringList());
}

void SettingsTest::noSettingsFileMeansNothingLoaded_data() {
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("no settings folder") << false;
    QTest::newRow("settings folder without the file") << true;
}

// Looking for the file creates nothing, and the page keeps what it showed.
void SettingsTest::noSettingsFileMeansNothingLoaded() {
    QFETCH(bool, withFolder);
    TAppFixture app;
    if (withFolder) QVERIFY(QDir().mkpath(app.path("Settings")));
    app.dm->misc.comPorts().setRootDirectory(app.path("no-devices").toStdString());
    app.show();
    QCOMPARE(QFileInfo::exists(app.path("Settings")), withFolder);
    QVERIFY(!QFileInfo::exists(app.path("Settings/settings.ini")));
    const TConnectPage& page = *app.window->connectPage;
    QCOMPARE(page.edPort->text(), QStringLiteral("3999"));
    QCOMPARE(page.edIPaddr->text(), QString());
    QCOMPARE(page.cbxCOM->currentText(), QStringLiteral("COM 2"));
    QCOMPARE(page.cbxSPEED->currentText(), QStringLiteral("115200"));
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
