#include "util/com_ports_usage.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "util/fd_misc.h"

namespace tessel {
namespace {

namespace fs = std::filesystem;

// A fake root with just the parts of sysfs and /dev that discovery reads.
class FakeRoot : public testing::Test {
protected:
    FakeRoot() {
        char pattern[] = "/tmp/tessel-ports-XXXXXX";
        root = mkdtemp(pattern);
        fs::create_directories(root / "sys/class/tty");
    }
    ~FakeRoot() override { fs::remove_all(root); }

    // A tty with a device behind it; `bus` is where device/subsystem points.
    void addTty(const std::string& name, const std::string& bus, const char* uartType = nullptr) {
        const fs::path device = root / "sys/class/tty" / name / "device";
        fs::create_directories(device);
        fs::create_symlink("../../../../bus/" + bus, device / "subsystem");
        if (uartType != nullptr)
            std::ofstream(root / "sys/class/tty" / name / "type") << uartType << "\n";
    }
    void addVirtualTty(const std::string& name) {
        fs::create_directories(root / "sys/class/tty" / name);
        std::ofstream(root / "sys/class/tty" / name / "dev") << "4:1\n";
    }
    void addById(const std::string& name, const std::string& target) {
        fs::create_directories(root / "dev/serial/by-id");
        fs::create_symlink(target, root / "dev/serial/by-id" / name);
    }

    fs::path root;
};

TEST_F(FakeRoot, ListsRealSerialDevicesInNaturalOrder) {
    addTty("ttyS10", "pnp", "4");
    addTty("ttyS2", "serial-base", "4");
    addTty("ttyS3", "platform");          // 8250 placeholder, older kernels
    addTty("ttyS4", "serial-base", "0");  // 8250 placeholder, UART type unknown
    addTty("ttyUSB0", "usb-serial");
    addTty("ttyACM1", "usb");
    addVirtualTty("tty0");
    addVirtualTty("console");
    addById("usb-FTDI_FT232R-if00-port0", "../../ttyUSB0");
    addById("usb-Tessel_Register-if00", "../../ttyACM7");

    StringList ports{"stale"};
    EXPECT_TRUE(TComPortsUsage(root).fill_List(ports));
    EXPECT_EQ(ports, (StringList{"/dev/serial/by-id/usb-Tessel_Register-if00", "/dev/ttyACM1",
                                 "/dev/ttyS2", "/dev/ttyS10", "/dev/ttyUSB0"}));
}

TEST_F(FakeRoot, NothingFoundGivesFalseAndAnEmptyList) {
    addVirtualTty("tty0");
    StringList ports{"stale"};
    EXPECT_FALSE(TComPortsUsage(root).fill_List(ports));
    EXPECT_TRUE(ports.empty());
    EXPECT_FALSE(TComPortsUsage(root / "missing").fill_List(ports));
}

class RecordingListBox : public TStringListBox {
public:
    void setItems(const StringList& newItems) override { items = newItems; }
    StringList items{"COM 1", "COM 2"};
};

TEST_F(FakeRoot, FillComPortsComboKeepsEntriesWhenNothingIsFound) {
    TFDMisc misc;
    misc.comPorts().setRootDirectory(root);
    EXPECT_FALSE(misc.fill_ComPortsCombo());  // no list box
    RecordingListBox combo;
    misc.setComPortsCombo(&combo);
    EXPECT_FALSE(misc.fill_ComPortsCombo());
    EXPECT_EQ(combo.items, (StringList{"COM 1", "COM 2"}));
    addTty("ttyUSB0", "usb-serial");
    EXPECT_TRUE(misc.fill_ComPortsCombo());
    EXPECT_EQ(combo.items, StringList{"/dev/ttyUSB0"});
}

TEST(CalculateFromText, Table) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"", -1},
        {"   ", -1},
        {"COM 1", 1},
        {"COM 001", 1},
        {"COM1", 1},
        {"1", 1},
        {"COM 12", 12},
        {"COMx", 0},
        {"COM 3x", 3},
        {"COM  5", 5},
        {"com 4", 0},
        {"Port COM 7", 7},
        {"COM -2", -2},
        {"COM", 0},
        {"/dev/ttyS0", 1},
        {"/dev/ttyS2", 3},
        {"/dev/ttyUSB0", 0},
        {"/dev/ttySx", 0},
        {"COM 99999999999", 2147483647},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TComPortsUsage::calculate_FromText(c.text), c.expected) << c.text;
    }
}

TEST(NaturalLess, DigitRunsCompareByValue) {
    EXPECT_TRUE(naturalLess("ttyS2", "ttyS10"));
    EXPECT_FALSE(naturalLess("ttyS10", "ttyS2"));
    EXPECT_TRUE(naturalLess("COM 003", "COM 10"));
    EXPECT_TRUE(naturalLess("cnca0", "COM 003"));
    EXPECT_TRUE(naturalLess("tty", "tty0"));
    EXPECT_FALSE(naturalLess("ttyS2", "ttyS2"));
}

}  // namespace
}  // namespace tessel
