// The serial, bridge and registry services of the platform, against the
// emulated instrument's pseudo-terminal and declared bridge.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QSerialPort>
#include <cstdlib>
#include <filesystem>

#include "link/com_port.h"
#include "platform/serial/com_ports.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/usb/bridge.h"
#include "platform/usb/registry.h"
#include "support/instrument_fixture.h"

namespace fs = std::filesystem;

namespace {

class SerialServices : public InstrumentFixture {
   protected:
    int Open(int port) { return OpenComConfig(port, "", 9600, NO_PARITY, 8, 1, 5000, 5000); }
    std::string Canonical(const std::string& path) { return fs::canonical(path).string(); }
};

TEST_F(SerialServices, ComNumbersResolveThroughTheProgramDirectory) {
    std::string device;
    ASSERT_EQ(ComPortDevice(kInstrumentCom, device), 0);
    EXPECT_EQ(device, Canonical(instrument().device_path()));
    EXPECT_EQ(ComPortOfDevice(instrument().device_path()), kInstrumentCom);

    // Not declared: /dev/ttyUSB(n-1), absent here.
    for (int port : {9, 0, -1, RS232_LAST_PORT + 1})
        EXPECT_EQ(ComPortDevice(port, device), RS232_INVALID_PORT) << port;
    // A link whose device has gone.
    fs::create_symlink("/dev/pts/no-such-terminal", ProgramPath("dosdevices/com4"));
    EXPECT_EQ(ComPortDevice(4, device), RS232_INVALID_PORT);
}

TEST_F(SerialServices, OpenFailuresGiveTheCodesTheCallersReport) {
    EXPECT_EQ(Open(9), RS232_INVALID_PORT);
    EXPECT_EQ(ReturnRS232Err(), RS232_INVALID_PORT);
    EXPECT_EQ(Open(-1), RS232_INVALID_PORT);

    // In use by someone else: busy.
    QSerialPort other(QString::fromStdString(instrument().device_path()));
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    EXPECT_EQ(Open(kInstrumentCom), RS232_CANNOT_OPEN);
    EXPECT_EQ(ReturnRS232Err(), RS232_CANNOT_OPEN);
    other.close();
    EXPECT_EQ(Open(kInstrumentCom), 0);
    EXPECT_EQ(ReturnRS232Err(), 0);
    EXPECT_TRUE(IsComOpen(kInstrumentCom));
    // Opening again reopens.
    EXPECT_EQ(Open(kInstrumentCom), 0);
    EXPECT_EQ(CloseCom(kInstrumentCom), 0);
    EXPECT_EQ(CloseCom(kInstrumentCom), RS232_PORT_NOT_OPEN);
    EXPECT_EQ(ComWrtByte(kInstrumentCom, 'x'), RS232_PORT_NOT_OPEN);
    EXPECT_EQ(ComRdByte(kInstrumentCom), RS232_PORT_NOT_OPEN);
    char buffer[4];
    EXPECT_EQ(ComRd(kInstrumentCom, buffer, sizeof buffer), RS232_PORT_NOT_OPEN);
}

// Runs in a child process without privileges (see the next test).
TEST(SerialPermissionChild, OpenWithoutPermissionIsBusy) {
    const char* dir = std::getenv("BRISKEL_PERMISSION_CHILD_DIR");
    if (dir == nullptr) GTEST_SKIP() << "only run by PermissionDeniedIsBusy";
    SetProjectDirForTesting(dir);
    EXPECT_EQ(OpenComConfig(7, "", 9600, NO_PARITY, 8, 1, 5000, 5000), RS232_CANNOT_OPEN);
}

TEST_F(SerialServices, PermissionDeniedIsBusy) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs to drop root privileges";
    // The device: owned by root, no access for others; the program directory readable.
    ASSERT_EQ(::chmod(instrument().device_path().c_str(), 0600), 0);
    fs::permissions(program_dir(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("BRISKEL_PERMISSION_CHILD_DIR", program_dir().c_str(), 1);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
        ::execl("/proc/self/exe", "link_tests", "--gtest_filter=SerialPermissionChild.*", nullptr);
        ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// The instrument's port opens at 9600 baud, 8N1, with XON/XOFF, as the
// terminal itself shows (a pseudo-terminal carries 8 bits without parity
// whatever it is asked), and waits 3 s for answers.
TEST_F(SerialServices, TheInstrumentsPortOpensWithItsLineSettings) {
    ASSERT_EQ(OpenInstrumentPort(ProgramLink(), kInstrumentCom), 0);
    EXPECT_EQ(instrument().line_settings(), "9600 8N1 XON/XOFF");
    ComSettings asked;
    ASSERT_TRUE(GetComSettings(kInstrumentCom, asked));
    EXPECT_EQ(std::tuple(asked.dataBits, asked.parity, asked.timeoutSeconds),
              std::tuple(8, NO_PARITY, 3.0));
}

TEST_F(SerialServices, ReadsEndAtTheScaledTimeOut) {
    ASSERT_EQ(Open(kInstrumentCom), 0);
    ASSERT_EQ(SetComTime(kInstrumentCom, 3.0), 0);  // 150 ms at the test scale
    char buffer[16];
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ComRd(kInstrumentCom, buffer, sizeof buffer), 0);  // a silent Modbus instrument
    EXPECT_EQ(ReturnRS232Err(), RS232_TIMEOUT);
    EXPECT_EQ(ComRdByte(kInstrumentCom), RS232_TIMEOUT);
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 250);
    EXPECT_LT(elapsed, 3000);
}

TEST_F(SerialServices, TerminatedReadStopsAtItsByteWithoutStoringIt) {
    instrument().set_command_mode(true);
    ASSERT_EQ(Open(kInstrumentCom), 0);
    SetComTime(kInstrumentCom, 3.0);
    for (char c : std::string("btb status.RotPos\r\n")) ASSERT_EQ(ComWrtByte(kInstrumentCom, c), 1);
    char buffer[100] = {};
    const int n = ComRdTerm(kInstrumentCom, buffer, sizeof buffer, '=');
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::string(buffer, n), "btb status.RotPos\r\nstatus.RotPos");
    EXPECT_EQ(ComRdByte(kInstrumentCom), ' ');
    EXPECT_EQ(ComRdByte(kInstrumentCom), '2');
    // A flushed queue holds nothing more.
    EXPECT_EQ(FlushInQ(kInstrumentCom), 0);
    EXPECT_EQ(ComRd(kInstrumentCom, buffer, sizeof buffer), 0);
    // A count reached ends the read before the terminator.
    for (char c : std::string("btb status.RotPos\r\n")) ComWrtByte(kInstrumentCom, c);
    EXPECT_EQ(ComRdTerm(kInstrumentCom, buffer, 3, '='), 3);
    EXPECT_EQ(ReturnRS232Err(), 0);
}

