// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/fonts.h"

#include <QFont>
#include <QStringList>

namespace tolvaren {

void installFontSubstitutes()
{
    struct Substitute {
        const char *face;
        const char *standIn;
    };
    static constexpr Substitute substitutes[] = {
        {"MS Sans Serif", "Liberation Sans"}, {"Arial", "Liberation Sans"}, {"NewZurica", "Liberation Sans"},
        {"Arial Black", "DejaVu Sans"},       {"Moderne", "DejaVu Serif"},  {"Times New Roman", "Liberation Serif"},
        {"OCR A Extended", "OCRA"},           {"Rockwell", "Roboto Slab"},
    };
    for (const Substitute &s : substitutes)
        QFont::insertSubstitutions(QString::fromLatin1(s.face),
                                   QStringList() << QString::fromLatin1(s.standIn) << QStringLiteral("DejaVu Sans"));
}

} // namespace tolvaren
