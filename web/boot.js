// SPDX-License-Identifier: MIT
// Runs first, in the page's head, before the browser lays the window out: scales the window down to a
// screen narrower than it, keeps the clicks that come before the program is running, says plainly
// where the browser cannot run it, and starts the program once the browser has shown the window: the
// program's script and its WebAssembly wait in the page as compressed text until then, so that the
// browser reads little and runs nothing of them before its first paint.
/* global malvoranInflate, DecompressionStream */
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

    // A click on a button or a colour while the program starts is answered as soon as it runs, which
    // it then does at once, once the window has been laid out for the screen.
    let early = [];
    let framed = false;
    document.addEventListener('click', function (event) {
        if (early !== null && event.target.closest('.window button, .window [role=option]') !== null) {
            early.push(event.target);
            if (framed)
                startOnce();
        }
    }, true);

    // Whether the program's script has run to its end.
    let begun = false;

    // One sentence in place of the window: `why` names it (the class that shows it).
    function cannotRun(why) {
        early = null;
        page.classList.add(why);
    }
    if (typeof WebAssembly !== 'object')
        cannotRun('without-webassembly');

    // What the page holds in the element `id`: DEFLATE data in base64, inflated by the browser, or by
    // the page's own inflater (inflate.js) where the browser cannot.
    function held(id) {
        const text = document.getElementById(id).textContent;
        let packed;
        if (typeof Uint8Array.fromBase64 === 'function') {
            packed = Uint8Array.fromBase64(text);
        } else {
            const bytes = atob(text);
            packed = new Uint8Array(bytes.length);
            for (let i = 0; i < bytes.length; ++i)
                packed[i] = bytes.charCodeAt(i);
        }
        if (typeof DecompressionStream === 'function') {
            try {
                const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw'));
                return new Response(stream).arrayBuffer().then(function (inflated) {
                    return new Uint8Array(inflated);
                });
            } catch (error) {
                // A browser that inflates only zlib's and gzip's wrappings.
            }
        }
        return Promise.resolve(packed).then(malvoranInflate);
    }

    // The program's script is put into the page as a script, which the page's policy knows by its hash.
    function startProgram() {
        if (early === null)
            return;
        held('program').then(function (program) {
            const script = document.createElement('script');
            script.textContent = new TextDecoder().decode(program);
            document.getElementById('program').replaceWith(script);
            // A script that did not run to its end (refused, or broken) started nothing.
            if (!begun)
                cannotRun('cannot-run');
        }).catch(function () {
            cannotRun('cannot-run');
        });
    }
    // Once the browser has put the window on the screen (its first contentful paint), so that the
    // program's work does not hold the first paint back; after the first frame where the browser does
    // not time its paints, or where a click already waits for its answer; at once where the page is
    // opened behind another, which has no frames to wait for.
    let started = false;
    function startOnce() {
        if (!started) {
            started = true;
            startProgram();
        }
    }
    document.addEventListener('DOMContentLoaded', function () {
        if (document.visibilityState === 'hidden') {
            setTimeout(startOnce, 0);
            return;
        }
        requestAnimationFrame(function () {
            setTimeout(function () {
                framed = true;
                if (!timesPaints() || (early !== null && early.length > 0))
                    startOnce();
            }, 0);
        });
    });
    function timesPaints() {
        return typeof PerformanceObserver === 'function' && PerformanceObserver.supportedEntryTypes !== undefined &&
            PerformanceObserver.supportedEntryTypes.indexOf('paint') >= 0;
    }
    if (timesPaints()) {
        new PerformanceObserver(function (entries, observer) {
            if (entries.getEntriesByName('first-contentful-paint').length > 0) {
                observer.disconnect();
                startOnce();
            }
        }).observe({ type: 'paint', buffered: true });
        // A window that paints no content (hidden by the page's own sentence) has no such paint.
        setTimeout(startOnce, 1000);
    }

    return {
        cannotRun: cannotRun,
        // The program's WebAssembly, inflated: a promise of its bytes. Asked for as the program's
        // script ends, which has then run whole.
        webAssembly: function () {
            begun = true;
            return held('webassembly');
        },
        // Called by the window once it answers the page's events: the clicks kept until then.
        takeEarlyClicks: function () {
            const taken = early === null ? [] : early;
            early = null;
            return taken;
        }
    };
})();
