// Status codes of the spreadsheet services: 0 on success, negative on failure.
// Every operation of the workbook engine (workbook_package.h) and of the
// spreadsheet application and workbooks over it returns one of these.
#pragma once

constexpr int XLE_NO_ERROR = 0;
// The spreadsheet application does not run (not started, quit, or closed by the user).
constexpr int XLE_APPLICATION_GONE = -2;
// The workbook is not open (never opened, or closed).
constexpr int XLE_WORKBOOK_CLOSED = -3;
// The file to open does not exist or cannot be read.
constexpr int XLE_FILE_NOT_FOUND = -4;
// The file is not a workbook package: empty, not a zip, no worksheet, bad XML.
constexpr int XLE_DAMAGED_PACKAGE = -5;
// The package could not be written (folder missing or read-only, disk full).
constexpr int XLE_WRITE_FAILED = -6;
// A row, column, sheet index, sheet name or range text the services do not accept.
constexpr int XLE_INVALID_ARGUMENT = -7;
// No spreadsheet application can be started here.
constexpr int XLE_NOT_AVAILABLE = -8;
// The file to replace is open in another program, which does not let it go.
constexpr int XLE_FILE_IN_USE = -10;
// The file to replace is marked read-only: it is left as it was.
constexpr int XLE_FILE_READ_ONLY = -11;
// The system does not let this program write in the file's folder: its rights
// or access list, a protected folder (Windows' Controlled folder access), a
// read-only medium.
constexpr int XLE_FOLDER_REFUSED = -12;
