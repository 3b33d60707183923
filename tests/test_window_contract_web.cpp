// SPDX-License-Identifier: MIT
// The window contract against the page's window, in the page itself in each browser engine
// (tests/web/run_in_browser.py opens it and reads what this program leaves in the page).
// clazy:excludeall=non-pod-global-static (doctest registers its test cases in static objects)
#define DOCTEST_CONFIG_IMPLEMENT
#include "design.h"
#include "web_window.h"
#include "window_contract.h"

#include <emscripten.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <sstream>
#include <string>

namespace {

// A click on the button, as the browser delivers it to the page.
EM_JS(void, clickControl, (const char* id), { document.getElementById(UTF8ToString(id)).click(); });

// Typing at the end of the report box: the browser's own editing inserts the text (Enter for "\n"),
// as a keyboard's keys do.
EM_JS(void, typeIntoReport, (const char* id, const char* keys), {
    const box = document.getElementById(UTF8ToString(id));
    box.focus();
    box.setSelectionRange(box.value.length, box.value.length);
    document.execCommand('insertText', false, UTF8ToString(keys));
});

// What the box shows, its line breaks written as CR LF (no backslash survives EM_JS); the caller frees it.
EM_JS(char*, shownText, (const char* id), {
    const value = document.getElementById(UTF8ToString(id)).value;
    return allocateUTF8(value.split(String.fromCharCode(10)).join(String.fromCharCode(13, 10)));
});

// What the program wrote and its status, where the runner reads them: not every engine's driver can
// read the browser's console.
EM_JS(void, leaveResult, (const char* output, int status),
      { globalThis.malvoranTestResult = {output : UTF8ToString(output), status : status}; });

std::string nameOf(design::Array array, int index)
{
    return design::controlName(array, index);
}

// Each harness takes the page's window over in its designed state.
class WebHarness {
public:
    forms::Window& window() { return *m_window; }
    void click(int command) { clickControl(nameOf(design::Array::Command1, command).c_str()); }
    void type(std::string_view keys)
    {
        typeIntoReport(nameOf(design::Array::Text1, 0).c_str(), std::string(keys).c_str());
    }
    std::string shownReport() const
    {
        const std::unique_ptr<char, decltype(&std::free)> shown(
            shownText(nameOf(design::Array::Text1, 0).c_str()), &std::free);
        return shown.get();
    }

private:
    std::unique_ptr<web::WebWindow> m_window = std::make_unique<web::WebWindow>();
};

} // namespace

TEST_CASE_TEMPLATE_INVOKE(window_contract, WebHarness);

int main(int argc, char** argv)
{
    // An exception that escapes doctest ends the program without a summary: its message is the result.
    std::ostringstream output;
    int status = 1;
    try {
        doctest::Context context(argc, argv);
        context.setOption("no-colors", true);
        context.setCout(&output);
        status = context.run();
    } catch (const std::exception& error) {
        output << error.what() << "\n";
    }
    std::fputs(output.str().c_str(), stdout);
    leaveResult(output.str().c_str(), status);
    return status;
}
