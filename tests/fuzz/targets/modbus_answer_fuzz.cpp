// A Modbus ASCII answer line as the link receives it (":" ... check, without
// its CR), and requests built from the input's bytes.
#include <cctype>

#include "fuzz/fuzz_support.h"
#include "link/answer_text.h"
#include "link/modbus.h"

namespace {

// The check done another way: all the bytes of a line, check included, add up
// to 0 modulo 256.
bool ChecksOut(const char* line, std::size_t length) {
    if (length < 5 || line[0] != ':' || (length - 1) % 2 != 0) return false;
    unsigned sum = 0;
    for (std::size_t i = 1; i < length; i += 2) {
        const int high = HexValue(line[i]), low = HexValue(line[i + 1]);
        if (high < 0 || low < 0) return false;
        sum += static_cast<unsigned>(high * 16 + low);
    }
    return (sum & 0xFF) == 0;
}

bool AllHex(const std::string& text) {
    for (char c : text)
        if (HexValue(c) < 0) return false;
    return true;
}

void BuildAndCheck(const uint8_t* data, std::size_t size) {
    if (size < 6) return;
    static const int functions[] = {0x03, 0x10, 0x06};
    const int function = functions[data[0] % 3];
    const auto address = static_cast<uint16_t>(data[1] << 8 | data[2]);
    const int quantity = data[3] << 8 | data[4];
    const std::string text(reinterpret_cast<const char*>(data) + 5,
                           strnlen(reinterpret_cast<const char*>(data) + 5, size - 5));
    const std::string frame = BuildModbusFrame(function, address, quantity, text.c_str());
    FUZZ_EXPECT(fuzz::If(frame.size() < 4 || frame.compare(frame.size() - 2, 2, "\r\n") != 0,
                         "frame does not end with CR LF"));
    for (char c : frame)
        FUZZ_EXPECT(fuzz::If(std::islower(static_cast<unsigned char>(c)) != 0,
                             "frame not upper case"));
    // A request whose data are hex digits is a valid line.
    const std::size_t width = function == 0x10 ? 16 : function == 0x06 ? 4 : 0;
    if (text.size() >= width && AllHex(text.substr(0, width)))
        FUZZ_EXPECT(fuzz::If(!IsValidModbusLine(frame.c_str(), frame.size() - 2),
                             "a request the program builds fails its own check"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::ExactCopy line(data, size);
    const bool valid = IsValidModbusLine(line.data(), size);
    bool blank = false;
    for (std::size_t i = 0; i < size; ++i) blank = blank || line.data()[i] == ' ';
    FUZZ_EXPECT(fuzz::If(valid != ChecksOut(line.data(), size), "check disagrees with the sum"));
    FUZZ_EXPECT(fuzz::If(valid && blank, "a line with a blank passes"));
    if (IsOneRegisterAnswer(line.data(), size))
        FUZZ_EXPECT(fuzz::If(!valid || size != 13 || std::strncmp(line.data(), ":010302", 7) != 0,
                             "a register answer that is not one"));
    const int lrc = size > 0 ? ModbusLrc(line.data() + 1, size - 1) : ModbusLrc(line.data(), 0);
    FUZZ_EXPECT(fuzz::If(lrc < -1 || lrc > 255, "check out of range"));
    BuildAndCheck(data, size);
    return 0;
}
