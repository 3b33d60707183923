// SPDX-License-Identifier: MIT
// Font choice with a check of the glyphs actually present: Qt would silently borrow missing glyphs
// from other fonts, mixing faces within one word.
#include "window_font.h"

#include "design.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace {

// Families drawn to the metrics of Times New Roman or of Times, so text fits its boxes as designed:
// Liberation Serif and Tinos, and URW's Nimbus Roman under the names it has carried (fontconfig also
// answers "Times" with it). Only those with Cyrillic letters are taken.
constexpr std::array<std::string_view, 7> kMetricTwins = {"Times New Roman", "Liberation Serif",   "Tinos",
                                                          "Nimbus Roman",    "Nimbus Roman No9 L", "Times",
                                                          "TeX Gyre Termes"};
static_assert(kMetricTwins.front() == design::kFontFamily);
// Further serifs that write Cyrillic, in order of preference, where no twin is installed.
constexpr std::array<std::string_view, 5> kOtherSerifs = {"PT Serif", "Noto Serif", "DejaVu Serif",
                                                          "FreeSerif", "Linux Libertine O"};

QStringList familiesOf(std::span<const std::string_view> names)
{
    QStringList families;
    for (const auto name : names)
        families += QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return families;
}

// Families that stand in for Times New Roman with the same metrics, so the layout stays as designed.
const QStringList& metricTwins()
{
    static const QStringList twins = familiesOf(kMetricTwins);
    return twins;
}

const QStringList& otherSerifs()
{
    static const QStringList serifs = familiesOf(kOtherSerifs);
    return serifs;
}

QFont fontOf(const QString& family)
{
    QFont font(family, design::kFontPointSize);
    font.setStyleHint(QFont::Serif);
    return font;
}

// Qt names a family that two foundries both install "C059 [UKWN]"; the student and the notice need
// only "C059".
QString withoutFoundry(const QString& family)
{
    const qsizetype bracket = family.indexOf(u'[');
    return bracket < 0 ? family : family.left(bracket).trimmed();
}

QString usedFamily(const QFont& font)
{
    return withoutFoundry(QFontInfo(font).family());
}

bool isTwin(const QString& family)
{
    return metricTwins().contains(withoutFoundry(family), Qt::CaseInsensitive);
}

// Every character the window can show, worked out only when a font's glyphs have to be checked.
const QString& shownCharacters()
{
    static const QString characters = QString::fromStdString(design::shownCharacters());
    return characters;
}

// Fontconfig says a family writes Cyrillic when it has the whole Russian alphabet, and so every
// Bulgarian letter; Times New Roman's twins have all of ASCII besides, so only other families have
// their glyphs checked one by one.
bool covers(const QFont& font)
{
    const QString family = usedFamily(font);
    return QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic) &&
           (isTwin(family) || missingCharacters(font, shownCharacters()).isEmpty());
}

} // namespace

QString missingCharacters(const QFont& font, const QString& characters)
{
    const QFontMetrics metrics(font);
    QString missing;
    for (const QChar c : characters)
        if (!c.isSpace() && !metrics.inFont(c) && !missing.contains(c))
            missing += c;
    return missing;
}

FontChoice chooseWindowFont()
{
    const QString designed = QString::fromUtf8(design::kFontFamily);
    const auto choose = [&](const QString& family) -> std::optional<FontChoice> {
        // Asked for by a family's own name: a name that fontconfig only answers with another family
        // ("Times New Roman" with Liberation Serif) would be looked up again, at some cost, for every
        // script the window writes in.
        const QFont font = fontOf(family);
        if (!covers(font))
            return std::nullopt;
        const QString used = withoutFoundry(family);
        if (isTwin(used))
            return FontChoice{font, {}};
        return FontChoice{font,
                          QString("%1 is not installed; the window uses %2 instead, so text may not fit "
                                  "its boxes exactly (on Debian: apt-get install fonts-liberation2).")
                              .arg(designed, used)};
    };

    // Only a family that is really installed counts: fontconfig answers every name with something.
    const QStringList installed = QFontDatabase::families();
    // The designed family comes first among its twins.
    for (const QString& wanted : metricTwins() + otherSerifs())
        for (const QString& family : installed)
            if (withoutFoundry(family).compare(wanted, Qt::CaseInsensitive) == 0)
                if (auto choice = choose(family))
                    return *choice;
    // Where the usual serifs are missing: any other serif that writes Cyrillic, then any font that does.
    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const bool serifOnly : {true, false})
        for (const QString& family : cyrillic)
            if (!serifOnly || (family.contains("Serif", Qt::CaseInsensitive) &&
                               !family.contains("Sans", Qt::CaseInsensitive)))
                if (auto choice = choose(family))
                    return *choice;

    const QFont font = fontOf(designed);
    if (usedFamily(font).isEmpty())
        return {font, "no font is installed, so the window cannot show its text (on Debian: apt-get install "
                      "fonts-liberation2)."};
    return {font, QString("no installed font shows every character of the window; using %1, which "
                          "lacks \"%2\" (on Debian: apt-get install fonts-liberation2).")
                      .arg(usedFamily(font), missingCharacters(font, shownCharacters()))};
}
