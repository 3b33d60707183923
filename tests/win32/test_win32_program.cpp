// SPDX-License-Identifier: MIT
// malvoran.exe as a screen reader and Explorer meet it, from another process: the window it opens
// (title, size, focus, the report box's text), the names and descriptions screen readers hear
// through Active Accessibility, its version resource, and a clean end when the window is closed.
//   test_win32_program <malvoran.exe>
#define DOCTEST_CONFIG_IMPLEMENT
#include "design.h"
#include "hear.h"
#include "main_window.h"
#include "text.h"

#include <doctest/doctest.h>

#include <shellapi.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring program;

int screenDpi()
{
    const char* dpi = std::getenv("MALVORAN_WINE_DPI");
    return dpi ? std::atoi(dpi) : design::kStandardDpi;
}

struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

BOOL CALLBACK findMalvoran(HWND window, LPARAM found)
{
    auto& running = *reinterpret_cast<Running*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::array<wchar_t, 32> windowClass{};
    GetClassNameW(window, windowClass.data(), static_cast<int>(windowClass.size()));
    if (owner == running.process.dwProcessId && std::wstring(windowClass.data()) == win32::kWindowClass &&
        IsWindowVisible(window)) {
        running.window = window;
        return FALSE;
    }
    return TRUE;
}

Running start()
{
    Running running;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + program + L"\"";
    REQUIRE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &running.process));
    WaitForInputIdle(running.process.hProcess, 20000);
    for (int i = 0; i < 200 && !running.window; ++i) {
        EnumWindows(findMalvoran, reinterpret_cast<LPARAM>(&running));
        if (!running.window)
            Sleep(50);
    }
    REQUIRE(running.window);
    return running;
}

std::wstring remoteText(HWND control)
{
    // GetWindowText does not read another process's controls; WM_GETTEXT does.
    std::vector<wchar_t> text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1);
    const auto length = SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return {text.data(), static_cast<std::size_t>(length)};
}

std::string versionValue(const std::wstring& file, const wchar_t* key)
{
    DWORD handle = 0;
    std::vector<char> data(GetFileVersionInfoSizeW(file.c_str(), &handle));
    if (data.empty() || !GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
        return {};
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040204B0\\") + key;
    if (!VerQueryValueW(data.data(), path.c_str(), &value, &length) || length == 0)
        return {};
    return win32::narrow(static_cast<const wchar_t*>(value));
}

} // namespace

TEST_CASE("malvoran.exe opens its window, speaks to screen readers and ends when closed")
{
    Running running = start();
    HWND window = running.window;
    const int dpi = screenDpi();

    CHECK(win32::narrow(remoteText(window)) == design::kTitle);
    RECT client{};
    GetClientRect(window, &client);
    CHECK(client.right == design::toPixels(design::kClientWidth, dpi));
    CHECK(client.bottom == design::toPixels(design::kClientHeight, dpi));

    HWND report = GetDlgItem(window, win32::controlId(design::Array::Text1, 0));
    CHECK(win32::narrow(remoteText(report)) == design::kIntroduction);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    REQUIRE(GetGUIThreadInfo(running.process.dwThreadId, &thread));
    CHECK(thread.hwndFocus == report);

    CHECK(hear(window, OBJID_CLIENT).name == design::kTitle);
    for (const auto& control : design::kControls)
        if (!control.accessibleName.empty()) {
            CAPTURE(design::controlName(control));
            const Heard heard =
                hear(GetDlgItem(window, win32::controlId(control.array, control.index)), OBJID_CLIENT);
            CHECK(heard.name == control.accessibleName);
            CHECK(heard.description == control.accessibleDescription);
        }
    // The resistor picture, a graphic that names the chosen colours, and follows a choice.
    HWND picture = GetDlgItem(window, win32::kResistorId);
    CHECK(hear(picture, OBJID_CLIENT).name == "Резистор");
    CHECK(hear(picture, OBJID_CLIENT).role == ROLE_SYSTEM_GRAPHIC);
    CHECK(hear(picture, OBJID_CLIENT).description == "няма, няма, няма, няма");
    SendMessageW(GetDlgItem(window, win32::controlId(design::Array::List1, 2)), LB_SETCURSEL, 7, 0);
    CHECK(hear(picture, OBJID_CLIENT).description == "няма, няма, виолетов, няма");

    PostMessageW(window, WM_CLOSE, 0, 0);
    REQUIRE(WaitForSingleObject(running.process.hProcess, 20000) == WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(running.process.hProcess, &exitCode);
    CHECK(exitCode == 0);
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
}

TEST_CASE("Explorer shows the hamburger icon, the version and the description in Bulgarian")
{
    HICON large = nullptr;
    HICON small = nullptr;
    REQUIRE(ExtractIconExW(program.c_str(), 0, &large, &small, 1) > 0);
    CHECK(large);
    CHECK(small);
    DestroyIcon(large);
    DestroyIcon(small);

    CHECK(versionValue(program, L"ProductName") == "Malvoran");
    CHECK(versionValue(program, L"ProductVersion") == MALVORAN_VERSION);
    CHECK(versionValue(program, L"OriginalFilename") == "malvoran.exe");
    CHECK(versionValue(program, L"FileDescription").starts_with("Malvoran – цветният код на резисторите"));
}

int main(int argc, char* argv[])
{
    // The path as Windows passed it, in UTF-16: argv holds it in the ANSI code page, which cannot
    // spell every folder name (Cyrillic ones on a Western system).
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argc < 2 || count < 2)
        return 2;
    std::array<wchar_t, MAX_PATH> full{};
    GetFullPathNameW(arguments[1], MAX_PATH, full.data(), nullptr);
    LocalFree(static_cast<HLOCAL>(arguments));
    program = full.data();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    doctest::Context context(argc, argv);
    const int status = context.run();
    CoUninitialize();
    return status;
}
