// SPDX-License-Identifier: MIT
// The shared report oracle in the Qt tests' own terms.
#pragma once

#include "expected_report.h"

#include <QString>

inline const QString kNotChosen = QString::fromUtf8(oracle::kNotChosen.data(), oracle::kNotChosen.size());

inline QString expectedReport(const QString& digits, const QString& nominal, const QString& tolerance)
{
    return QString::fromStdString(
        oracle::report(digits.toStdString(), nominal.toStdString(), tolerance.toStdString()));
}
