#include "link/serial_connector.h"

#include <gtest/gtest.h>
#include <termios.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <numeric>
#include <string>

#include "errors/error_exception.h"
#include "support/connector_owner.h"
#include "support/frame_responder.h"
#include "support/pty_pair.h"
#include "support/scratch_folder.h"
#include "support/transport_rig.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using test::ConnectorOwner;
using test::FrameResponder;
using test::PtyPair;
using test::readWholeFile;
using test::RequestFrame;
using test::ResponderReply;
using test::ScratchFolder;

// Short read time-outs so a silent line does not hold the suite up.
void useShortTimeouts(TRS232Connector& c) {
    c.init_TimeoutValues(100, 0, 150, 3000, 3000);
}

Bytes allByteValues() {
    Bytes bytes(256);
    std::iota(bytes.begin(), bytes.end(), 0);
    return bytes;
}

class SerialOverPty : public ::testing::Test {
protected:
    SerialOverPty() { connector.setPortName(pty.slavePath()); }

    // Sends the sniffer's failure lines to a file and answers its path.
    std::string logFailuresTo(TSniffer& sniffer) {
        sniffer.setLogFolder(logs.path());
        sniffer.setLogFileName("serial");
        sniffer.setSaveToFile_isOn(true);
        return logs.path() + "serial.txt";
    }

    PtyPair pty;
    TRS232Connector connector;
    ConnectorOwner owner{connector};
    ScratchFolder logs;
};

TEST(SerialConnector, ConstructionValues) {
    TRS232Connector c;
    EXPECT_EQ(c.baudRate(), 115200);
    EXPECT_EQ(c.port(), 1);
    EXPECT_EQ(c.byteSize(), 8);
    EXPECT_EQ(c.parity(), 0);
    EXPECT_EQ(c.stopBits(), 0);
    EXPECT_FALSE(c.Active());
    EXPECT_TRUE(c.exitByTime());
    EXPECT_EQ(c.exitByTimeValue(), 1000u);
    EXPECT_EQ(c.handle(), -1);
    EXPECT_FALSE(c.dtr_State());
    EXPECT_FALSE(c.rts_State());
    const TCommTimeouts& t = c.commTimeouts();
    EXPECT_EQ(t.ReadIntervalTimeout, 3000u);
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 0u);
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 3200u);
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 3000u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 3000u);
    ASSERT_NE(c.Sniffer(), nullptr);
    EXPECT_FALSE(c.Sniffer()->Active());
}

TEST(SerialConnector, PortNumberNamesTheDevice) {
    TRS232Connector c;
    for (auto [port, path] : {std::pair{1, "/dev/ttyS0"}, {3, "/dev/ttyS2"}, {12, "/dev/ttyS11"}}) {
        c.setPort(port);
        EXPECT_EQ(c.devicePath(), path);
    }
    c.setPortName("/dev/ttyUSB0");
    EXPECT_EQ(c.devicePath(), "/dev/ttyUSB0");
}

TEST(SerialConnector, AssignCopiesSettingsAndSnifferReference) {
    TRS232Connector source;
    source.setBaudRate(9600);
    source.setPort(4);
    source.setByteSize(7);
    source.setParity(2);
    source.setStopBits(2);
    source.setExitByTime(false);
    source.setExitByTimeValue(250);
    TRS232Connector target;
    target.Assign(source);
    EXPECT_EQ(target.baudRate(), 9600);
    EXPECT_EQ(target.port(), 4);
    EXPECT_EQ(target.byteSize(), 7);
    EXPECT_EQ(target.parity(), 2);
    EXPECT_EQ(target.stopBits(), 2);
    EXPECT_FALSE(target.exitByTime());
    EXPECT_EQ(target.exitByTimeValue(), 250u);
    EXPECT_EQ(target.Sniffer(), source.Sniffer());
}

TEST_F(SerialOverPty, OpeningSetsARawLineWithTheConfiguredFraming) {
    connector.setBaudRate(9600);
    connector.setByteSize(7);
    connector.setParity(2);
    connector.setStopBits(2);
    ASSERT_EQ(connector.openConnection(), 0);
    EXPECT_TRUE(connector.Active());
    EXPECT_GE(connector.handle(), 0);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);
    EXPECT_FALSE(connector.dtr_State());
    EXPECT_FALSE(connector.rts_State());

    termios t{};
    ASSERT_EQ(tcgetattr(pty.slave(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(cfgetispeed(&t), B9600);
    // A pseudo-terminal always carries 8 bits without parity; the hardware
    // test checks those two on a real port.
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | INPCK | ICRNL | ISTRIP));
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(t.c_oflag & OPOST);
}

