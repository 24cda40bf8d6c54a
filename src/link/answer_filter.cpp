#include "link/answer_filter.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "link/answer_text.h"
#include "link/com_port.h"

namespace {

constexpr std::size_t OFFSET_DIGITS = 7;
constexpr std::size_t GROUP_SIZE = 4;
constexpr std::size_t LINE_EXAMINE_LIMIT = 40;

bool IsKept(char c) {
    return IsLetterOrDigit(c) || (c != '\0' && std::strchr("=-.:/+*", c) != nullptr);
}

// Position of the model code in the text of `answer`, or `fallback`.
std::size_t PromptPosition(const char* answer, std::size_t answerSize, std::size_t fallback) {
    const long p = FindNoCase(answer, TextLength(answer, answerSize), Modele);
    return p < 0 ? fallback : static_cast<std::size_t>(p);
}

// Reads the groups of one dump line from `pos`; the letters and digits taken go
// to `line`. Returns false when the scan reached `limit` (the line is then cut).
bool ReadDumpGroups(const char* answer, std::size_t limit, std::size_t& pos, std::string& line) {
    std::size_t examined = 0;
    for (;;) {
        std::size_t run = 0;
        while (run < GROUP_SIZE) {
            if (pos >= limit) return false;
            if (examined >= LINE_EXAMINE_LIMIT) return true;
            const char c = answer[pos++];
            ++examined;
            if (IsLetterOrDigit(c)) {
                line += c;
                ++run;
            } else {
                run = 0;
            }
        }
        // The separator after a group; a line end there ends the line whatever
        // follows (lines may end with LF alone).
        if (pos >= limit) return false;
        const char separator = answer[pos++];
        if (pos >= limit) return false;
        if (separator == '\r' || separator == '\n') return true;
        if (!IsLetterOrDigit(answer[pos]) || examined >= LINE_EXAMINE_LIMIT) return true;
    }
}

// The seven octal digits of a dump line's offset; -1 when one is not octal.
long OctalOffset(const char* digits) {
    long value = 0;
    for (std::size_t i = 0; i < OFFSET_DIGITS; ++i) {
        if (digits[i] < '0' || digits[i] > '7') return -1;
        value = value * 8 + (digits[i] - '0');
    }
    return value;
}

}  // namespace

std::size_t FilterAnswer(const char* answer, std::size_t answerSize, char* out,
                         std::size_t outSize) {
    if (outSize == 0) return 0;
    const std::size_t p = PromptPosition(answer, answerSize, NO_PROMPT_LIMIT);
    const std::size_t end = std::min(p + 1, answerSize);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < end && kept + 1 < outSize; ++i) {
        if (IsKept(answer[i])) out[kept++] = answer[i];
    }
    out[kept] = '\0';
    return kept;
}

std::size_t TranslateDump(const char* answer, std::size_t answerSize, char* out,
                          std::size_t outSize) {
    if (outSize == 0) return 0;
    const std::size_t limit = std::min(
        {PromptPosition(answer, answerSize, NO_PROMPT_LIMIT), DUMP_SCAN_LIMIT, answerSize});
    std::size_t pos = 0;
    std::size_t written = 0;
    bool whole = false;  // the final offset line closed the dump
    while (pos < limit) {
        std::size_t run = 0;
        while (pos < limit && run < OFFSET_DIGITS) run = IsDigit(answer[pos++]) ? run + 1 : 0;
        if (run < OFFSET_DIGITS) break;
        const long offset = OctalOffset(answer + pos - OFFSET_DIGITS);
        const long bytes = static_cast<long>(written / 2);
        std::string line;
        if (!ReadDumpGroups(answer, limit, pos, line)) {
            // Only the offset line may meet the prompt; it gives the file's
            // size (one byte less than the words when the size is odd).
            whole = line.empty() && (offset == bytes || offset + 1 == bytes);
            break;
        }
        // A line must start where the one before ended: offsets that go back,
        // repeat or jump mean lines lost or doubled on the way.
        if (offset != bytes) break;
        if (written + line.size() + 1 > outSize) break;
        std::memcpy(out + written, line.data(), line.size());
        written += line.size();
    }
    // A dump that is cut, out of order or interrupted by a prompt is no file.
    if (!whole) written = 0;
    out[written] = '\0';
    return written;
}

int ZR8812_traduc_reponse(LinkContext& ctx) {
    ClearBytes(ctx.rep_buf, REP_BUF_SIZE, REP_BUF_SIZE);
    return static_cast<int>(FilterAnswer(ctx.reponse, REPONSE_SIZE, ctx.rep_buf, REP_BUF_SIZE));
}

int ZR8812_traduc_dump(LinkContext& ctx) {
    ClearBytes(ctx.rep_buf, REP_BUF_SIZE, REP_BUF_SIZE);
    return static_cast<int>(TranslateDump(ctx.reponse, REPONSE_SIZE, ctx.rep_buf, REP_BUF_SIZE));
}
