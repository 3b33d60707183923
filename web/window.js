// SPDX-License-Identifier: MIT
// The page's side of its window, linked into the program's JavaScript (emcc --js-library): the page's
// controls as the core asks for them, and the browser's events handed to the core, which decides
// what each does. Nothing here knows a colour, a text or a key rule.
/* global mergeInto, LibraryManager, MalvoranPage, UTF8ToString, stringToUTF8, lengthBytesUTF8,
   allocateUTF8OnStack, stackSave, stackRestore, _malvoran_click, _malvoran_choose, _malvoran_key,
   _malvoran_paint, _malvoran_fitNames, malvoranPage */

mergeInto(LibraryManager.library, {
    $MalvoranPage: {
        // The window as the page first showed it, made anew for each later window.
        designed: null,
        root: null,
        lists: [],
        buttons: [],
        report: null,
        picture: null,
        context: null,
        measuring: null,
        // The report box's text as the window last gave it, as the box shows it.
        shown: '',

        // The width of a colour list's name beside a swatch of `side` pixels: the list's inside
        // less the room its items keep around the swatch and the name.
        nameRoom: function (list, side) {
            const style = getComputedStyle(list.firstElementChild);
            return list.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) -
                parseFloat(style.columnGap) - side;
        },

        // Device pixels to one of the picture's own CSS pixels: the screen's density times every CSS
        // zoom above the picture (the page's own scaling on a narrow screen). WebKit gives no
        // currentCSSZoom: the zooms are then read from the style, element by element.
        scale: function () {
            const picture = MalvoranPage.picture;
            let zoom = 1;
            if (typeof picture.currentCSSZoom === 'number') {
                zoom = picture.currentCSSZoom;
            } else {
                for (let element = picture; element !== null; element = element.parentElement)
                    zoom *= parseFloat(getComputedStyle(element).zoom) || 1;
            }
            return zoom * devicePixelRatio;
        },

        // Gives the picture a pixel for each of the screen's it covers and paints it anew, where that
        // count changed: `inline` and `block` are its size in its own CSS pixels, `device` the
        // browser's own count of the screen's pixels where it has one that agrees (an emulated
        // screen's density is not in it).
        fit: function (inline, block, device) {
            const picture = MalvoranPage.picture;
            const scale = MalvoranPage.scale();
            const exact = device !== null && Math.abs(device.inlineSize - inline * scale) <= 1;
            const width = exact ? device.inlineSize : Math.round(inline * scale);
            const height = exact ? device.blockSize : Math.round(block * scale);
            if (width === picture.width && height === picture.height && MalvoranPage.painted)
                return;
            picture.width = width;
            picture.height = height;
            MalvoranPage.painted = inline > 0;
            if (inline > 0)
                _malvoran_paint(width / inline);
        },
        painted: false,

        // fit() to the picture's size as its style gives it, in its own CSS pixels, where no observer
        // reports it (WebKit rounds clientWidth under CSS zoom).
        fitToStyle: function () {
            const style = getComputedStyle(MalvoranPage.picture);
            MalvoranPage.fit(parseFloat(style.width), parseFloat(style.height), null);
        },

        // The picture repaints wherever its size in the screen's pixels changes: the browser's zoom, a
        // screen of another density, the page's own scaling on a narrow screen. Where the browser
        // cannot count the picture's device pixels itself (WebKit throws at the asking), its CSS size
        // is watched, with the window's size and the screen's density.
        followSize: function () {
            const page = MalvoranPage;
            const picture = page.picture;
            const observer = new ResizeObserver(function (entries) {
                const entry = entries[entries.length - 1];
                // A later window of the page has a picture of its own.
                if (entry.target !== page.picture) {
                    observer.disconnect();
                    return;
                }
                const box = entry.contentBoxSize ? entry.contentBoxSize[0] :
                    { inlineSize: entry.contentRect.width, blockSize: entry.contentRect.height };
                const device = entry.devicePixelContentBoxSize ? entry.devicePixelContentBoxSize[0] : null;
                page.fit(box.inlineSize, box.blockSize, device);
            });
            try {
                observer.observe(picture, { box: 'device-pixel-content-box' });
                return;
            } catch (error) {
                observer.observe(picture);
            }
            addEventListener('resize', page.fitToStyle);
            const density = function () {
                const query = matchMedia('(resolution: ' + devicePixelRatio + 'dppx)');
                const changed = function () {
                    query.removeListener(changed);
                    page.fitToStyle();
                    density();
                };
                query.addListener(changed);
            };
            density();
        },

        // A step the window can do without (a crisper picture, names fitted again to a late font):
        // where the browser cannot do it, the window still takes over whole.
        optional: function (step) {
            try {
                step();
            } catch (error) {
                // The window works without it.
            }
        }
    },

    malvoran_js_open__deps: ['$MalvoranPage'],
    malvoran_js_open: function (windowId) {
        const page = MalvoranPage;
        const root = document.getElementById(UTF8ToString(windowId));
        // What waited in templates for the first paint (a list's colours after its first) joins the
        // window before it is taken over.
        Array.prototype.forEach.call(root.querySelectorAll('template'), function (held) {
            held.replaceWith(held.content);
        });
        if (page.designed === null) {
            page.designed = root.cloneNode(true);
            page.root = root;
        } else {
            page.root = page.designed.cloneNode(true);
            root.replaceWith(page.root);
        }
        page.lists = [];
        page.buttons = [];
    },

    malvoran_js_control__deps: ['$MalvoranPage'],
    malvoran_js_control: function (index, id) {
        const page = MalvoranPage;
        const element = document.getElementById(UTF8ToString(id));
        if (element.getAttribute('role') === 'listbox') {
            page.lists[index] = element;
        } else if (element.localName === 'button') {
            page.buttons[index] = element;
        } else if (element.localName === 'textarea') {
            page.report = element;
            page.shown = element.defaultValue;
        } else if (element.localName === 'canvas') {
            page.picture = element;
            page.context = element.getContext('2d');
            page.painted = false;
        }
    },

    malvoran_js_listen__deps: ['$MalvoranPage'],
    malvoran_js_listen: function () {
        const page = MalvoranPage;
        page.lists.forEach(function (list, index) {
            list.addEventListener('click', function (event) {
                const option = event.target.closest('[role=option]');
                if (option !== null)
                    _malvoran_choose(index, Array.prototype.indexOf.call(list.children, option));
            });
            list.addEventListener('keydown', function (event) {
                const stack = stackSave();
                const taken = _malvoran_key(index, allocateUTF8OnStack(event.key), event.ctrlKey,
                    event.altKey || event.metaKey, event.timeStamp);
                stackRestore(stack);
                if (taken)
                    event.preventDefault();
            });
        });
        page.buttons.forEach(function (button, index) {
            button.addEventListener('click', function () {
                _malvoran_click(index);
            });
            // Neither button is a default button: Enter presses nothing, Space does.
            button.addEventListener('keydown', function (event) {
                if (event.key === 'Enter')
                    event.preventDefault();
            });
        });
        // The picture is painted at once, and again wherever its screen pixels change.
        page.fitToStyle();
        page.optional(page.followSize);
        // A font that arrives later measures the names anew.
        page.optional(function () {
            document.fonts.addEventListener('loadingdone', function () {
                _malvoran_fitNames();
            });
        });
        page.root.removeAttribute('aria-busy');
        // What was clicked while the program started is answered now, once the window is whole.
        if (typeof malvoranPage === 'object') {
            Promise.resolve().then(function () {
                malvoranPage.takeEarlyClicks().forEach(function (target) {
                    target.click();
                });
            });
        }
    },

    malvoran_js_selected__deps: ['$MalvoranPage'],
    malvoran_js_selected: function (list) {
        const options = MalvoranPage.lists[list].children;
        for (let row = 0; row < options.length; ++row) {
            if (options[row].getAttribute('aria-selected') === 'true')
                return row;
        }
        return -1;
    },

    // Chooses `row` (none for -1) and brings it into view; a list with nothing chosen shows its first.
    malvoran_js_select__deps: ['$MalvoranPage'],
    malvoran_js_select: function (list, row) {
        const element = MalvoranPage.lists[list];
        const options = element.children;
        for (let i = 0; i < options.length; ++i)
            options[i].setAttribute('aria-selected', i === row ? 'true' : 'false');
        if (row >= 0) {
            element.setAttribute('aria-activedescendant', options[row].id);
            element.scrollTop = options[row].offsetTop;
        } else {
            element.removeAttribute('aria-activedescendant');
            element.scrollTop = 0;
        }
    },

    malvoran_js_inView__deps: ['$MalvoranPage'],
    malvoran_js_inView: function (list) {
        const element = MalvoranPage.lists[list];
        const options = element.children;
        let row = 0;
        for (let i = 1; i < options.length; ++i) {
            if (Math.abs(options[i].offsetTop - element.scrollTop) < Math.abs(options[row].offsetTop - element.scrollTop))
                row = i;
        }
        return row;
    },

    malvoran_js_reportEdited__deps: ['$MalvoranPage'],
    malvoran_js_reportEdited: function () {
        return MalvoranPage.report.value !== MalvoranPage.shown ? 1 : 0;
    },

    malvoran_js_reportSize__deps: ['$MalvoranPage'],
    malvoran_js_reportSize: function () {
        return lengthBytesUTF8(MalvoranPage.report.value);
    },

    malvoran_js_readReport__deps: ['$MalvoranPage'],
    malvoran_js_readReport: function (buffer, size) {
        stringToUTF8(MalvoranPage.report.value, buffer, size);
    },

    // The box starts at its first line, as the desktop windows' do.
    malvoran_js_showReport__deps: ['$MalvoranPage'],
    malvoran_js_showReport: function (text) {
        const box = MalvoranPage.report;
        box.value = UTF8ToString(text);
        MalvoranPage.shown = box.value;
        box.setSelectionRange(0, 0);
        box.scrollTop = 0;
    },

    malvoran_js_describe__deps: ['$MalvoranPage'],
    malvoran_js_describe: function (description) {
        const picture = MalvoranPage.picture;
        document.getElementById(picture.getAttribute('aria-describedby')).textContent = UTF8ToString(description);
    },

    malvoran_js_beginPaint__deps: ['$MalvoranPage'],
    malvoran_js_beginPaint: function () {
        const picture = MalvoranPage.picture;
        MalvoranPage.context.clearRect(0, 0, picture.width, picture.height);
    },

    malvoran_js_fill__deps: ['$MalvoranPage'],
    malvoran_js_fill: function (x, y, width, height, red, green, blue) {
        const context = MalvoranPage.context;
        context.fillStyle = 'rgb(' + red + ',' + green + ',' + blue + ')';
        context.fillRect(x, y, width, height);
    },

    malvoran_js_fillRounded__deps: ['$MalvoranPage'],
    malvoran_js_fillRounded: function (x, y, width, height, radius, red, green, blue) {
        const context = MalvoranPage.context;
        const right = x + width;
        const bottom = y + height;
        context.fillStyle = 'rgb(' + red + ',' + green + ',' + blue + ')';
        context.beginPath();
        context.moveTo(x + radius, y);
        context.arcTo(right, y, right, bottom, radius);
        context.arcTo(right, bottom, x, bottom, radius);
        context.arcTo(x, bottom, x, y, radius);
        context.arcTo(x, y, right, y, radius);
        context.closePath();
        context.fill();
    },

    malvoran_js_nameRoom__deps: ['$MalvoranPage'],
    malvoran_js_nameRoom: function (list, side) {
        return Math.floor(MalvoranPage.nameRoom(MalvoranPage.lists[list], side));
    },

    malvoran_js_widestName__deps: ['$MalvoranPage'],
    malvoran_js_widestName: function (list, points) {
        const page = MalvoranPage;
        const element = page.lists[list];
        if (page.measuring === null)
            page.measuring = document.createElement('canvas').getContext('2d');
        page.measuring.font = points + 'pt ' + getComputedStyle(element).fontFamily;
        let widest = 0;
        for (let row = 0; row < element.children.length; ++row)
            widest = Math.max(widest, page.measuring.measureText(element.children[row].textContent).width);
        return Math.ceil(widest);
    },

    malvoran_js_setNameFit__deps: ['$MalvoranPage'],
    malvoran_js_setNameFit: function (list, side, points) {
        const style = MalvoranPage.lists[list].style;
        style.setProperty('--swatch', side + 'px');
        style.setProperty('font-size', points + 'pt');
    }
});
