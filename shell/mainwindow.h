#pragma once

#include "runtime/forms.h"

#include <QFont>
#include <QList>
#include <QMainWindow>
#include <QTimer>

class QMdiArea;

namespace tolvaren {

// The frame of the program: an MDI parent with the File and Help menus that
// holds one child form at a time.
class MainWindow : public QMainWindow, public Loadable {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget *parent = nullptr);

    QMdiArea *mdiArea() const { return m_mdi; }

    // Start-up: the welcome form maximised inside, the frame at its size.
    void MDIForm_Load();

    // The fonts the window shows at start-up: the menu bar's and the
    // welcome form's.
    static QList<QFont> firstFonts();

    void prefconv_Click();
    void refmem_Click();
    void origsize_Click();
    void exx_Click();
    void hlptop_Click();
    void about_Click();

    // Outer size in twips: border, title bar and menu bar included.
    void setOuterSize(int widthTwips, int heightTwips);

    private:
    void buildMenus();
    void fitOuterSize();

    QMdiArea *m_mdi = nullptr;
    QSize m_outerPx;
    QSize m_fittedDecoration;
    QTimer m_frameTimer;
    int m_frameTicks = 0;
};

// Registers every form of the program by name; `main` parents the modal ones.
void registerForms(MainWindow *main);

} // namespace tolvaren
