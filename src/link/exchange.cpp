#include "link/exchange.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "link/answer_text.h"
#include "link/com_port.h"
#include "platform/serial/serial.h"
#include "shell/session_end.h"

namespace {

constexpr std::size_t NOT_SEEN = static_cast<std::size_t>(-1);

bool EndsWithDollarBlank(const char* text, std::size_t length) {
    return length >= 2 && text[length - 1] == ' ' && text[length - 2] == '$';
}

// Follows an answer as its bytes arrive and says when it is complete.
class AnswerWatch {
   public:
    AnswerWatch(AnswerEnd until, const char* echo, char mark)
        : until_(until), echo_(echo), mark_(mark) {
        if (echo_.empty()) echo_start_ = echo_end_ = 0;
    }

    bool Complete(const char* text, std::size_t length) {
        if (until_ == AnswerEnd::ModbusLine) return ModbusComplete(text, length);
        if (echo_end_ == NOT_SEEN) {
            SpotEcho(text, length);
            return false;
        }
        if (until_ == AnswerEnd::Mark && length > echo_end_ && text[length - 1] == mark_) {
            at_mark_ = true;
            return true;
        }
        return EndsWithDollarBlank(text, length) && EndsWithPrompt(text, length, echo_end_);
    }

    std::size_t echo_start() const { return echo_start_; }
    bool at_mark() const { return at_mark_; }

   private:
    // The instrument echoes the command line first; whatever precedes the
    // echo is the tail of an earlier answer and cannot end this one.
    void SpotEcho(const char* text, std::size_t length) {
        const std::size_t n = echo_.size();
        if (length < n) return;
        if (FindNoCase(text + length - n, n, echo_.c_str()) != 0) return;
        echo_start_ = length - n;
        echo_end_ = length;
    }

    bool ModbusComplete(const char* text, std::size_t length) {
        std::size_t first = 0;
        while (first < length && IsNothing(text[first])) ++first;
        if (first == length) return false;
        const char last = text[length - 1];
        if (text[first] == ':') return last == '\n';
        if (static_cast<unsigned char>(last) >= 0x80) return true;  // refused anyway
        return EndsWithDollarBlank(text, length) && EndsWithPrompt(text, length, 0);
    }

    AnswerEnd until_;
    std::string echo_;
    char mark_;
    std::size_t echo_start_ = NOT_SEEN;
    std::size_t echo_end_ = NOT_SEEN;
    bool at_mark_ = false;
};

Exchanged Read(int port, char* answer, std::size_t already, std::size_t limit, AnswerWatch& watch,
               double firstByteSeconds = 0.0) {
    Exchanged result;
    already = std::min(already, limit);
    bool ended = false;
    const int n = ComRdUntil(
        port, answer + already, limit - already,
        [&](const char*, std::size_t count) {
            ended = watch.Complete(answer, already + count);
            return ended;
        },
        firstByteSeconds);
    if (n <= 0) {
        result.status = n < 0 ? n : ReturnRS232Err();
        if (result.status == 0) result.status = RS232_TIMEOUT;
        return result;
    }
    result.length = static_cast<std::size_t>(n);
    result.complete = ended;
    result.at_mark = watch.at_mark();
    if (result.at_mark) answer[already + --result.length] = '\0';  // the mark is not kept
    return result;
}

// The command line as the instrument echoes it: the text before its line end.
std::string EchoOf(const char* text) {
    const std::size_t end = std::strcspn(text, "\r\n");
    return std::string(text, end);
}

void DropBytesBeforeEcho(char* answer, Exchanged& result, std::size_t echoStart) {
    if (echoStart == NOT_SEEN || echoStart == 0 || echoStart > result.length) return;
    std::memmove(answer, answer + echoStart, result.length - echoStart);
    std::memset(answer + result.length - echoStart, 0, echoStart);
    result.length -= echoStart;
}

}  // namespace

bool EndsWithPrompt(const char* text, std::size_t length, std::size_t from) {
    if (!EndsWithDollarBlank(text, length)) return false;
    std::size_t start = length;
    while (start > 0 && text[start - 1] != '\r' && text[start - 1] != '\n') --start;
    return start >= from && FindNoCase(text + start, length - start, Modele) >= 0;
}

Exchanged ReadAnswer(const LinkContext& ctx, char* answer, std::size_t already, std::size_t limit,
                     AnswerEnd until, const char* echo, char mark) {
    const WorkUnderWay working;
    AnswerWatch watch(until, echo, mark);
    return Read(ctx.serial_port, answer, already, limit, watch);
}

Exchanged Exchange(const LinkContext& ctx, const char* text, char* answer, std::size_t limit,
                   AnswerEnd until, int attempts, char mark, double firstByteSeconds) {
    // A Modbus answer is no echo: function 06 even answers with the request.
    const std::string echo = until == AnswerEnd::ModbusLine ? "" : EchoOf(text);
    // The session's end waits for the answer: cut off, the instrument would
    // be left half-way through a command.
    const WorkUnderWay working;
    Exchanged result;
    for (int attempt = 0; attempt < std::max(attempts, 1); ++attempt) {
        FlushInQ(ctx.serial_port);
        ClearBytes(answer, limit, limit);
        const int sent = ComWrite(ctx, text);
        if (sent <= 0) {
            result.status = sent < 0 ? sent : RS232_WRITE_FAILED;
            return result;
        }
        AnswerWatch watch(until, echo.c_str(), mark);
        result = Read(ctx.serial_port, answer, 0, limit, watch, firstByteSeconds);
        result.sent = true;
        if (result.length > 0) {
            DropBytesBeforeEcho(answer, result, watch.echo_start());
            break;
        }
    }
    return result;
}
