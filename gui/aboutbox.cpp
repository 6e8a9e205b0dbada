// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#include "gui/aboutbox.h"

#include "forms/designs.h"
#include "gui/announce.h"
#include "gui/version.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace tolvaren {

AboutBox::AboutBox(QWidget *parent) : DialogForm(design::aboutForm(), parent)
{
    // OK is also what Escape does: QDialog sends Escape to reject(), which
    // closes the box the same way.
    if (auto *ok = m_built.withRole<QPushButton>(design::Role::Ok))
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // The title names the version this program was built as. The design
    // draws the same text; the build checks that it names this version.
    if (auto *title = findChild<QLabel *>(QStringLiteral("lblTitle")))
        title->setText(QStringLiteral("Tolvaren   v" TOLVAREN_VERSION));
}

// The title is drawn as a label, which a reader meets only by reading the
// screen: it is said when the box opens, once the focus is on OK.
void AboutBox::showEvent(QShowEvent *event)
{
    DialogForm::showEvent(event);
    if (auto *title = findChild<QLabel *>(QStringLiteral("lblTitle")))
        QTimer::singleShot(0, this, [this, title] { announce(this, title->text()); });
}

} // namespace tolvaren