TEST_F(SerialOverPty, OpeningAnOpenPortTouchesNothing) {
    ASSERT_EQ(connector.openConnection(), 0);
    const int handle = connector.handle();
    connector.setBaudRate(9600);
    EXPECT_EQ(connector.openConnection(), 0);
    EXPECT_EQ(connector.handle(), handle);
    termios t{};
    ASSERT_EQ(tcgetattr(pty.slave(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B115200);
}

TEST_F(SerialOverPty, BytesTravelBothWaysAndReachTheActiveSniffer) {
    useShortTimeouts(connector);
    connector.Sniffer()->setActive(true);
    ASSERT_EQ(connector.openConnection(), 0);

    const Bytes all = allByteValues();
    EXPECT_EQ(connector.writeBuffer(all.data(), static_cast<std::uint32_t>(all.size())), 256u);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);
    EXPECT_EQ(pty.receive(all.size(), 1000ms), all);

    pty.send(all);
    Bytes got;
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    while (connector.readByte(b, count)) {
        EXPECT_EQ(count, 1u);
        got.push_back(b);
    }
    EXPECT_EQ(got, all);

    const std::string& sent = connector.Sniffer()->values.cHEX.toDeviceValue;
    const std::string& received = connector.Sniffer()->values.cHEX.fromDeviceValue;
    EXPECT_EQ(sent.size(), 256u * 3);
    EXPECT_EQ(sent.substr(0, 12), "00 01 02 03 ");
    EXPECT_EQ(sent.substr(sent.size() - 6), "FE FF ");
    EXPECT_EQ(received, sent);
}

TEST_F(SerialOverPty, InactiveSnifferOrNoUtilityRecordsNothing) {
    ASSERT_EQ(connector.openConnection(), 0);
    const Bytes one{0x42};
    connector.writeBuffer(one.data(), 1);
    EXPECT_EQ(connector.Sniffer()->values.cHEX.toDeviceValue, "");
    EXPECT_EQ(pty.receive(1, 1000ms), one);
}

TEST_F(SerialOverPty, ASilentLineFailsTheByteWithInputOutputError) {
    useShortTimeouts(connector);
    ASSERT_EQ(connector.openConnection(), 0);
    std::uint8_t b = 0;
    std::uint32_t count = 7;
    EXPECT_FALSE(connector.readByte(b, count));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);

    owner.errors.setRaiseMode(true);
    try {
        connector.readByte(b, count);
        FAIL() << "no exception";
    } catch (const ETesselError& e) {
        EXPECT_EQ(e.code(), -10);
        EXPECT_STREQ(e.what(), "Input/Output error");
    }
}

TEST_F(SerialOverPty, ASecondOpenerIsRefused) {
    ASSERT_EQ(connector.openConnection(), 0);
    TRS232Connector second;
    ConnectorOwner secondOwner{second};
    second.setPortName(pty.slavePath());
    const std::string log = logFailuresTo(*second.Sniffer());
    EXPECT_EQ(second.openConnection(), -3);
    EXPECT_FALSE(second.Active());
    EXPECT_EQ(secondOwner.errors.LastErrorMessage(), "Open error");
    const std::string text = readWholeFile(log);
    EXPECT_NE(text.find(pty.slavePath() + " is in use by another program"), std::string::npos)
        << text;

    // The holder is not disturbed, and once it lets go the port is free.
    const Bytes hello{'h', 'i'};
    EXPECT_EQ(connector.writeBuffer(hello.data(), 2), 2u);
    EXPECT_EQ(pty.receive(2, 1000ms), hello);
    EXPECT_EQ(connector.closeConnection(), 0);
    EXPECT_EQ(second.openConnection(), 0);
}

