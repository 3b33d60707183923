// SPDX-License-Identifier: MIT
// Qt's own texts (the menus of the report box and of the scroll bars) in Bulgarian, like the window.
#pragma once

// Gives the whole program Qt's Bulgarian translation, whatever the user's locale: installed at once
// for a screen reader, otherwise with the first context menu. False when the translation is not
// installed; Qt then speaks English.
bool loadQtTextsInBulgarian();
