// The listing of one object's tests, as the check of an export's erasures
// reads it.
#include "link/memory_listing.h"

#include <cstdio>

#include "link/answer_filter.h"
#include "link/answer_text.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "platform/system/system.h"
#include "store/store.h"

int CurrentYear() {
    int month = 0, day = 0, year = 0;
    GetSystemDate(month, day, year);
    return year;
}

bool ListObjectTests(LinkContext& ctx, int object, TestListing& listing) {
    if (object < 0 || object >= NB_OBJECTS) return false;
    char command[COMMAND_MAX + 1];
    std::snprintf(command, sizeof command, "cd /etc/mem/%02d/", object);
    ClearBytes(ctx.reponse, REPONSE_SIZE, 10000);
    if (ZR8812_cd(ctx, command) != 0) return false;
    ClearBytes(ctx.reponse, REPONSE_SIZE, 10000);
    if (ZR8812_ls(ctx) != 0) return false;
    ZR8812_traduc_reponse(ctx);
    listing = ParseTestListing(ctx.rep_buf, REP_BUF_SIZE, CurrentYear());
    // A test left out of a listing cut short would pass for erased.
    return listing.has_total && listing.entries.size() == static_cast<std::size_t>(listing.count);
}
