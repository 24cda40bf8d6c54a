// Connection set-up and the Setup menu's dialogs: opening the port and bringing
// the instrument into command mode with its switch on SET-UP, re-testing the
// link before a memory operation, Setup > Communication and Setup > Instrument.
//
// Every failed set-up is reported to the user the same way: error 11 for an
// invalid port number (-2), error 12 for a busy port (-7), error 10 otherwise,
// then the "instrument not detected" box.
#pragma once

#include <set>

#include "link/link_context.h"

// ZR8812_init results besides 0 and the serial library's negative codes.
constexpr int INIT_NO_COMMAND_MODE =
    1;  // the switch sequence was accepted, command mode did not answer

// The set-up, link step by link step, the person told and asked between them:
// opens `port` (it becomes the serial port number of `ctx`), probes command
// mode, else leaves Modbus mode and probes again, marks the link up, turns on
// flow control, queries the switch until it is on SET-UP and switches off the
// automatic power-off. 0 ready; 1 see above; -1 no answer in either mode or the
// switch never reached SET-UP; or the negative code of the open or of the
// power-off command. `announce`: the "Communication OK" and "set-up position"
// boxes once the instrument answered (the request to turn the switch is shown
// either way: only the person can do it).
int ZR8812_init(LinkContext& ctx, int port, bool announce = true);
// After a command failed on the open link: is the instrument still in command
// mode? One that restarted answers in Modbus mode again and is switched back,
// without any box or set-up question.
constexpr int STILL_IN_COMMAND_MODE = 0;
constexpr int SWITCHED_BACK = 1;
constexpr int NO_COMMAND_MODE = -1;     // neither mode answers (the port may be closed, flag 0)
constexpr int NO_SWITCH_REGISTER = -2;  // as -1, register 25 kept reading FFFF: error 10 to tell
int BackToCommandMode(LinkContext& ctx);
// Makes the link usable before a memory operation; `flag` is the caller's copy
// of the link flag (non-zero: re-test the open link first). 0 usable, -1 after
// a failed set-up already reported to the user.
int Open_dev(LinkContext& ctx, int flag);
// Setup menu: item 7 (Communication), item 9 (Instrument). Also called at
// start-up with item 7. When the instrument cannot be found at start-up the
// program ends; later the person is told and the program stays.
void Gestion_parametre(int menuBar, int menuItem, void* callbackData, int panel);
// Communication panel: control 2 (OK) applies the port number of control 4,
// control 3 (Quit) closes the panel. Commit events only; returns 0.
int Config_com(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);

// Appends the four identity lines to the identity panel's list. Returns 0.
int Affiche_Identity();
// Close button of the identity panel: removes and discards it and forgets the
// identity shown.
int QuitterConfig(int panel, int control, int event, void* callbackData, int eventData1,
                  int eventData2);

// The switch position as ZR8812_Stat_Rot reads it, "Communication in progress"
// shown meanwhile.
int SwitchPosition(LinkContext& ctx);

// Before an action that needs the instrument: when the link was up and its
// port has gone since (the cable pulled while nothing was exchanged; the
// bridge may come back under another COM number), closes the port and looks
// for the instrument once as Setup, Communication does when the person lets
// the program search, without its question and its boxes: on the number in
// use, then on every bridge present. A number found is the serial port number
// and goes to the log as Setup writes it. True when the link is usable as far
// as the port goes (it was never lost, or the instrument answered again);
// false when it is not back: port closed, link flag 0, nothing told yet.
bool InstrumentPortBack(LinkContext& ctx);
// Closes the port when the link was up and its device has gone since, so the
// link flag reads 0 (Setup, Communication then asks how to find it again).
// True when it did.
bool ForgetGonePort(LinkContext& ctx);
// The instrument was not found: logged and told with the "instrument not
// detected" box. At start-up the program then ends; later it stays, so the
// person can plug the instrument back in and use Setup, Communication.
void TellNotDetected();
// The text of that box: at start-up the procedure that ends with restarting
// the program; later the one that ends with Setup, Communication.
const char* NotDetectedText();

// Tells the user that a set-up failed with `code` (see above); the "instrument
// not detected" box only when `withNotDetectedBox`.
void ReportFailedSetup(int code, bool withNotDetectedBox = true);

// The walk below without its popup: sets up (ZR8812_init with `announce`) the
// first bridge present that answers as the instrument, each COM number once,
// those in `tried` left out. 0 found, the link open on the serial port number;
// else the last set-up's result (-1 when none was tried), no port left open.
int SetUpFirstBridge(LinkContext& ctx, bool announce, std::set<int> tried = {});
// Walks the bridges present, each once, on the COM number of its own entry,
// and sets up the first one that answers as the instrument (ZR8812_init).
// 0: found; its number is the serial port number and the link is open (the
// progress popup installed by the caller stays up).
// 1: none found; the progress popup is removed and the port closed.
int Traitement_com(LinkContext& ctx);
// Room the walk has: bridges beyond this many are not tried.
constexpr int MAX_BRIDGES = 10;
