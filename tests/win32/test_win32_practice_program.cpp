// SPDX-License-Identifier: MIT
// malvoran-practice.exe as a student, a screen reader and Explorer meet it, from another process: the
// window found by its class and title, round 1 played to its end with the mouse and the keys (a right
// answer, a wrong one, one that is no resistance), the names screen readers hear, its version
// resource and icon, and a clean end when the window is closed.
//   test_win32_practice_program <malvoran-practice.exe>
#define DOCTEST_CONFIG_IMPLEMENT
#include "hear.h"
#include "practice.h"
#include "practice_window.h"
#include "text.h"

#include <doctest/doctest.h>

#include <shellapi.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {

using practice::Part;

std::wstring program;

struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

BOOL CALLBACK findPractice(HWND window, LPARAM found)
{
    auto& running = *reinterpret_cast<Running*>(found);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::array<wchar_t, 32> windowClass{};
    GetClassNameW(window, windowClass.data(), static_cast<int>(windowClass.size()));
    std::array<wchar_t, 64> title{};
    GetWindowTextW(window, title.data(), static_cast<int>(title.size()));
    if (owner == running.process.dwProcessId && win32::narrow(windowClass.data()) == design::kPractice.name &&
        win32::narrow(title.data()) == design::kPracticeTitle && IsWindowVisible(window)) {
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
        EnumWindows(findPractice, reinterpret_cast<LPARAM>(&running));
        if (!running.window)
            Sleep(50);
    }
    REQUIRE(running.window);
    return running;
}

// What a student does to the window of another process, and reads from it: messages posted to its
// controls go through its own event loop and dialog keyboard.
class Student {
public:
    explicit Student(HWND window) : m_window(window) {}

    HWND control(Part part) const
    {
        const auto& designed = design::practiceControl(part);
        return GetDlgItem(m_window, win32::controlId(designed.array, designed.index));
    }
    HWND list(int band) const { return GetDlgItem(m_window, win32::controlId(design::Array::List1, band)); }

    // GetWindowText does not read another process's controls; WM_GETTEXT does.
    std::string read(Part part) const
    {
        HWND control = this->control(part);
        std::vector<wchar_t> text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) +
                                  1);
        const auto length =
            SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        return win32::narrow({text.data(), static_cast<std::size_t>(length)});
    }

    void click(HWND control) const
    {
        RECT inside{};
        GetClientRect(control, &inside);
        const LPARAM at = MAKELPARAM(inside.right / 2, inside.bottom / 2);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(control, WM_LBUTTONUP, 0, at);
    }

    // A click into the box, all of its text chosen, the keys typed over it and Enter.
    void answer(Part box, const std::string& typed) const
    {
        HWND edit = control(box);
        click(edit);
        waitFor([&] { return focus() == edit && thread().hwndCapture == nullptr; });
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (const wchar_t key : win32::widen(typed))
            PostMessageW(edit, WM_CHAR, key, 1);
        PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
        PostMessageW(edit, WM_KEYUP, VK_RETURN, 1 | (LPARAM{3} << 30));
    }

    void choose(int band, int row) const
    {
        SendMessageW(list(band), LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
        click(list(band));
    }

    GUITHREADINFO thread() const
    {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &thread);
        return thread;
    }
    HWND focus() const { return thread().hwndFocus; }

    // Whether `done` comes true within a few seconds, as the window takes the posted messages.
    static bool waitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 200; ++i) {
            if (done())
                return true;
            Sleep(25);
        }
        return done();
    }

private:
    HWND m_window;
};

