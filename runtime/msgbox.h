#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tolvaren {

// The flags the program passes: one OK button and one of these icons.
enum MsgBoxFlags { vbCritical = 16, vbExclamation = 48, vbInformation = 64 };

struct MsgBoxCall {
    QString prompt;
    int flags = 0;
    QString title;
};

// A modal message box with a single OK button; returns when it is
// dismissed. The box is parented to the active window so that nothing else
// takes input meanwhile.
void MsgBox(const QString &prompt, int flags, const QString &title);

// The overflow error: a critical box titled with the program's caption. The
// program carries on afterwards.
void showOverflowError();

// Tests replace the real box with a hook; an empty hook restores it.
using MsgBoxHook = std::function<void(const MsgBoxCall &)>;
void setMsgBoxHook(MsgBoxHook hook);

} // namespace tolvaren
