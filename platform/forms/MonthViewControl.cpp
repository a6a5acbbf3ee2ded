#include "MonthViewControl.h"

#include "KeyCodes.h"
#include "KeyPropagation.h"
#include "platform/com/RuntimeError.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QPointer>
#include <QTextCharFormat>

namespace forms {

class MonthViewControl::Hooks : public QObject {
public:
    explicit Hooks(MonthViewControl* control) : control(control) {}

    MonthViewControl* control;
    QPointer<QCalendarWidget> calendar;
    QPointer<QAbstractItemView> days;
    QDate value;
    QDate minDate;
    bool doubleClicking = false;
    KeyPropagation propagation;

    void greyDaysBeforeMin() {
        if (!calendar)
            return;
        calendar->setDateTextFormat(QDate(), QTextCharFormat());
        if (!minDate.isValid())
            return;
        // The page shows up to six weeks around its month.
        const QDate first(calendar->yearShown(), calendar->monthShown(), 1);
        QTextCharFormat grey;
        grey.setForeground(calendar->palette().color(QPalette::Disabled, QPalette::Text));
        for (QDate day = first.addDays(-14); day <= first.addDays(45) && day < minDate;
             day = day.addDays(1))
            calendar->setDateTextFormat(day, grey);
    }

    void select(const QDate& date) { calendar->setSelectedDate(date); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            doubleClicking = true;
            break;
        case QEvent::MouseButtonPress:
            doubleClicking = false;
            break;
        case QEvent::KeyPress: {
            doubleClicking = false;
            if (!propagation.firstDelivery(watched, event))
                break;
            auto* key = static_cast<QKeyEvent*>(event);
            const int code = vbKeyCode(*key);
            if (!code)
                break;
            QVariantList args{code, vbShift(key->modifiers())};
            control->events().fire(QStringLiteral("KeyDown"), args);
            if (args.value(0).toInt() == 0) {
                key->accept();
                return true;
            }
            break;
        }
        default:
            break;
        }
        return false;
    }
};

MonthViewControl::MonthViewControl()
    : ControlObject(
          new QCalendarWidget,
          {QStringLiteral("DateClick"), QStringLiteral("DateDblClick"), QStringLiteral("KeyDown")}),
      d(std::make_unique<Hooks>(this)) {
    auto* calendar = static_cast<QCalendarWidget*>(widget());
    d->calendar = calendar;
    calendar->setLocale(QLocale(QLocale::Spanish, QLocale::Mexico));
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setGridVisible(false);
    d->value = calendar->selectedDate();
    d->days = calendar->findChild<QAbstractItemView*>();
    calendar->installEventFilter(d.get());
    if (d->days) {
        d->days->installEventFilter(d.get());
        d->days->viewport()->installEventFilter(d.get());
    }

    Hooks* hooks = d.get();
    QObject::connect(calendar, &QCalendarWidget::selectionChanged, hooks,
                     [hooks] { hooks->value = hooks->calendar->selectedDate(); });
    QObject::connect(calendar, &QCalendarWidget::currentPageChanged, hooks,
                     [hooks] { hooks->greyDaysBeforeMin(); });
    QObject::connect(calendar, &QCalendarWidget::clicked, hooks, [this](QDate date) {
        QVariantList args{date};
        events().fire(QStringLiteral("DateClick"), args);
    });
    // activated comes of a double click and of Enter; only the double click is DateDblClick.
    QObject::connect(calendar, &QCalendarWidget::activated, hooks, [this](QDate date) {
        if (!d->doubleClicking)
            return;
        d->doubleClicking = false;
        QVariantList args{date};
        events().fire(QStringLiteral("DateDblClick"), args);
    });
}

MonthViewControl::~MonthViewControl() {
    destroyWidget();
    d.reset();
}

void MonthViewControl::applyDesign(const DesignKeys& keys) {
    if (keys.contains(QStringLiteral("mindate")))
        setMinDate(keys.value(QStringLiteral("mindate")).toDate());
    if (keys.contains(QStringLiteral("value")))
        setValue(keys.value(QStringLiteral("value")).toDate());
}

QDate MonthViewControl::Value() const {
    return d->value;
}

void MonthViewControl::setValue(const QDate& date) {
    if (!date.isValid())
        throw com::RuntimeError(QStringLiteral("Invalid property value"), 380);
    d->value = date;
    if (d->calendar)
        d->select(date);
}

QDate MonthViewControl::MinDate() const {
    return d->minDate;
}

void MonthViewControl::setMinDate(const QDate& date) {
    d->minDate = date;
    d->greyDaysBeforeMin();
}

} // namespace forms
