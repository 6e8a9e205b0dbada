#include "gui/messagebox.h"

#include "gui/application.h"

#include <QApplication>
#include <QMessageBox>

namespace tolvaren {

namespace {

MessageHook &hook()
{
    static MessageHook h;
    return h;
}

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void showMessage(MessageIcon icon, const QString &title, const QString &text)
{
    if (hook()) {
        hook()({icon, title, text});
        return;
    }
    QMessageBox box(toQt(icon), title, text, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setAccessibleName(title);
    box.setAccessibleDescription(text);
    box.exec();
}

void showOverflowError()
{
    showMessage(MessageIcon::Critical, QString::fromUtf8(kProgramCaption), QStringLiteral("Overflow"));
}

void setMessageHook(MessageHook h) { hook() = std::move(h); }

} // namespace tolvaren
