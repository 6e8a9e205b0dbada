#pragma once

#include "forms/builder.h"
#include "forms/design.h"
#include "runtime/forms.h"

#include <QWidget>

namespace tolvaren {

// A window built from its design: the base of the welcome form and the six
// converter forms. It paints the designed background picture and gives the
// focus to the first control in tab order when it opens.
class FormWidget : public QWidget, public Loadable {
    Q_OBJECT
  public:
    explicit FormWidget(const design::Form &design, QWidget *parent = nullptr);

    const BuiltForm &controls() const { return m_built; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

    BuiltForm m_built;

  private:
    QImage m_background;
};

} // namespace tolvaren
