#include "runtime/msgbox.h"

#include "runtime/appinfo.h"

#include <QApplication>
#include <QMessageBox>

namespace tolvaren {

namespace {

MsgBoxHook &hook()
{
    static MsgBoxHook h;
    return h;
}

QMessageBox::Icon iconFor(int flags)
{
    switch (flags & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

void MsgBox(const QString &prompt, int flags, const QString &title)
{
    if (hook()) {
        hook()({prompt, flags, title});
        return;
    }
    QMessageBox box(iconFor(flags), title, prompt, QMessageBox::Ok, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setAccessibleName(title);
    box.setAccessibleDescription(prompt);
    box.exec();
}

void showOverflowError() { MsgBox(QStringLiteral("Overflow"), vbCritical, QString::fromUtf8(kProgramCaption)); }

void setMsgBoxHook(MsgBoxHook h) { hook() = std::move(h); }

} // namespace tolvaren
