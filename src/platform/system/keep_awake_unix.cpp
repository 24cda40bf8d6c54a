// Linux desktops keep their own idle rules (GNOME, KDE, logind's idle action),
// with no one request they all honour; the program asks none of them.
void KeepSystemAwakeNatively(bool) {}
