// SPDX-FileCopyrightText: 2026 Tolvaren developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/design.h"
#include "gui/builder.h"

#include <QWidget>

namespace tolvaren {

// A child window built from its design: the base of the welcome form and the
// converter forms. It paints the designed background picture, gives the
// focus to the first control in tab order each time it opens, and asks for
// another measurement type when one of its category buttons is pressed.
class FormWidget : public QWidget {
    Q_OBJECT
  public:
    explicit FormWidget(const design::Form &design, QWidget *parent = nullptr);

    // The form is built once and shown again and again: called before each
    // showing, it makes the form as it first opened. The focus goes to the
    // first control as it shows.
    virtual void prepareOpening();

  signals:
    void categoryRequested(const tolvaren::Category &category);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

    BuiltForm m_built;

  private:
    // The pictures drawn for the screen the form is on, and again when it
    // comes onto a screen of another scale.
    void drawPictures();

    const design::Form &m_design;
    qreal m_pictureRatio;
    QImage m_background;
    bool m_opening = true;
};

} // namespace tolvaren
