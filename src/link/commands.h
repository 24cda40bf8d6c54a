// The instrument's command mode: shell-like commands ended by CR LF (and the
// NUL byte ComWrite adds), each answered by its echo, its output and a prompt
// holding the model code. A command failed when its answer holds "rror".
//
// Results: 0 success, -1 the instrument reported a failure (or, for a
// deletion, did not answer with its prompt), or the serial library's negative
// code when the command could not be written or nothing arrived.
#pragma once

#include "link/link_context.h"

// Longest command line ZR8812_cd takes (without CR LF).
constexpr int COMMAND_MAX = 49;

// "stty ixon": the instrument's XON/XOFF. 0 when bytes came back.
int ZR8812_StxOn(LinkContext& ctx);
// Sends the command line `text` (such as "cd /etc/mem/") and reads 5000 bytes.
int ZR8812_cd(LinkContext& ctx, const char* text);
// "ls -l", read up to the prompt's "$" (at most 10000 bytes).
int ZR8812_ls(LinkContext& ctx);
// Downloads the test file of (object, test, kind) with "od -hxv" and leaves its
// hex digits in rep_buf. -1 for numbers out of range (object and test 0..99,
// kind 0..8).
int ZR8812_od(LinkContext& ctx, int object, int test, int kind);
// "rm" of the test file of (object, test, kind).
int ZR8812_delete(LinkContext& ctx, int object, int test, int kind);

// "/etc/mem/OO/TT.x" of a test into `path` (at least 32 bytes); false when a
// number is out of range.
bool TestFilePath(int object, int test, int kind, char* path);
