// The USB bridges on Windows come from the system's device list (SetupAPI),
// each with the COM number from its own PortName. Wine 8 lists every device
// recorded under Enum\USB in its registry as present (it has no plug and play
// manager to ask), so these tests stand a bridge in by recording it the way
// the bridge's driver does; that unplugged bridges' keys are left out
// (DIGCF_PRESENT) only a real Windows shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/usb/bridge.h"
#include "platform/usb/registry.h"
#include "windows_test_folders.h"

namespace {

const std::wstring kEnumUsb = L"SYSTEM\\CurrentControlSet\\Enum\\USB\\";
const std::wstring kPorts = L"{4d36e978-e325-11ce-bfc1-08002be10318}";

// Records a USB device as its driver does: its class and its PortName.
void RecordDevice(const std::wstring& device, const std::wstring& portName) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kEnumUsb + device).c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"ClassGUID", 0, REG_SZ, reinterpret_cast<const BYTE*>(kPorts.c_str()),
                   static_cast<DWORD>((kPorts.size() + 1) * sizeof(wchar_t)));
    HKEY parameters = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key, L"Device Parameters", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &parameters, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(parameters, L"PortName", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(portName.c_str()),
                   static_cast<DWORD>((portName.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(parameters);
    RegCloseKey(key);
}

class Bridges : public ::testing::Test {
   protected:
    void TearDown() override {
        for (const wchar_t* product : {L"VID_10C4&PID_EA60", L"VID_0403&PID_6001"})
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kEnumUsb + product).c_str());
    }
};

std::vector<std::string> Listed() {
    std::vector<std::string> rows;
    unsigned long count = 0;
    EXPECT_EQ(CP210x_GetNumDevices(&count), CP210x_SUCCESS);
    for (unsigned long i = 0; i < count; ++i) {
        CP210x_HANDLE handle = 0;
        EXPECT_EQ(CP210x_Open(i, &handle), CP210x_SUCCESS);
        uint16_t vid = 0, pid = 0;
        char serial[CP210x_MAX_SERIAL_STRLEN];
        uint8_t length = 0;
        CP210x_GetDeviceVid(handle, &vid);
        CP210x_GetDevicePid(handle, &pid);
        CP210x_GetDeviceSerialNumber(handle, serial, &length);
        char row[160];
        std::snprintf(row, sizeof row, "%04x %04x %.*s", vid, pid, length, serial);
        rows.push_back(row);
        CP210x_Close(handle);
    }
    return rows;
}

}  // namespace

TEST_F(Bridges, EachBridgeOfTheVendorComesWithItsOwnComNumber) {
    EXPECT_TRUE(Listed().empty());
    RecordDevice(L"VID_10C4&PID_EA60\\ZR8812-0042", L"COM12");
    RecordDevice(L"VID_10C4&PID_EA60\\0001", L"COM7");
    RecordDevice(L"VID_0403&PID_6001\\FT1", L"COM3");  // another vendor's adapter
    EXPECT_EQ(Listed(), (std::vector<std::string>{"10c4 ea60 0001", "10c4 ea60 ZR8812-0042"}));
    const std::vector<BridgeDevice> devices = ListBridgeDevices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].comPort, 7);
    EXPECT_EQ(devices[1].comPort, 12);
}

TEST_F(Bridges, BridgesWithoutASerialNumberAreEachTriedOnTheirOwnPort) {
    // Two cheap boards reporting no serial number: Windows names each
    // instance itself.
    RecordDevice(L"VID_10C4&PID_EA60\\5&2A1B3C4D&0&2", L"COM4");
    RecordDevice(L"VID_10C4&PID_EA60\\5&2A1B3C4D&0&3", L"COM5");
    EXPECT_EQ(Listed(), (std::vector<std::string>{"10c4 ea60 ", "10c4 ea60 "}));
    std::vector<int> ports;
    for (unsigned long i = 0; i < 2; ++i) {
        CP210x_HANDLE handle = 0;
        ASSERT_EQ(CP210x_Open(i, &handle), CP210x_SUCCESS);
        int port = 0;
        EXPECT_EQ(GetBridgeComPort(handle, &port), CP210x_SUCCESS);
        ports.push_back(port);
        CP210x_Close(handle);
    }
    EXPECT_EQ(ports, (std::vector<int>{4, 5}));
}

TEST_F(Bridges, TheRegistryViewAnswersEachBridgesPortName) {
    RecordDevice(L"VID_10C4&PID_EA60\\0001", L"COM7");
    RegistryKey key = 0;
    ASSERT_EQ(RegistryOpenKey(REGISTRY_LOCAL_MACHINE,
                              "SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_10c4&Pid_ea60\\0001\\"
                              "Device Parameters",
                              key),
              REGISTRY_SUCCESS);
    char name[16];
    std::size_t size = sizeof name;
    EXPECT_EQ(RegistryQueryText(key, "PortName", name, size), REGISTRY_SUCCESS);
    EXPECT_STREQ(name, "COM7");
    RegistryCloseKey(key);
}
