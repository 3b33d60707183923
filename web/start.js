// SPDX-License-Identifier: MIT
// Starts the program (emscripten's factory, `create`) on its WebAssembly, which the page holds. The
// head's script (boot.js) runs this once the browser has shown the window, and keeps the clicks made
// before the window answers. Where the program cannot start, the page says so in one sentence.
/* global malvoranPage */
/* exported malvoranStart */
'use strict';

const malvoranStart = function (create) {
    const cannotRun = function () {
        malvoranPage.cannotRun('cannot-run');
    };
    const withoutWebAssembly = function () {
        malvoranPage.cannotRun('without-webassembly');
    };
    create({
        noInitialRun: true,
        instantiateWasm: function (imports, done) {
            malvoranPage.webAssembly().then(function (bytes) {
                return WebAssembly.instantiate(bytes, imports).then(function (made) {
                    done(made.instance, made.module);
                }, withoutWebAssembly);
            }, cannotRun);
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
