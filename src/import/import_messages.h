// Texts of the measurement import that the shell's catalogue does not hold.
#pragma once

#include <string>

#include "shell/messages.h"

// A test whose download failed or came back incomplete: it is neither written
// nor offered for erasure. Placeholders {object}, {test}, {kind}.
extern const MessageTable test_illisible;

// The test_illisible text in the current language with its placeholders filled.
std::string UnreadableTestText(int object, int test, int kind);

// A test whose workbook would hold no measured value (a kind or a selector
// byte this program has no layout for): it is neither saved nor offered for
// erasure. Placeholders {object}, {test}, {kind}.
extern const MessageTable test_sans_mesure;
std::string UnknownMeasurementText(int object, int test, int kind);
