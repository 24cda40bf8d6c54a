// Modbus ASCII frames: building requests and checking answer lines. Pure
// functions over a buffer and its length, apart from the port.
#include <cctype>
#include <cstdio>
#include <cstring>

#include "link/answer_text.h"
#include "link/modbus.h"

int ModbusLrc(const char* pairs, std::size_t length) {
    if (length % 2 != 0) return -1;
    unsigned sum = 0;
    for (std::size_t i = 0; i < length; i += 2) {
        const int high = HexValue(pairs[i]);
        const int low = HexValue(pairs[i + 1]);
        if (high < 0 || low < 0) return -1;
        sum += static_cast<unsigned>(high * 16 + low);
    }
    return static_cast<int>((0x100 - (sum & 0xFF)) & 0xFF);
}

std::string BuildModbusFrame(int function, uint16_t address, int quantity, const char* text) {
    char frame[64];
    if (function == 0x06) {
        std::snprintf(frame, sizeof frame, ":%02X%02X%04X%.4s", 1, function & 0xFF, address, text);
    } else if (function == 0x03) {
        std::snprintf(frame, sizeof frame, ":%02X%02X%04X%04X", 1, function & 0xFF, address,
                      quantity & 0xFFFF);
    } else {
        std::snprintf(frame, sizeof frame, ":%02X%02X%04X%04X08%-16.16s", 1, function & 0xFF,
                      address, quantity & 0xFFFF, text);
    }
    std::string result(frame);
    const int lrc = ModbusLrc(result.c_str() + 1, result.size() - 1);
    char check[8];
    std::snprintf(check, sizeof check, "%02X\r\n", lrc & 0xFF);
    result += check;
    for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

bool IsValidModbusLine(const char* line, std::size_t length) {
    if (length < 5 || line[0] != ':') return false;
    for (std::size_t i = 0; i < length; ++i)
        if (line[i] == ' ') return false;
    const int computed = ModbusLrc(line + 1, length - 3);
    const int high = HexValue(line[length - 2]);
    const int low = HexValue(line[length - 1]);
    return computed >= 0 && high >= 0 && low >= 0 && computed == high * 16 + low;
}

bool IsOneRegisterAnswer(const char* line, std::size_t length) {
    return length == 13 && std::strncmp(line, ":010302", 7) == 0 && IsValidModbusLine(line, length);
}
