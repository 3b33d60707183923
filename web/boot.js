// SPDX-License-Identifier: MIT
// Runs first, in the page's head: scales the window down to a screen narrower than it, starts
// compiling the program's WebAssembly while the browser reads the rest of the page, keeps the clicks
// that come before the program is running, and says plainly where the browser cannot run it. The
// page's builder puts the WebAssembly in, in base64.
/* exported malvoranStart */
'use strict';

const malvoranProgram = (function () {
    const page = document.documentElement;
    const wasm = '@WASM@';

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

    function missing() {
        page.classList.add('without-webassembly');
    }
    if (typeof WebAssembly !== 'object') {
        missing();
        return null;
    }
    let bytes;
    if (typeof Uint8Array.fromBase64 === 'function') {
        bytes = Uint8Array.fromBase64(wasm);
    } else {
        const text = atob(wasm);
        bytes = new Uint8Array(text.length);
        for (let i = 0; i < text.length; ++i)
            bytes[i] = text.charCodeAt(i);
    }
    const compiled = WebAssembly.compile(bytes);
    compiled.catch(missing);
    return {
        compiled: compiled,
        missing: missing,
        // Called by the window once it answers the page's events: the clicks kept until then.
        takeEarlyClicks: function () {
            const taken = early === null ? [] : early;
            early = null;
            return taken;
        }
    };
})();

// Starts the program (emscripten's factory, `create`) on the WebAssembly compiled above. Its window
// takes over the page's controls once the browser has shown them a first time: what the program does
// then does not hold back the first paint, and a click before it is kept until it runs.
const malvoranStart = function (create) {
    if (malvoranProgram === null)
        return;
    create({
        noInitialRun: true,
        instantiateWasm: function (imports, done) {
            malvoranProgram.compiled.then(function (module) {
                return WebAssembly.instantiate(module, imports).then(function (instance) {
                    done(instance, module);
                });
            }).catch(malvoranProgram.missing);
            return {};
        }
    }).then(function (program) {
        const run = function () {
            setTimeout(function () {
                program.callMain([]);
            }, 0);
        };
        // A page opened behind another has no frames to wait for.
        if (document.visibilityState === 'hidden')
            run();
        else
            requestAnimationFrame(run);
    });
};