TEST_F(SerialOverPty, ClearingDiscardsPendingInput) {
    useShortTimeouts(connector);
    ASSERT_EQ(connector.openConnection(), 0);
    pty.send({1, 2, 3});
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    // One byte taken; the other two now wait in the connector's own buffer.
    ASSERT_TRUE(connector.readByte(b, count));
    pty.send({4, 5});
    ASSERT_TRUE(test::waitReadable(connector.handle(), 1000ms));
    EXPECT_EQ(connector.clearIOBuffers(), 0);
    EXPECT_FALSE(connector.readByte(b, count));
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);
}

TEST_F(SerialOverPty, ClosingAnswersMinusOneWhenNotOpen) {
    owner.errors.setLastErrorCode(-10);
    EXPECT_EQ(connector.closeConnection(), -1);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);
    ASSERT_EQ(connector.openConnection(), 0);
    EXPECT_EQ(connector.closeConnection(), 0);
    EXPECT_FALSE(connector.Active());
    EXPECT_EQ(connector.handle(), -1);
    EXPECT_EQ(connector.closeConnection(), -1);
}

TEST_F(SerialOverPty, OperationsOnAClosedPortReportTheirCodes) {
    const std::string log = logFailuresTo(*connector.Sniffer());
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_EQ(connector.clearIOBuffers(), -3);
    EXPECT_EQ(owner.errors.LastErrorCode(), -3);
    EXPECT_FALSE(connector.readByte(b, count));
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);
    EXPECT_EQ(connector.writeBuffer(&b, 1), 0u);
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);
    EXPECT_EQ(connector.set_DTRState(true), -3);
    EXPECT_FALSE(connector.dtr_State());
    EXPECT_EQ(connector.set_TimeoutValues(1, 2, 3, 4, 5), -3);
    EXPECT_EQ(connector.commTimeouts().ReadTotalTimeoutConstant, 3u);  // kept for the next opening
    const std::string text = readWholeFile(log);
    EXPECT_NE(text.find(":Open error\n"), std::string::npos) << text;
    EXPECT_NE(text.find(":Input/Output error\n"), std::string::npos) << text;

    owner.errors.setRaiseMode(true);
    const struct {
        const char* operation;
        std::function<void()> call;
        std::int32_t code;
    } raising[] = {
        {"clearIOBuffers", [&] { connector.clearIOBuffers(); }, -3},
        {"readByte", [&] { connector.readByte(b, count); }, -10},
        {"writeBuffer", [&] { connector.writeBuffer(&b, 1); }, -10},
        {"set_RTSState", [&] { connector.set_RTSState(false); }, -3},
    };
    for (const auto& r : raising) {
        try {
            r.call();
            ADD_FAILURE() << r.operation << " did not raise";
        } catch (const ETesselError& e) {
            EXPECT_EQ(e.code(), r.code) << r.operation;
        }
    }
    // Closing never raises.
    EXPECT_EQ(connector.closeConnection(), -1);
}

TEST(SerialConnector, AMissingPortFailsToOpen) {
    TRS232Connector c;
    ConnectorOwner owner{c};
    c.setPortName("/dev/tessel-no-such-port");
    EXPECT_EQ(c.openConnection(), -3);
    EXPECT_FALSE(c.Active());

    owner.errors.setRaiseMode(true);
    try {
        c.openConnection();
        FAIL() << "no exception";
    } catch (const ETesselError& e) {
        EXPECT_EQ(e.code(), -3);
        EXPECT_STREQ(e.what(), "Open error");
    }
    EXPECT_FALSE(c.Active());
}

TEST(SerialConnector, AFileThatIsNoTerminalFailsToOpen) {
    ScratchFolder scratch;
    const std::string path = scratch.path() + "plain";
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    TRS232Connector c;
    ConnectorOwner owner{c};
    c.setPortName(path);
    EXPECT_EQ(c.openConnection(), -3);
    EXPECT_FALSE(c.Active());
}

