#include "app/cv_common.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace lxt {

namespace {

void SetFamily(QWidget* widget, const QString& fontName) {
    QFont font = widget->font();
    font.setFamily(fontName);
    widget->setFont(font);
}

bool IsTextBox(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) != nullptr ||
           qobject_cast<const QTextEdit*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr;
}

// Frames, buttons (push, check and option), labels and combo boxes.
bool IsFormControl(const QWidget* widget) {
    return qobject_cast<const QGroupBox*>(widget) != nullptr ||
           qobject_cast<const QAbstractButton*>(widget) != nullptr ||
           qobject_cast<const QLabel*>(widget) != nullptr ||
           qobject_cast<const QComboBox*>(widget) != nullptr;
}

}  // namespace

bool SetFocusIfPossible(QWidget* control) {
    if (control == nullptr || !control->isVisible() || !control->isEnabled()) return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

void SetFormFonts(QWidget* form, const QString& fontName, bool includeTextBoxes,
                  bool includeButtons) {
    const QList<QWidget*> widgets = form->findChildren<QWidget*>();
    // A family set on a frame passes to its children that have none of their own: text
    // boxes that are left out keep their present family explicitly first.
    for (QWidget* widget : widgets) {
        if (IsTextBox(widget) && !includeTextBoxes) SetFamily(widget, widget->font().family());
    }
    for (QWidget* widget : widgets) {
        if (IsFormControl(widget) || (includeTextBoxes && IsTextBox(widget))) {
            SetFamily(widget, fontName);
        }
    }
    if (includeButtons) {
        for (QWidget* widget : widgets) {
            if (qobject_cast<QAbstractButton*>(widget) != nullptr) SetFamily(widget, fontName);
        }
    }
}

}  // namespace lxt
