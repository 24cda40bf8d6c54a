// Texts of the measurement import that the shell's catalogue does not hold.
#pragma once

#include <string>

#include "shell/messages.h"

// A test whose download failed or came back incomplete: it is neither written
// nor offered for erasure. Placeholders {object}, {test}, {kind}.
extern const MessageTable test_illisible;

// The test_illisible text in the current language with its placeholders filled.
std::string UnreadableTestText(int object, int test, int kind);

// The text of `table` in the current language, its placeholders {object},
// {test} (two digits each) and {kind} (the kind's name) filled.
std::string FillTestPlaceholders(const MessageTable& table, int object, int test, int kind);