TEST(SerialConnector, MissingSiblingsFailTheOwnerCheck) {
    TRS232Connector c;
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_EQ(c.openConnection(), -33017);
    EXPECT_EQ(c.clearIOBuffers(), -33017);
    EXPECT_FALSE(c.readByte(b, count));
    EXPECT_EQ(c.writeBuffer(&b, 1), 0u);
    EXPECT_EQ(c.set_DTRState(false), -33019);
    EXPECT_EQ(c.set_TimeoutValues(1, 1, 1, 1, 1), -33019);
    EXPECT_EQ(c.closeConnection(), -1);

    // With only the utility component the missing container is announced.
    TFDMisc misc;
    TScriptedPresenter presenter;
    misc.setDialogPresenter(&presenter);
    c.setMisc(&misc);
    EXPECT_EQ(c.openConnection(), -33017);
    ASSERT_EQ(presenter.requests().size(), 1u);
    EXPECT_EQ(presenter.requests()[0].text,
              "Error container component not assigned. Please assign this component!");

    TErrContainer errors;
    c.setErrContainer(&errors);
    c.setMisc(nullptr);
    EXPECT_EQ(c.openConnection(), -33016);
    EXPECT_EQ(errors.LastErrorCode(), -33016);
}

TEST_F(SerialOverPty, ALineThePortRefusesIsLoggedAndOpeningGoesOn) {
    const std::string log = logFailuresTo(*connector.Sniffer());
    termios t{};
    ASSERT_EQ(tcgetattr(pty.slave(), &t), 0);
    const speed_t before = cfgetospeed(&t);
    connector.setBaudRate(12345);
    EXPECT_EQ(connector.openConnection(), 0);
    EXPECT_TRUE(connector.Active());
    const std::string text = readWholeFile(log);
    for (const char* line :
         {":SetCommState[GetLastError] = 22\n", ":TBaseCommPort.Open : error setting DCB.\n",
          ":DCB.DCBlength = 28\n", ":DCB.BaudRate = 12345\n", ":DCB.Flags = 129\n",
          ":DCB.XonLim = 2048\n", ":DCB.ByteSize = 8\n", ":DCB.XonChar = \x11\n",
          ":DCB.XoffChar = \x13\n", ":DCB.wReserved1 = 0\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    }
    // The port keeps the line it had.
    ASSERT_EQ(tcgetattr(pty.slave(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), before);

    EXPECT_EQ(connector.closeConnection(), 0);
    connector.setBaudRate(9600);
    connector.setByteSize(4);
    EXPECT_EQ(connector.openConnection(), 0);
    EXPECT_NE(readWholeFile(log).find(":DCB.ByteSize = 4\n"), std::string::npos);
}

TEST_F(SerialOverPty, AFailedOpeningClosesWhatItOpened) {
    connector.setAfterConnect([] { return false; });
    EXPECT_EQ(connector.openConnection(), -3);
    EXPECT_FALSE(connector.Active());
    // Nothing keeps the port: another opener gets it.
    TRS232Connector other;
    ConnectorOwner otherOwner{other};
    other.setPortName(pty.slavePath());
    EXPECT_EQ(other.openConnection(), 0);
}

TEST_F(SerialOverPty, IdentificationAfterOpeningRunsOverTheFreshLine) {
    bool ran = false;
    connector.setAfterConnect([&] {
        ran = connector.Active();
        return true;
    });
    EXPECT_EQ(connector.openConnection(), 0);
    EXPECT_TRUE(ran);
}

TEST_F(SerialOverPty, ModemLinesOfAPseudoTerminalAreStored) {
    ASSERT_EQ(connector.openConnection(), 0);
    EXPECT_EQ(connector.set_DTRState(true), 0);
    EXPECT_EQ(connector.set_RTSState(true), 0);
    EXPECT_TRUE(connector.dtr_State());
    EXPECT_TRUE(connector.rts_State());
    EXPECT_EQ(connector.set_DTRState(false), 0);
    EXPECT_FALSE(connector.dtr_State());
}

TEST_F(SerialOverPty, BufferReadsAndSingleByteHelpers) {
    useShortTimeouts(connector);
    ASSERT_EQ(connector.openConnection(), 0);
    pty.send({10, 20, 30, 40});
    std::uint8_t buffer[4] = {};
    EXPECT_EQ(connector.readBuffer(buffer, 3), 3u);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);
    EXPECT_EQ(connector.readByte(), 40);
    // Only part of a buffer came: the count says so and the code stays -10.
    pty.send({50});
    EXPECT_EQ(connector.readBuffer(buffer, 4), 1u);
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);
    EXPECT_EQ(connector.readByte(), 0);  // nothing came

    EXPECT_TRUE(connector.writeByte(0x7E));
    EXPECT_EQ(pty.receive(1, 1000ms), Bytes{0x7E});
}

class SerialExchange : public ::testing::Test {
protected:
    SerialExchange() {
        connector.setPortName(pty.slavePath());
        useShortTimeouts(connector);
    }

    PtyPair pty;
    TRS232Connector connector;
    test::TransportRig rig{connector, TCommunicationType::ct_RS232};
};

TEST_F(SerialExchange, CommandsRunOverTheLine) {
    FrameResponder registerSide(pty.master(), test::echoAnswer);
    ASSERT_EQ(connector.openConnection(), 0);
    ASSERT_TRUE(rig.run(107, "R\t1\t"));
    EXPECT_EQ(rig.code(), 0);
    EXPECT_EQ(rig.output(), "0\tR\t1\t");
    ASSERT_TRUE(rig.run(74, ""));
    EXPECT_EQ(rig.output(), "0\t");

    const auto requests = registerSide.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].seq, 0x20);
    EXPECT_EQ(requests[0].command, 107);
    EXPECT_EQ(requests[0].data, (Bytes{'R', '\t', '1', '\t'}));
    EXPECT_EQ(requests[1].seq, 0x21);
}

