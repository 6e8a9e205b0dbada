// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/aboutbox.h"

#include "forms/designs.h"

#include <QLabel>
#include <QPushButton>

namespace tolvaren {

AboutBox::AboutBox(QWidget *parent) : DialogForm(design::aboutForm(), parent)
{
    // OK is also what Escape does: QDialog sends Escape to reject(), which
    // closes the box the same way.
    connect(m_built.withRole<QPushButton>(design::Role::Ok), &QPushButton::clicked, this, &QDialog::accept);
    // The title is drawn as a label, which readers pass over when they read
    // the box as it opens: it is the box's description, said with its name.
    setAccessibleDescription(findChild<QLabel *>(QStringLiteral("lblTitle"))->text());
}

} // namespace tolvaren