TEST(BridgeDeclaration, LinesAreVendorProductAndSerial) {
    struct Row {
        const char* line;
        bool ok;
        uint16_t vid, pid;
        const char* serial;
    };
    const Row rows[] = {
        {"10c4 ea60 ZR8812-0000123\n", true, 0x10C4, 0xEA60, "ZR8812-0000123"},
        {"10C4 EA60 AB 12\r\n", true, 0x10C4, 0xEA60, "AB 12"},
        {"  1 2   X  ", true, 0x0001, 0x0002, "X"},
        {"10c4 ea60", true, 0x10C4, 0xEA60, ""},  // a bridge reporting no serial number
        {"10c4 ea60    \r\n", true, 0x10C4, 0xEA60, ""},
        {"zz10 ea60 S", false, 0, 0, ""},
        {"10c45 ea60 S", false, 0, 0, ""},
        {"", false, 0, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        BridgeDevice d;
        ASSERT_EQ(ParseBridgeDeclaration(row.line, d), row.ok);
        if (!row.ok) continue;
        EXPECT_EQ(std::tie(d.vid, d.pid, d.serial), std::tie(row.vid, row.pid, row.serial));
    }
}

TEST_F(SerialServices, DeclaredBridgeIsListedAndFoundInTheRegistry) {
    unsigned long count = 0;
    ASSERT_EQ(CP210x_GetNumDevices(&count), CP210x_SUCCESS);
    ASSERT_GE(count, 1u);
    CP210x_HANDLE handle = 0;
    ASSERT_EQ(CP210x_Open(count - 1, &handle), CP210x_SUCCESS);  // declared bridges come last
    uint16_t vid = 0, pid = 0;
    char serial[CP210x_MAX_SERIAL_STRLEN];
    uint8_t length = 0;
    EXPECT_EQ(CP210x_GetDeviceVid(handle, &vid), CP210x_SUCCESS);
    EXPECT_EQ(CP210x_GetDevicePid(handle, &pid), CP210x_SUCCESS);
    EXPECT_EQ(CP210x_GetDeviceSerialNumber(handle, serial, &length), CP210x_SUCCESS);
    EXPECT_EQ(CP210x_Close(handle), CP210x_SUCCESS);
    EXPECT_EQ(CP210x_Close(handle), CP210x_INVALID_HANDLE);
    EXPECT_EQ(std::make_tuple(vid, pid, std::string(serial, length)),
              std::make_tuple(0x10C4, 0xEA60, std::string(kBridgeSerial)));
    EXPECT_EQ(CP210x_Open(count, &handle), CP210x_DEVICE_NOT_FOUND);

    RegistryKey usb = 0, device = 0;
    ASSERT_EQ(
        RegistryOpenKey(REGISTRY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Enum\\USB\\", usb),
        REGISTRY_SUCCESS);
    ASSERT_EQ(RegistryOpenKey(usb, "VID_10C4&PID_EA60\\ZR8812-0000123\\Device Parameters", device),
              REGISTRY_SUCCESS);
    char value[16];
    std::size_t size = sizeof value;
    ASSERT_EQ(RegistryQueryText(device, "PortName", value, size), REGISTRY_SUCCESS);
    EXPECT_STREQ(value, "COM7");
    EXPECT_EQ(size, 5u);
    size = 3;
    EXPECT_EQ(RegistryQueryText(device, "PortName", value, size), REGISTRY_MORE_DATA);
    EXPECT_EQ(RegistryQueryText(device, "Other", value, size), REGISTRY_NOT_FOUND);
    EXPECT_EQ(RegistryQueryText(usb, "PortName", value, size), REGISTRY_NOT_FOUND);
    RegistryKey missing = 0;
    EXPECT_EQ(RegistryOpenKey(usb, "Vid_10c4&Pid_ea61\\ZR8812-0000123\\Device Parameters", missing),
              REGISTRY_NOT_FOUND);
    EXPECT_EQ(RegistryCloseKey(device), REGISTRY_SUCCESS);
    EXPECT_EQ(RegistryCloseKey(usb), REGISTRY_SUCCESS);
    EXPECT_EQ(RegistryCloseKey(usb), REGISTRY_INVALID_HANDLE);
    EXPECT_EQ(RegistryQueryText(usb, "PortName", value, size), REGISTRY_INVALID_HANDLE);
}

TEST_F(SerialServices, DeclarationsWithoutAWorkingLinkAreNotListed) {
    unsigned long before = 0;
    CP210x_GetNumDevices(&before);
    WriteProgramFile("dosdevices/com3.usb", "10c4 ea60 GONE\n");  // no link at all
    fs::create_symlink("/dev/pts/no-such-terminal", ProgramPath("dosdevices/com4"));
    WriteProgramFile("dosdevices/com4.usb", "10c4 ea60 STALE\n");
    WriteProgramFile("dosdevices/com5.usb", "garbage\n");
    fs::create_symlink(instrument().device_path(), ProgramPath("dosdevices/com5"));
    unsigned long after = 0;
    CP210x_GetNumDevices(&after);
    EXPECT_EQ(after, before);
}

}  // namespace
