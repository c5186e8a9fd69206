#include "app/window_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace lxt {

namespace {

constexpr char kAccessibleWindowProperty[] = "lxtAccessibleWindow";

// The window's title is its name, as a screen reader reads a window.
class AccessibleWindow : public QAccessibleWidget {
  public:
    explicit AccessibleWindow(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Window) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? widget()->windowTitle() : name;
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* WindowFactory(const QString&, QObject* object) {
    if (object == nullptr || !object->isWidgetType() ||
        !object->property(kAccessibleWindowProperty).toBool()) {
        return nullptr;
    }
    return new AccessibleWindow(static_cast<QWidget*>(object));
}

}  // namespace

void MakeAccessibleWindow(QWidget& window) {
    static const bool installed = [] {
        QAccessible::installFactory(WindowFactory);
        return true;
    }();
    Q_UNUSED(installed);
    window.setProperty(kAccessibleWindowProperty, true);
}

}  // namespace lxt
