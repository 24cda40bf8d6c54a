// One exchange with the instrument. Every command and every Modbus frame goes
// through Exchange: it flushes the input queue, sends, and reads until the
// answer is complete, so no exchange waits past the end of its answer. The
// time-out (3 s) counts from the last byte received: a slow or paused
// instrument is waited for, a silent one still fails in 3 s.
#pragma once

#include <cstddef>

#include "link/link_context.h"

// Where an answer ends.
enum class AnswerEnd {
    // Command mode: the prompt after the command's echo, that is the closing
    // "$ " of a line holding the model code. A "$" or the model code inside
    // the data does not end it.
    Prompt,
    // Modbus: a line starting with ":" ends at its CR LF; any other answer at
    // a prompt (an instrument in command mode) or at a byte >= 0x80.
    ModbusLine,
    // The mark character after the command's echo (the mark is not stored),
    // or the prompt when the answer holds no mark.
    Mark,
};

struct Exchanged {
    // 0 when bytes came; otherwise the serial library's negative code: the
    // text could not be sent, or nothing came on any attempt.
    int status = 0;
    bool sent = false;       // the text went out (else status says why not)
    std::size_t length = 0;  // bytes stored by this exchange or read
    bool complete = false;   // ended at its end, not at the limit nor the silence
    bool at_mark = false;    // AnswerEnd::Mark: ended at the mark
};

// On the serial port of `ctx`: flushes the input queue, clears `limit` bytes of `answer`, sends
// `text` (with ComWrite, so it ends with a NUL byte on the wire) and reads the answer into `answer`
// (at most `limit` bytes) until it is complete, the limit is reached or the instrument stays silent
// for the time-out. When nothing arrived it sends once more while `attempts` allow. Bytes that
// arrive before the echo of `text` belong to an earlier answer and are dropped. `firstByteSeconds`
// > 0: an answer that has not begun after that long is given up then instead of at the time-out (an
// answer that began is waited for as always).
Exchanged Exchange(const LinkContext& ctx, const char* text, char* answer, std::size_t limit,
                   AnswerEnd until, int attempts = 1, char mark = '\0',
                   double firstByteSeconds = 0.0);

// The read half alone, on the serial port of `ctx`: reads on into answer[already, limit) until the
// answer held in answer[0, ...) is complete as `until` says, counting from the position after
// `echo` once it has arrived ("" = from the start). Returns what came and how it ended (status
// RS232 time-out code when nothing came).
Exchanged ReadAnswer(const LinkContext& ctx, char* answer, std::size_t already, std::size_t limit,
                     AnswerEnd until, const char* echo = "", char mark = '\0');

// True when text[0, length) ends with a whole prompt: its last two bytes are
// "$ " and the line they end (after the last CR or LF) holds the model code
// and starts at or after `from`.
bool EndsWithPrompt(const char* text, std::size_t length, std::size_t from = 0);
