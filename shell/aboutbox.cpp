#include "shell/aboutbox.h"

#include "forms/designs.h"

#include <QPushButton>

namespace tolvaren {

AboutBox::AboutBox(QWidget *parent) : DialogForm(design::aboutForm(), parent)
{
    if (auto *ok = m_built.as<QPushButton>(QStringLiteral("cmdOK"))) {
        ok->setAccessibleDescription(QStringLiteral("Close this box"));
        connect(ok, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);
    }
}

// OK is also the cancel button: QDialog sends Escape to reject(), which
// closes the box the same way.
void AboutBox::cmdOK_Click() { accept(); }

} // namespace tolvaren
