// SPDX-License-Identifier: MIT
// The page's own inflater (web/inflate.js, for browsers without DecompressionStream) against node's
// zlib, block kind by block kind, and on the page's own WebAssembly; broken data is refused.
// Usage: node test_inflate.js <web/inflate.js> <malvoran.wasm>
'use strict';

const fs = require('fs');
const vm = require('vm');
const zlib = require('zlib');

const inflate = vm.runInThisContext(fs.readFileSync(process.argv[2], 'utf8') + '\nmalvoranInflate;');
const wasm = fs.readFileSync(process.argv[3]);

let seed = 1;
function random(count) {
    const bytes = Buffer.alloc(count);
    for (let i = 0; i < count; ++i) {
        seed = (seed * 1103515245 + 12345) % 2147483648;
        bytes[i] = seed >> 16;
    }
    return bytes;
}

// A stretch of random bytes repeated after 31 700 others: a match as far back as DEFLATE reaches.
function far() {
    const stretch = random(1000);
    return Buffer.concat([stretch, random(31700), stretch]);
}

const text = Buffer.from('Избрана стойност: 47\r\nНоминал:  4.7 k\r\nТочност: 5%\r\n'.repeat(50));
const rows = [
    ['nothing', Buffer.alloc(0), {}],
    ['a stored block', text, { level: 0 }],
    ['stored blocks of 64 KiB and more', random(150000), { level: 0 }],
    ['fixed codes', text, { strategy: zlib.constants.Z_FIXED }],
    ['dynamic codes', text, { level: 9 }],
    ['bytes that do not compress', random(5000), { level: 9 }],
    ['the longest match, over and over', Buffer.alloc(100000, 7), { level: 9 }],
    ['matches nearly 32 KiB back', far(), { level: 9 }],
    ['the page\'s WebAssembly', wasm, { level: 9 }],
];

let failed = 0;
for (const [name, data, options] of rows) {
    let result;
    try {
        result = Buffer.from(inflate(new Uint8Array(zlib.deflateRawSync(data, options))));
    } catch (error) {
        result = error;
    }
    if (!(result instanceof Buffer) || !result.equals(data)) {
        console.log('FAIL: ' + name + ': ' + (result instanceof Buffer ? result.length + ' bytes, not the same' : result));
        ++failed;
    }
}

const whole = zlib.deflateRawSync(text, { level: 9 });
const broken = [
    ['data cut short', whole.subarray(0, whole.length >> 1)],
    ['a block of the kind no one writes', Buffer.from([0x07, 0x00])],
    ['a stored block whose lengths disagree', Buffer.from([0x01, 0x05, 0x00, 0x00, 0x00, 1, 2, 3, 4, 5])],
];
for (const [name, data] of broken) {
    try {
        inflate(new Uint8Array(data));
        console.log('FAIL: ' + name + ' is inflated');
        ++failed;
    } catch (error) {
        if (!/^inflate: /.test(error.message)) {
            console.log('FAIL: ' + name + ': ' + error);
            ++failed;
        }
    }
}
console.log(failed ? failed + ' failed' : 'all ' + (rows.length + broken.length) + ' cases passed');
process.exit(failed ? 1 : 0);
