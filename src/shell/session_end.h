// The end of the desktop session (logging off, shutting down, a restart for
// updates) met as the program's own exit: when nothing is exchanged or saved
// the program saves its settings and lets the session end; during an exchange
// or a save it asks the session to wait, stops after the current test as Stop
// does, saves and closes.
#pragma once

// While one lives, the program is exchanging with the instrument or saving
// its work: the session's end waits for it, and the machine is kept awake.
// Nested ones count as one.
class WorkUnderWay {
   public:
    WorkUnderWay();
    ~WorkUnderWay();
    WorkUnderWay(const WorkUnderWay&) = delete;
    WorkUnderWay& operator=(const WorkUnderWay&) = delete;
};
bool WorkIsUnderWay();

// True once the session is ending: long operations stop at their next test
// and no message waits for an answer (nobody is there to give it).
bool SessionEnding();

// The answers registered with the platform (registration.cpp). Asked while
// work is under way, the session is told to wait, with a reason in the
// current language, and the event loop is asked to end once the work has
// stopped; asked while idle, it may end. When it ends the shutdown steps run
// at once, all of them when idle, the settings' save only in the middle of
// an exchange (another exchange cannot start inside it).
bool AnswerSessionEndQuery();
void EndWithTheSession();
// What ProgramMain does once the event loop has ended: the reason withdrawn.
void SessionEndDone();

void ResetSessionEndForTesting();
