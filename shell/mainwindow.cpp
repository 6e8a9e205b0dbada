#include "shell/mainwindow.h"

#include "categories/category.h"
#include "convert/converterform.h"
#include "convert/memory.h"
#include "convert/selectionform.h"
#include "forms/builder.h"
#include "forms/designs.h"
#include "prefix/prefixdialog.h"
#include "runtime/appinfo.h"
#include "runtime/msgbox.h"
#include "runtime/qtext.h"
#include "runtime/twips.h"
#include "shell/aboutbox.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QPixmapCache>

namespace tolvaren {

namespace {

constexpr int kOuterWidthTwips = 4980;
constexpr int kOuterHeightTwips = 4500;
} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    // Styles name every pixmap they cache after the palette of the control
    // they drew, and Qt 6.4 keeps those names for good: with every converter
    // form bringing new palettes, each category switch would leave kilobytes
    // behind. Nothing here is drawn often enough to need the cache.
    QPixmapCache::setCacheLimit(0);

    const design::Form &d = design::mainForm();
    setObjectName(qstr(d.name));
    setWindowTitle(qstr(d.caption));
    setWindowIcon(loadIcon(d.icon));
    m_mdi = new QMdiArea(this);
    m_mdi->setBackground(systemColour(d.backSystem));
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    buildMenus();
    m_frameTimer.setInterval(50);
    connect(&m_frameTimer, &QTimer::timeout, this, &MainWindow::fitOuterSize);
    resize(twipsToPixels(d.clientWidth), twipsToPixels(d.clientHeight));
}

void MainWindow::buildMenus()
{
    QMenu *menu = nullptr;
    std::string_view current;
    for (const design::MenuItem &item : design::mainMenu()) {
        if (!menu || item.menuName != current) {
            current = item.menuName;
            menu = menuBar()->addMenu(qstr(item.menuCaption));
            menu->setObjectName(qstr(item.menuName));
        }
        if (item.caption == "-") {
            menu->addSeparator()->setObjectName(qstr(item.name));
            continue;
        }
        QAction *action = menu->addAction(qstr(item.caption));
        action->setObjectName(qstr(item.name));
    }

    const std::pair<const char *, void (MainWindow::*)()> handlers[] = {
        {"prefconv", &MainWindow::prefconv_Click}, {"refmem", &MainWindow::refmem_Click},
        {"origsize", &MainWindow::origsize_Click}, {"exx", &MainWindow::exx_Click},
        {"hlptop", &MainWindow::hlptop_Click},     {"about", &MainWindow::about_Click},
    };
    for (const auto &[name, handler] : handlers)
        if (auto *action = menuBar()->findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
}

void MainWindow::MDIForm_Load()
{
    Forms &forms = Forms::instance();
    forms.show(QStringLiteral("Selection"));
    forms.maximize(QStringLiteral("Selection"));
    setOuterSize(kOuterWidthTwips, kOuterHeightTwips);
}

void MainWindow::setOuterSize(int widthTwips, int heightTwips)
{
    if (isMaximized() || isMinimized() || isFullScreen())
        showNormal();
    m_outerPx = QSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    m_fittedDecoration = frameGeometry().size() - geometry().size();
    resize(m_outerPx - m_fittedDecoration);
    // A window manager reports the frame's thickness some time after the
    // window is mapped; fit again if it turns out other than assumed.
    m_frameTicks = 0;
    m_frameTimer.start();
}

void MainWindow::fitOuterSize()
{
    const QSize decoration = frameGeometry().size() - geometry().size();
    if (decoration != m_fittedDecoration) {
        m_fittedDecoration = decoration;
        resize(m_outerPx - decoration);
        m_frameTimer.stop();
    } else if (++m_frameTicks > 40) {
        m_frameTimer.stop();
    }
}

void MainWindow::prefconv_Click() { Forms::instance().showModal(QStringLiteral("Prefix")); }

void MainWindow::refmem_Click() { conversionMemory().clear(); }

void MainWindow::origsize_Click() { setOuterSize(kOuterWidthTwips, kOuterHeightTwips); }

void MainWindow::exx_Click() { QApplication::quit(); }

void MainWindow::hlptop_Click()
{
    MsgBox(QStringLiteral("Help Topics can be found in: tolvhelp.html in the same directory"), vbInformation,
           QStringLiteral("Help Topics"));
}

void MainWindow::about_Click() { Forms::instance().showModal(QStringLiteral("frmAbout")); }

QList<QFont> MainWindow::firstFonts()
{
    QList<QFont> fonts{QApplication::font("QMenuBar")};
    fonts += formFonts(design::selectionForm());
    return fonts;
}

void registerForms(MainWindow *main)
{
    Forms &forms = Forms::instance();
    forms.setMdiArea(main->mdiArea());
    forms.registerForm(
        QStringLiteral("Selection"), [] { return new SelectionForm(design::selectionForm()); }, true);
    for (CategoryId id : allCategories()) {
        const Category &c = category(id);
        const design::Form *d = design::form(c.formName);
        Q_ASSERT(d);
        forms.registerForm(
            qstr(c.formName), [d, &c] { return new ConverterForm(*d, c); }, true);
    }
    forms.registerForm(
        QStringLiteral("Prefix"), [main] { return new PrefixDialog(main); }, false);
    forms.registerForm(
        QStringLiteral("frmAbout"), [main] { return new AboutBox(main); }, false);
}

} // namespace tolvaren
