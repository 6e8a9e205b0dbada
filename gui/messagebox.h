// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace tolvaren {

enum class MessageIcon { Critical, Warning, Information };

struct Message {
    MessageIcon icon;
    QString title;
    QString text;
};

// A modal message box with a single OK button; returns when it is
// dismissed. The box belongs to the active window (else the modal one open,
// else the main window), has a title and a close button only, and nothing else takes input
// meanwhile.
void showMessage(MessageIcon icon, const QString &title, const QString &text);

// Shows `window`, made on the heap, as the program shows every box and
// dialog, and returns when it has closed: nothing else takes input
// meanwhile, the closed window is left to go when readers are done with it,
// and `behind` (if any) takes the keyboard back.
void showModal(QDialog *window, QWidget *behind);

// Refuses what the user typed into `atFault`: a critical box, then the
// focus back on that control with its text selected, so the correction can
// be typed at once.
void refuseInput(QWidget *atFault, const QString &title, const QString &text);

// Tests replace the real box with a hook; an empty hook restores it.
using MessageHook = std::function<void(const Message &)>;
void setMessageHook(MessageHook hook);

} // namespace tolvaren
