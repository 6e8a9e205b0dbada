// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/aboutbox.h"

#include "forms/designs.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace tolvaren {

AboutBox::AboutBox(QWidget *parent) : DialogForm(design::aboutForm(), parent)
{
    // OK is also what Escape does: QDialog sends Escape to reject(), which
    // closes the box the same way.
    connect(m_built.withRole<QPushButton>(design::Role::Ok), &QPushButton::clicked, this, &QDialog::accept);
    // Readers read a box as it opens by its texts of three words or more,
    // in the order they are seen; the title, "Tolvaren v1.10" to the eye, is
    // two and would be passed over. Said with the version spelled out, it
    // comes first, where it is seen.
    findChild<QLabel *>(QStringLiteral("lblTitle"))
        ->setAccessibleName(QApplication::applicationName() + QStringLiteral(" version ") +
                            QApplication::applicationVersion());
}

} // namespace tolvaren
