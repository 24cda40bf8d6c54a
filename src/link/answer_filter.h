// Turning a raw answer into the text the parsers read.
#pragma once

#include <cstddef>

#include "link/link_context.h"

// Where the filters stop when the answer holds no prompt.
constexpr std::size_t NO_PROMPT_LIMIT = 12;
// The dump translation never looks beyond this position of the answer.
constexpr std::size_t DUMP_SCAN_LIMIT = 40000;

// Keeps, from the start of `answer` through the first character of the model
// code (or through position 12 when the code is absent), the letters, digits
// and "=-.:/+*"; drops everything else. Writes at most outSize - 1 characters
// and a NUL; returns the number kept.
std::size_t FilterAnswer(const char* answer, std::size_t answerSize, char* out,
                         std::size_t outSize);

// Turns the output of "od -hxv" into one text of hex digits: on every line the
// seven-digit offset column is dropped and the groups of four letters or
// digits that follow are kept, in order. Only lines that end before the model
// code (before position 12 when the code is absent, and before DUMP_SCAN_LIMIT)
// are written, so the echo, the final offset line and the prompt never are.
// The dump must be whole: every line's offset (octal) where the line before
// ended, and the line holding only the final offset just before the prompt.
// Otherwise (lines repeated, missing or out of order, a prompt amid the data,
// a cut answer) nothing is written and the result is 0.
// Writes at most outSize - 1 characters and a NUL; returns the number written.
std::size_t TranslateDump(const char* answer, std::size_t answerSize, char* out,
                          std::size_t outSize);

// The same over reponse, into rep_buf (cleared first).
int ZR8812_traduc_reponse(LinkContext& ctx);
int ZR8812_traduc_dump(LinkContext& ctx);
