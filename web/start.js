// SPDX-License-Identifier: MIT
// Starts the program (emscripten's factory, `create`) once the browser has shown the window a first
// time: only then is its WebAssembly (`wasm`, in base64, put in by the page's builder) decoded and
// compiled, so that none of that holds back the first paint; a click made before is kept by the
// head's script (boot.js) until the window answers. Where the program cannot start, the page says so.
/* global malvoranPage */
/* exported malvoranStart */
'use strict';

const malvoranStart = function (create, wasm) {
    if (!malvoranPage.runs())
        return;
    const withoutWebAssembly = function () {
        malvoranPage.cannotRun('without-webassembly');
    };
    const cannotRun = function () {
        malvoranPage.cannotRun('cannot-run');
    };
    const start = function () {
        try {
            run();
        } catch (error) {
            cannotRun();
        }
    };
    const run = function () {
        let bytes;
        if (typeof Uint8Array.fromBase64 === 'function') {
            bytes = Uint8Array.fromBase64(wasm);
        } else {
            const text = atob(wasm);
            bytes = new Uint8Array(text.length);
            for (let i = 0; i < text.length; ++i)
                bytes[i] = text.charCodeAt(i);
        }
        create({
            noInitialRun: true,
            instantiateWasm: function (imports, done) {
                WebAssembly.instantiate(bytes, imports).then(function (made) {
                    done(made.instance, made.module);
                }, withoutWebAssembly);
                return {};
            }
        }).then(function (program) {
            // The window takes over its controls whole, or not at all.
            try {
                program.callMain([]);
            } catch (error) {
                cannotRun();
            }
        }, cannotRun);
    };
    // After the first frame's paint; a page opened behind another has no frames to wait for.
    if (document.visibilityState === 'hidden') {
        setTimeout(start, 0);
    } else {
        requestAnimationFrame(function () {
            setTimeout(start, 0);
        });
    }
};
