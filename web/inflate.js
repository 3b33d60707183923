// SPDX-License-Identifier: MIT
// Inflates raw DEFLATE data (RFC 1951) where the browser has no DecompressionStream for it: the page
// holds its program compressed, so that the browser reads less before its first paint. Put after
// boot.js in the page's head; slow beside the browser's own, and used only where that is missing.
/* exported malvoranInflate */
'use strict';

const malvoranInflate = (function () {
    const LENGTH_BASE = [3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31, 35, 43, 51, 59, 67, 83, 99, 115,
        131, 163, 195, 227, 258];
    const LENGTH_EXTRA = [0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0];
    const DISTANCE_BASE = [1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129, 193, 257, 385, 513, 769, 1025, 1537,
        2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577];
    const DISTANCE_EXTRA = [0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12,
        13, 13];
    // The order in which a dynamic block gives the lengths of its code-length code.
    const LENGTH_ORDER = [16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15];

    // A canonical Huffman code, from the length of each symbol's code (0: not used): how many codes
    // of each length, and the symbols in the order of their codes.
    function huffman(lengths) {
        const counts = new Uint16Array(16);
        lengths.forEach(function (length) {
            counts[length]++;
        });
        counts[0] = 0;
        const offsets = new Uint16Array(16);
        for (let length = 1; length < 16; ++length)
            offsets[length] = offsets[length - 1] + counts[length - 1];
        const symbols = new Uint16Array(lengths.length);
        lengths.forEach(function (length, symbol) {
            if (length > 0)
                symbols[offsets[length]++] = symbol;
        });
        return { counts: counts, symbols: symbols };
    }

    function filled(count, length) {
        return new Array(count).fill(length);
    }
    const FIXED_LITERALS = huffman(filled(144, 8).concat(filled(112, 9), filled(24, 7), filled(8, 8)));
    const FIXED_DISTANCES = huffman(filled(30, 5));

    return function (input) {
        let position = 0;
        let used = 0;
        let output = new Uint8Array(Math.max(1024, input.length * 4));
        let size = 0;

        // `count` bits of the input, the first the lowest.
        function bits(count) {
            let value = 0;
            for (let i = 0; i < count; ++i) {
                if (position >= input.length)
                    throw new Error('inflate: the data ends early');
                value |= ((input[position] >> used) & 1) << i;
                if (++used === 8) {
                    used = 0;
                    ++position;
                }
            }
            return value;
        }

        // The next symbol of the code: its codes are read a bit at a time, the first bit the highest.
        function symbol(code) {
            let value = 0;
            let first = 0;
            let index = 0;
            for (let length = 1; length < 16; ++length) {
                value |= bits(1);
                const count = code.counts[length];
                if (value < first + count)
                    return code.symbols[index + value - first];
                index += count;
                first = (first + count) << 1;
                value <<= 1;
            }
            throw new Error('inflate: no such code');
        }

        function put(byte) {
            if (size === output.length) {
                const larger = new Uint8Array(output.length * 2);
                larger.set(output);
                output = larger;
            }
            output[size++] = byte;
        }

        // The literal/length and distance codes of a dynamic block.
        function dynamicCodes() {
            const literals = bits(5) + 257;
            const distances = bits(5) + 1;
            const lengthCodes = bits(4) + 4;
            const codeLengths = filled(19, 0);
            for (let i = 0; i < lengthCodes; ++i)
                codeLengths[LENGTH_ORDER[i]] = bits(3);
            const lengthCode = huffman(codeLengths);
            const lengths = [];
            while (lengths.length < literals + distances) {
                const next = symbol(lengthCode);
                if (next < 16) {
                    lengths.push(next);
                } else if (next === 16) {
                    if (lengths.length === 0)
                        throw new Error('inflate: a repeat with nothing before it');
                    lengths.push.apply(lengths, filled(3 + bits(2), lengths[lengths.length - 1]));
                } else {
                    lengths.push.apply(lengths, filled(next === 17 ? 3 + bits(3) : 11 + bits(7), 0));
                }
            }
            if (lengths.length > literals + distances)
                throw new Error('inflate: too many code lengths');
            return [huffman(lengths.slice(0, literals)), huffman(lengths.slice(literals))];
        }

        let last = 0;
        while (!last) {
            last = bits(1);
            const type = bits(2);
            if (type === 0) {
                // Stored: from the next whole byte, its length, the length's complement, the bytes.
                if (used > 0) {
                    used = 0;
                    ++position;
                }
                if (position + 4 > input.length)
                    throw new Error('inflate: the data ends early');
                const length = input[position] | (input[position + 1] << 8);
                if ((length ^ (input[position + 2] | (input[position + 3] << 8))) !== 0xFFFF)
                    throw new Error('inflate: a stored block of two lengths');
                position += 4;
                if (position + length > input.length)
                    throw new Error('inflate: the data ends early');
                for (let i = 0; i < length; ++i)
                    put(input[position + i]);
                position += length;
                continue;
            }
            if (type === 3)
                throw new Error('inflate: no such block type');
            const codes = type === 1 ? [FIXED_LITERALS, FIXED_DISTANCES] : dynamicCodes();
            for (;;) {
                const next = symbol(codes[0]);
                if (next < 256) {
                    put(next);
                    continue;
                }
                if (next === 256)
                    break;
                if (next - 257 >= LENGTH_BASE.length)
                    throw new Error('inflate: no such length');
                const length = LENGTH_BASE[next - 257] + bits(LENGTH_EXTRA[next - 257]);
                const code = symbol(codes[1]);
                if (code >= DISTANCE_BASE.length)
                    throw new Error('inflate: no such distance');
                const distance = DISTANCE_BASE[code] + bits(DISTANCE_EXTRA[code]);
                if (distance > size)
                    throw new Error('inflate: a distance before the start');
                for (let i = 0; i < length; ++i)
                    put(output[size - distance]);
            }
        }
        return output.slice(0, size);
    };
})();
