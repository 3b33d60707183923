// SPDX-License-Identifier: MIT
// The page's program: its window takes over the page's controls once the WebAssembly has started, and
// lives as long as the page.
#include "web_window.h"

int main()
{
    static web::WebWindow window;
    (void)window;
    return 0;
}
