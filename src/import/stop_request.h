// Long operations see the stop buttons only through non-waiting polls of the
// event queue.
#pragma once

// Polls the event queue once; a commit on a stop button (the wait popup's or
// the scan panel's, from any panel) sets `flag_stop` to 0. Returns `flag_stop`.
int PollStopRequest();
// The same poll at the start of a test (or of an object's listing): the end
// of the desktop session stops there too, once the test before is finished.
int PollStopBetweenTests();
