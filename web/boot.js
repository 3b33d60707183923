// SPDX-License-Identifier: MIT
// Runs first, in the page's head, before the browser lays the window out: scales the window down to a
// screen narrower than it, keeps the clicks that come before the program is running, and says plainly
// where the browser cannot run it. The program itself starts at the end of the page (start.js).
/* exported malvoranPage */
'use strict';

const malvoranPage = (function () {
    const page = document.documentElement;

    // A page with no width yet (in a frame not laid out) keeps the window as designed.
    function fitToScreen() {
        const designed = parseFloat(getComputedStyle(page).getPropertyValue('--window-width'));
        if (page.clientWidth > 0 && designed > 0)
            page.style.setProperty('--fit', String(Math.min(1, page.clientWidth / designed)));
    }
    fitToScreen();
    addEventListener('resize', fitToScreen);

    // A click on a button or a colour while the program starts is answered as soon as it runs.
    let early = [];
    document.addEventListener('click', function (event) {
        if (early !== null && event.target.closest('.window button, .window [role=option]') !== null)
            early.push(event.target);
    }, true);

    // One sentence in place of the window: `why` names it (the class that shows it).
    function cannotRun(why) {
        early = null;
        page.classList.add(why);
    }
    if (typeof WebAssembly !== 'object')
        cannotRun('without-webassembly');

    return {
        cannotRun: cannotRun,
        // Whether the program may start: the page has not said that it cannot run.
        runs: function () {
            return early !== null;
        },
        // Called by the window once it answers the page's events: the clicks kept until then.
        takeEarlyClicks: function () {
            const taken = early === null ? [] : early;
            early = null;
            return taken;
        }
    };
})();
