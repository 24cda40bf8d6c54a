// Where the decoders find the file just downloaded: the link's derived-text
// buffer, which the download fills with the dump's hexadecimal digits.
#pragma once

#include <cstddef>

const char* DumpSourceText();
std::size_t DumpSourceSize();
