// Between the shared answers to the session's end (session.cpp) and each
// system's file (session_win.cpp, session_qt.cpp).
#pragma once

#include <string>

// Remembered for SessionEndReason.
void SetSessionEndReason(const std::string& reason);
// Each system's file: starts listening to the session manager, once.
void ConnectSessionManager();
