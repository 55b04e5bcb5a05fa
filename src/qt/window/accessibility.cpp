#include "qt/window/accessibility.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "qt/charts/chart_view.h"
#include "qt/window/announcer.h"
#include "qt/window/slider_bar.h"

namespace vorn {
namespace {

/// A slider: its name is the caption's words, its value text what its tooltip says.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    explicit SliderAccessible(SliderBar* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value) {
            return slider()->positionText();
        }
        return QAccessibleWidget::text(kind);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider()->maximum(); }
    QVariant minimumValue() const override { return slider()->minimum(); }
    QVariant minimumStepSize() const override { return slider()->singleStep(); }

  private:
    SliderBar* slider() const { return static_cast<SliderBar*>(widget()); }
};

QAccessibleInterface* windowControls(const QString& /*className*/, QObject* object) {
    if (auto* slider = qobject_cast<SliderBar*>(object)) {
        return new SliderAccessible(slider);
    }
    if (auto* chart = qobject_cast<ChartView*>(object)) {
        return new QAccessibleWidget(chart, QAccessible::Chart);
    }
    if (auto* announcer = qobject_cast<Announcer*>(object)) {
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static bool installed = false;
    if (!installed) {
        installed = true;
        QAccessible::installFactory(windowControls);
    }
}

}  // namespace vorn
