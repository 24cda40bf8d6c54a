// The numbered error box.
#pragma once

// Error codes raised by the program (row numbers of the `erreur` table).
constexpr int ERROR_WORKING_DIRECTORY = 4;
constexpr int ERROR_EXCEL_WRITE = 6;
constexpr int WARNING_EXCEL_CLOSING = 7;
constexpr int ERROR_NO_RESPONSE = 10;
constexpr int ERROR_INVALID_PORT = 11;
constexpr int ERROR_PORT_BUSY = 12;
constexpr int ERROR_EMPTY_MEMORY = 13;
constexpr int ERROR_IMPOSSIBLE_COMMAND = 15;
constexpr int ERROR_STOPPED_BY_OPERATOR = 16;
constexpr int ERROR_WRONG_COMMUNICATION = 17;

// Shows "<Error> n° -(100 + code)" with row `code` of `erreur` in the current
// language, and waits until the user closes it. A code without a row gives the
// numbered title and an empty text.
void Popup_erreur(int code);
