// Turning a downloaded measurement file into its decoded record.
//
// The instrument sends a file as hexadecimal digits, four per 16-bit word in
// file order (the dump text left in `rep_buf` by the download). Each kind has a
// decoder `Decode*` (digits -> record) and a reader `Lecture_*` (the decoder
// over the dump just downloaded). The decoders only ever read the digits that
// arrived: a digit beyond the end of the text reads as 0. Callers check first
// with `DumpHoldsRecord` that the file is complete, so that never happens in
// practice.
#pragma once

#include <cstddef>
#include <string_view>

#include "store/measurement_records.h"

// Number of hexadecimal digits the layout of `kind` reads (the position of its
// last digit + 1); 0 for a kind without a reader.
std::size_t DumpDigitsNeeded(int kind);

// True when `digits` holds at least the digits the layout of `kind` reads and
// all of those are hexadecimal. False for a kind without a reader.
bool DumpHoldsRecord(int kind, std::string_view digits);

// The dump text of the file just downloaded: the digits in `rep_buf`, up to its
// first zero byte or its end.
std::string_view DownloadedDigits();

// The record of each kind decoded from any dump text.
AmpRecord DecodeAmp(std::string_view digits);
EarthRecord DecodeEarth(std::string_view digits);
LoopRecord DecodeLoop(std::string_view digits);
RcdRecord DecodeRcd(std::string_view digits);
VoltRecord DecodeVolt(std::string_view digits);

// Readers: the record of their kind decoded from the dump just downloaded
// (`DownloadedDigits()`).
AmpRecord Lecture_courant();
EarthRecord Lecture_Terre();
LoopRecord Lecture_loop();
RcdRecord Lecture_rcd();
VoltRecord Lecture_tension();

// The reader of `kind` run on the dump just downloaded; nothing for a kind
// without a reader.
MeasuredRecord ReadDownloadedRecord(int kind);
