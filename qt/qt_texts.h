// SPDX-License-Identifier: MIT
// Qt's own texts (the menus of the report box and of the scroll bars) in Bulgarian, like the window.
#pragma once

// Installs Qt's Bulgarian translation for the whole program, whatever the user's locale. False when
// the translation is not installed; Qt then speaks English.
bool loadQtTextsInBulgarian();
