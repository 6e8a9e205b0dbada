// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/aboutbox.h"

#include "forms/designs.h"

#include <QPushButton>

namespace tolvaren {

AboutBox::AboutBox(QWidget *parent) : DialogForm(design::aboutForm(), parent)
{
    // OK is also what Escape does: QDialog sends Escape to reject(), which
    // closes the box the same way.
    if (auto *ok = m_built.withRole<QPushButton>(design::Role::Ok))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tolvaren
