#include "fixture.h"

#include "convert/converterform.h"
#include "runtime/fonts.h"
#include "shell/mainwindow.h"
#include "shell/startupwarmer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <memory>
#include <thread>

namespace tolvaren::testing {

bool Program::start()
{
    static const bool fonts = (installFontSubstitutes(), true);
    Q_UNUSED(fonts);
    boxes.clear();
    setMsgBoxHook([this](const MsgBoxCall &call) { boxes << call; });
    main = new MainWindow;
    registerForms(main);
    main->MDIForm_Load();
    main->show();
    QApplication::setActiveWindow(main);
    return QTest::qWaitForWindowExposed(main);
}

void Program::stop()
{
    Forms::instance().unloadAll();
    delete main;
    main = nullptr;
    setMsgBoxHook({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QAction *menuAction(MainWindow *main, const char *name)
{
    return main->menuBar()->findChild<QAction *>(QLatin1String(name));
}

ConverterForm *openConverter(const QString &form)
{
    const int index = kButtonsOpen.value(QStringLiteral("Selection")).indexOf(form);
    auto *button = control<QPushButton>(QStringLiteral("Selection"), QStringLiteral("Command%1").arg(index + 1));
    if (!button)
        return nullptr;
    click(button);
    return qobject_cast<ConverterForm *>(Forms::instance().loadedForm(form));
}

void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); }

void type(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

void chooseUnit(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0) {
        list->setCurrentIndex(index);
        return;
    }
    list->lineEdit()->clear();
    QTest::keyClicks(list->lineEdit(), text);
}

void convertOn(ConverterForm *form, const QString &input, const QString &from, const QString &to)
{
    type(form->inputBox(), input);
    chooseUnit(form->fromList(), from);
    chooseUnit(form->toList(), to);
    click(form->findChild<QPushButton *>(QStringLiteral("Command1")));
}

void settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList boxTexts(const QList<MsgBoxCall> &boxes)
{
    QStringList texts;
    for (const MsgBoxCall &b : boxes)
        texts << QStringLiteral("%1 | %2 | %3").arg(b.prompt, QString::number(b.flags), b.title);
    return texts;
}

QStringList fourTexts(const ConverterForm *form)
{
    return {form->inputBox()->text(), form->fromList()->currentText(), form->toList()->currentText(),
            form->outputBox()->text()};
}

QStringList allTexts(const QWidget *form)
{
    QStringList texts;
    for (const QWidget *w : form->findChildren<QWidget *>()) {
        if (auto *edit = qobject_cast<const QLineEdit *>(w); edit && !qobject_cast<QComboBox *>(edit->parent()))
            texts << w->objectName() + '=' + edit->text();
        else if (auto *list = qobject_cast<const QComboBox *>(w))
            texts << w->objectName() + '=' + list->currentText();
        else if (auto *label = qobject_cast<const QLabel *>(w))
            texts << w->objectName() + '=' + label->text();
    }
    return texts;
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    // An editable list's own edit field holds the focus for the list.
    if (w && qobject_cast<QComboBox *>(w->parentWidget()) && qobject_cast<QLineEdit *>(w))
        w = w->parentWidget();
    return w ? w->objectName() : QString();
}

bool driveModal(const std::function<void()> &open, const std::function<void(QWidget *)> &drive, int timeoutMs)
{
    bool driven = false;
    bool rescued = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (driven || !modal || !modal->isVisible())
            return;
        driven = true;
        poll.stop();
        QPointer<QWidget> guard(modal);
        drive(modal);
        // A drive that stopped early (a failed check) must not leave the
        // window open.
        if (guard && guard->isVisible()) {
            rescued = true;
            guard->close();
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        rescued = true;
        for (int i = 0; i < 10; ++i) {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal)
                break;
            modal->close();
        }
        // A dialog running its own loop without being modal.
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QDialog *>(w); dialog && dialog->isVisible())
                dialog->reject();
    });
    poll.start();
    watchdog.start(timeoutMs);
    open();
    poll.stop();
    watchdog.stop();
    return driven && !rescued;
}

bool exitEndsTheLoop(MainWindow *main, int timeoutMs)
{
    QTimer::singleShot(0, main, [main] { menuAction(main, "exx")->trigger(); });
    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&timedOut] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(timeoutMs);
    const int rc = QApplication::exec();
    return rc == 0 && !timedOut;
}

bool finishesWithin(StartupWarmer *warmer, int timeoutMs)
{
    auto finished = std::make_shared<std::atomic<bool>>(false);
    std::thread([warmer, finished] {
        warmer->finish();
        *finished = true;
    }).detach();
    return QTest::qWaitFor([&] { return finished->load(); }, timeoutMs);
}

} // namespace tolvaren::testing
