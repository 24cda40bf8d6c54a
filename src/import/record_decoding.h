// Turning a downloaded measurement file into its decoded record and the text
// slots `tamp` the sheet writers read.
//
// The instrument sends a file as hexadecimal digits, four per 16-bit word in
// file order (the dump text left in `rep_buf` by the download). Each kind has a
// decoder `Conversion_od_*` (digits -> record) and a reader `Lecture_*`
// (decoder, then the slots). The decoders only ever read the digits that
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

// Decoders of the downloaded dump (`rep_buf`) into `amp`, `earth`, `loop`,
// `rcd`, `volt`. Return 0.
int Conversion_od_amp();
int Conversion_od_earth();
int Conversion_od_loop();
int Conversion_od_rcd();
int Conversion_od_volt();

// The record of each kind decoded from any dump text (the ones above pass
// `DownloadedDigits()`).
AmpRecord DecodeAmp(std::string_view digits);
EarthRecord DecodeEarth(std::string_view digits);
LoopRecord DecodeLoop(std::string_view digits);
RcdRecord DecodeRcd(std::string_view digits);
VoltRecord DecodeVolt(std::string_view digits);

// Readers: run the decoder of their kind, then write its slots. Integer fields
// become plain decimal texts; real fields the shortest decimal text that reads
// back as the same single-precision value, never in exponent notation.
// `Lecture_loop` also sets the loop fields of `Selection`. Return 0.
int Lecture_courant();
int Lecture_Terre();
int Lecture_loop();
int Lecture_rcd();
int Lecture_tension();

// Rewrites slot `slot` (0 to 499) when it holds a number in exponent notation
// ("1.25e-03") as the same number in plain decimal notation ("0.00125"). Text
// without "e" is left as it is.
void traduc_float(int slot);
