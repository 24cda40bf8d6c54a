// Windows tells a program that holds a device open that the device is going
// (a removal asked for) or gone (the cable pulled) only when asked to, for
// that handle and to a window. Until every handle on a removed bridge is
// closed, Windows cannot finish its removal, and the bridge plugged in again
// may come back under another COM number.
#pragma once

#include <windows.h>

#include <functional>

// Watches one open device handle through a message-only window of its own
// (it sees no broadcast, so every removal it hears of is that handle's).
class RemovalWatch {
   public:
    // `onRemoval` runs once, on this thread while its messages are handled,
    // after the watch has stopped listening: it closes the handle.
    RemovalWatch(HANDLE device, std::function<void()> onRemoval);
    ~RemovalWatch();
    RemovalWatch(const RemovalWatch&) = delete;
    RemovalWatch& operator=(const RemovalWatch&) = delete;

    // The class name of the watch's windows.
    static const wchar_t* WindowClass();

   private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Removed();

    HWND window_ = nullptr;
    HDEVNOTIFY notification_ = nullptr;
    std::function<void()> onRemoval_;
};
