#include "convert/categoryswitch.h"

#include "forms/builder.h"
#include "runtime/forms.h"
#include "runtime/qtext.h"

#include <QAbstractButton>

namespace tolvaren {

void switchCategory(QWidget *button, const QString &targetForm)
{
    Forms &forms = Forms::instance();
    forms.unloadOwner(button);
    // From here on only the target form is touched.
    forms.show(targetForm);
    forms.maximize(targetForm);
}

void connectCategoryButtons(const design::Form &form, const BuiltForm &built)
{
    for (const design::Control &c : form.controls) {
        if (c.opensForm.empty())
            continue;
        auto *button = built.as<QAbstractButton>(qstr(c.name));
        if (!button)
            continue;
        const QString target = qstr(c.opensForm);
        if (const design::Form *targetDesign = design::form(c.opensForm))
            button->setAccessibleDescription(
                QStringLiteral("Open the %1 converter").arg(qstr(targetDesign->caption).toLower()));
        QObject::connect(button, &QAbstractButton::clicked, button,
                         [button, target] { switchCategory(button, target); });
    }
}

} // namespace tolvaren
