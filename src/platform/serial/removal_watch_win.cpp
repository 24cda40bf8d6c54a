#include "platform/serial/removal_watch_win.h"

#include <dbt.h>

#include <utility>

namespace {

bool RegisterWatchClass(WNDPROC windowProc) {
    WNDCLASSEXW watchClass{};
    watchClass.cbSize = sizeof watchClass;
    watchClass.lpfnWndProc = windowProc;
    watchClass.hInstance = GetModuleHandleW(nullptr);
    watchClass.lpszClassName = RemovalWatch::WindowClass();
    return RegisterClassExW(&watchClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The device is going or gone: the handle must be closed now, before the
// removal is granted (a request) or so that it can complete (a pulled cable).
bool RemovalEvent(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEQUERYREMOVE && event != DBT_DEVICEREMOVEPENDING &&
        event != DBT_DEVICEREMOVECOMPLETE)
        return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    return header != nullptr && header->dbch_devicetype == DBT_DEVTYP_HANDLE;
}

}  // namespace

const wchar_t* RemovalWatch::WindowClass() {
    return L"BriskelSerialRemovalWatch";
}

RemovalWatch::RemovalWatch(HANDLE device, std::function<void()> onRemoval)
    : onRemoval_(std::move(onRemoval)) {
    if (!RegisterWatchClass(&WindowProc)) return;
    window_ = CreateWindowExW(0, WindowClass(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    DEV_BROADCAST_HANDLE filter{};
    filter.dbch_size = sizeof filter;
    filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
    filter.dbch_handle = device;
    // Without it (a driver that offers no notification) the loss still shows
    // at the next call on the handle, which then fails.
    notification_ = RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

RemovalWatch::~RemovalWatch() {
    if (notification_ != nullptr) UnregisterDeviceNotification(notification_);
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);  // no callback into a watch that is going
    DestroyWindow(window_);
}

void RemovalWatch::Removed() {
    if (notification_ != nullptr) UnregisterDeviceNotification(notification_);
    notification_ = nullptr;
    if (onRemoval_) std::exchange(onRemoval_, nullptr)();
}

LRESULT CALLBACK RemovalWatch::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* watch = reinterpret_cast<RemovalWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_DEVICECHANGE && watch != nullptr && RemovalEvent(wParam, lParam)) {
        watch->Removed();
        return TRUE;  // a removal asked for is granted: the handle is closed
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
