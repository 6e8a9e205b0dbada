// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>

namespace tolvaren {

// The keys a classic desktop user expects, for every window of the program:
// a text box or editable list that gets the focus from the keyboard or
// because its form opened selects its text, so typing replaces it (a
// read-only box selects nothing); Ctrl+Left and Ctrl+Right move by words
// of non-blank characters; a chord with Alt or the logo key types nothing
// into a text box (the menus have no access keys); Alt pressed and released
// alone, or F10, opens the first menu of the window's menu bar. Installed
// once on the application.
class ClassicKeys : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    bool m_lonelyAlt = false; // Alt is down and no other key came since
};

} // namespace tolvaren
