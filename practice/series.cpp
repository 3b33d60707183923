// SPDX-License-Identifier: MIT
// The sentence that names a value's standard series.
#include "series.h"

#include <algorithm>
#include <vector>

namespace practice {

std::string seriesSentence(std::string_view value, int significant)
{
    std::vector<std::string_view> names;
    for (const Series& series : kSeries)
        if (std::find(series.values.begin(), series.values.end(), significant) != series.values.end())
            names.push_back(series.name);
    std::string text(value);
    if (names.empty())
        return text.append(" не е стандартна стойност от редовете E6, E12 и E24.");
    text.append(names.size() == 1 ? " е стандартна стойност от реда "
                                  : " е стандартна стойност от редовете ");
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            text.append(i + 1 == names.size() ? " и " : ", ");
        text.append(names[i]);
    }
    return text.append(".");
}

} // namespace practice