// Typed with a plain space, as on a keyboard.
std::string typed(practice::Milliohms value)
{
    const std::string text = practice::valueText(value);
    const std::size_t space = text.find(practice::kNoBreakSpace);
    return text.substr(0, space) + ' ' + text.substr(space + practice::kNoBreakSpace.size());
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

TEST_CASE("malvoran-practice.exe plays round 1 to its end, speaks to screen readers and ends when closed")
{
    Running running = start();
    const Student student(running.window);
    CHECK(hear(running.window, OBJID_CLIENT).name == design::kPracticeTitle);
    for (const auto& c : design::kPracticeControls)
        if (!c.accessibleName.empty()) {
            CAPTURE(design::controlName(c));
            const Heard heard =
                hear(GetDlgItem(running.window, win32::controlId(c.array, c.index)), OBJID_CLIENT);
            CHECK(heard.name == c.accessibleName);
            CHECK(heard.description == c.accessibleDescription);
        }

    // A fresh round from the clock, then round 1 asked for by its number (where the clock gave round
    // 1, the number left as it is would ask for a fresh round instead).
    const std::string fresh = student.read(Part::RoundNumber);
    CHECK((std::stoi(fresh) >= practice::kFirstRound && std::stoi(fresh) <= practice::kLastRound));
    if (fresh == "1") {
        student.answer(Part::RoundNumber, "2");
        REQUIRE(Student::waitFor([&] { return student.read(Part::RoundNumber) == "2"; }));
    }
    student.answer(Part::RoundNumber, "1");
    const practice::Round round = practice::makeRound(1);
    REQUIRE(
        Student::waitFor([&] { return student.read(Part::Statement) == practice::statement(round[0], 1); }));

    int right = 0;
    bool unreadableTried = false;
    for (int number = 1; number <= practice::kTasksPerRound; ++number) {
        CAPTURE(number);
        const practice::Task& task = round.at(static_cast<std::size_t>(number - 1));
        REQUIRE(Student::waitFor(
            [&] { return student.read(Part::Statement) == practice::statement(task, number); }));
        const bool answerRight = number != 2 && number != 5;
        std::optional<practice::Milliohms> value;
        practice::Bands chosen = task.bands;
        if (task.kind == practice::Kind::Choose) {
            if (!answerRight)
                chosen[bands::FirstDigit] = static_cast<forms::Index>((chosen[bands::FirstDigit] + 1) % 10);
            for (int band = 0; band < bands::kBandCount; ++band)
                student.choose(band, chosen.at(static_cast<std::size_t>(band)));
            student.click(student.control(Part::Check));
        } else {
            if (!unreadableTried) {
                unreadableTried = true;
                student.answer(Part::Answer, "4,7,7 k");
                CHECK(Student::waitFor(
                    [&] { return student.read(Part::Feedback) == practice::kNotUnderstood; }));
            }
            value = practice::expected(task) + (answerRight ? 0 : 10 * practice::kOhm);
            student.answer(Part::Answer, typed(*value));
        }
        right += answerRight ? 1 : 0;
        std::string feedback = practice::feedback(task, value, chosen, answerRight);
        if (number == practice::kTasksPerRound)
            feedback += "Край на кръга. Верни отговори: " + std::to_string(right) + " от 10.\r\n";
        CHECK(Student::waitFor([&] { return student.read(Part::Feedback) == feedback; }));
        CHECK(student.read(Part::Score) == practice::score(right, number));
        // Enter on the focused "Следваща" goes on; at the end the focus waits on "Нов кръг".
        const HWND next = student.control(number == practice::kTasksPerRound ? Part::NewRound : Part::Next);
        CHECK(Student::waitFor([&] { return student.focus() == next; }));
        if (number < practice::kTasksPerRound) {
            PostMessageW(next, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(next, WM_KEYUP, VK_RETURN, 1 | (LPARAM{3} << 30));
        }
    }
    CHECK(student.read(Part::Score) == "Верни: 8 от 10");

    // A screen reader hears the task and the score by their text, the resistor by its colours.
    CHECK(hear(student.control(Part::Statement), OBJID_CLIENT).name ==
          practice::statement(round.back(), practice::kTasksPerRound));
    HWND picture = GetDlgItem(running.window, win32::kResistorId);
    CHECK(hear(picture, OBJID_CLIENT).name == "Резистор");
    CHECK(hear(picture, OBJID_CLIENT).role == ROLE_SYSTEM_GRAPHIC);
    CHECK(hear(picture, OBJID_CLIENT).description == "жълт, виолетов, чер, златист");
    CHECK(hear(student.control(Part::Score), OBJID_CLIENT).name == "Верни: 8 от 10");

    PostMessageW(running.window, WM_CLOSE, 0, 0);
    REQUIRE(WaitForSingleObject(running.process.hProcess, 20000) == WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(running.process.hProcess, &exitCode);
    CHECK(exitCode == 0);
    CloseHandle(running.process.hThread);
    CloseHandle(running.process.hProcess);
}

TEST_CASE("Explorer shows the practice's own icon, the version and the description in Bulgarian")
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
    CHECK(versionValue(program, L"OriginalFilename") == "malvoran-practice.exe");
    CHECK(versionValue(program, L"FileDescription").starts_with("Malvoran — упражнение"));
}

int main(int argc, char* argv[])
{
    // The path as Windows passed it, in UTF-16: argv holds it in the ANSI code page, which cannot
    // spell every folder name.
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