TEST_F(SerialExchange, ASilentRegisterEndsTheCommandWithTimeout) {
    FrameResponder registerSide(pty.master(), [](const RequestFrame&) { return ResponderReply{}; });
    ASSERT_EQ(connector.openConnection(), 0);
    EXPECT_FALSE(rig.run(74, ""));
    EXPECT_EQ(rig.code(), -6);
    EXPECT_EQ(rig.output(), "");
    EXPECT_EQ(registerSide.requests().size(), 1u);
    EXPECT_TRUE(connector.Active());
}

TEST_F(SerialExchange, AClosedPortSendsNothingUnlessOpenedPerCommand) {
    FrameResponder registerSide(pty.master(), test::echoAnswer);
    EXPECT_FALSE(rig.run(74, ""));
    EXPECT_EQ(rig.code(), -3);
    EXPECT_TRUE(registerSide.requests().empty());

    rig.exchange.setOcoecModeOn(true);
    EXPECT_TRUE(rig.run(74, ""));
    EXPECT_EQ(rig.code(), 0);
    EXPECT_FALSE(connector.Active());  // closed again after the command
    EXPECT_EQ(registerSide.requests().size(), 1u);
}

// A real port with a loopback plug (TX to RX, RTS to CTS, DTR to DSR), named
// by TESSEL_TEST_SERIAL, e.g. /dev/ttyUSB0.
TEST(SerialHardware, LoopbackPlugEchoesEveryByte) {
    const char* path = std::getenv("TESSEL_TEST_SERIAL");
    if (path == nullptr || *path == '\0') GTEST_SKIP() << "TESSEL_TEST_SERIAL is not set";
    TRS232Connector c;
    ConnectorOwner owner{c};
    c.setPortName(path);
    ASSERT_EQ(c.openConnection(), 0) << owner.errors.LastErrorMessage();
    EXPECT_EQ(c.clearIOBuffers(), 0);
    const Bytes all = allByteValues();
    ASSERT_EQ(c.writeBuffer(all.data(), static_cast<std::uint32_t>(all.size())), all.size());
    Bytes got(all.size());
    EXPECT_EQ(c.readBuffer(got.data(), static_cast<std::uint32_t>(got.size())), all.size());
    EXPECT_EQ(got, all);
    EXPECT_EQ(c.set_DTRState(true), 0);
    EXPECT_EQ(c.set_RTSState(true), 0);
    EXPECT_EQ(c.closeConnection(), 0);

    c.setBaudRate(9600);
    c.setByteSize(7);
    c.setParity(1);
    ASSERT_EQ(c.openConnection(), 0);
    termios t{};
    ASSERT_EQ(tcgetattr(c.handle(), &t), 0);
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD), static_cast<tcflag_t>(PARENB | PARODD));
    EXPECT_EQ(c.closeConnection(), 0);

    TRS232Connector silent;
    ConnectorOwner silentOwner{silent};
    silent.setPortName(path);
    useShortTimeouts(silent);
    ASSERT_EQ(silent.openConnection(), 0);
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_FALSE(silent.readByte(b, count));
    EXPECT_EQ(silentOwner.errors.LastErrorCode(), -10);
}

}  // namespace
}  // namespace tessel
