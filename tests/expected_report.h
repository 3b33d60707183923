// SPDX-License-Identifier: MIT
// The report a student expects after "Изчисли", written out line by line.
#pragma once

#include <QString>

inline const QString kNotChosen = QStringLiteral("не е посочена!");

inline QString expectedReport(const QString& digits, const QString& nominal, const QString& tolerance)
{
    return "Избрана стойност: " + digits + "\r\nНоминал: " + nominal + "\r\nТочност: " + tolerance + "\r\n";
}
