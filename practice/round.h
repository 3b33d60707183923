// SPDX-License-Identifier: MIT
// A round of the practice: ten resistors to read, to choose and to judge, the same ten for the same
// round number in every edition of the program.
#pragma once

#include "bands.h"
#include "forms.h"
#include "resistance.h"

#include <array>
#include <cstdint>

namespace practice {

// The rounds' generator: SplitMix64 (Steele, Lea and Flood, "Fast splittable pseudorandom number
// generators", 2014). Each output adds 0x9E3779B97F4A7C15 to a 64-bit state and mixes the state with
// two multiplications and three shifts; `below(n)` is the next output modulo n. Written out here
// rather than taken from <random>, whose distributions differ from one standard library to another:
// a round number gives the same resistors on Linux, on Windows and in the browser.
class Generator {
public:
    explicit constexpr Generator(std::uint64_t seed) : m_state(seed) {}

    constexpr std::uint64_t next()
    {
        m_state += 0x9E3779B97F4A7C15U;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
        return z ^ (z >> 31U);
    }

    constexpr int below(int count) { return static_cast<int>(next() % static_cast<std::uint64_t>(count)); }

private:
    std::uint64_t m_state;
};

// What the student does with a resistor: reads its nominal value from the bands, chooses the bands
// of a given value, or works out an end of its tolerance range.
enum class Kind { Read, Choose, Limits };

using Bands = std::array<forms::Index, bands::kBandCount>;

struct Task {
    Kind kind = Kind::Read;
    // The resistor, as the position of its colour in each band's colour list.
    Bands bands{};
    // For Limits: the largest value the tolerance allows, rather than the smallest.
    bool upper = false;
    friend constexpr bool operator==(const Task&, const Task&) = default;
};

inline constexpr int kTasksPerRound = 10;
inline constexpr int kFirstRound = 1;
inline constexpr int kLastRound = 9999;
using Round = std::array<Task, kTasksPerRound>;

// The ten tasks of round `number` (kFirstRound to kLastRound): each kind at least twice, in an order
// of the generator's, no resistor twice. Real resistors: two significant digits from E24 with a gold
// band (±5%) or, less often, brown (±1%) or red (±2%), or from E12 with a silver band (±10%); a
// multiplier from black to green, so values from 10 Ω to 9,1 MΩ.
Round makeRound(int number);

// The two significant digits, 10 to 99.
int significant(const Bands& resistor);
Milliohms nominal(const Bands& resistor);
// The tolerance in hundredths of a per cent: 500 for ±5%.
int toleranceHundredths(const Bands& resistor);
// The ends of the tolerance range.
Milliohms lowest(const Bands& resistor);
Milliohms highest(const Bands& resistor);

// The value a Read or Limits task asks for.
Milliohms expected(const Task& task);

} // namespace practice
