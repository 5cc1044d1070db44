#include "runtime/widgets/controls/PushButton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace tickora::runtime {

namespace {

class PushButtonWidget final : public QPushButton {
public:
    explicit PushButtonWidget(QWidget *parent) : QPushButton(parent) {}

    // The shortcut lives on the window; a button that goes first takes it along.
    ~PushButtonWidget() override { delete m_cancelKey.data(); }

    // Our windows are no dialogs, so Qt leaves the default button's key to
    // us. Like a dialog, the window presses it only for a Return or Enter that
    // no focused control took for itself (a cell editor keeps its Return).
    void SetDefaultKey(bool isDefault)
    {
        setDefault(isDefault);
        setAutoDefault(isDefault);
        if (isDefault)
            window()->installEventFilter(this);
        else
            window()->removeEventFilter(this);
    }

    // Escape goes through Qt's shortcut map, where a cell editor that is
    // open still claims it first.
    void SetCancelKey(bool isCancel)
    {
        if (!isCancel) {
            delete m_cancelKey.data();
            return;
        }
        if (m_cancelKey)
            return;
        auto *shortcut = new QShortcut(QKeySequence::Cancel, window());
        connect(shortcut, &QShortcut::activated, this, [this] { PressByKey(); });
        m_cancelKey = shortcut;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && isDefault()) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const bool plain = key->modifiers() == Qt::NoModifier
                               || (key->key() == Qt::Key_Enter && key->modifiers() == Qt::KeypadModifier);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && plain && PressByKey())
                return true;
        }
        return QPushButton::eventFilter(watched, event);
    }

private:
    // A button the user cannot see or use is not pressed by its key either.
    bool PressByKey()
    {
        if (!isVisible() || !isEnabled())
            return false;
        click();
        return true;
    }

    QPointer<QShortcut> m_cancelKey;
};

PushButtonWidget *AsButton(QWidget *widget) { return static_cast<PushButtonWidget *>(widget); }

} // namespace

PushButton::PushButton() = default;
PushButton::~PushButton() = default;

QWidget *PushButton::CreateWidget(QWidget *parent)
{
    auto *widget = new PushButtonWidget(parent);
    widget->setFont(m_font.ToQFont());
    QObject::connect(widget, &QAbstractButton::clicked, widget, [this] { Action.Raise(*this); });
    return widget;
}

QString PushButton::Caption() const { return AsButton(CheckedWidget())->text(); }

void PushButton::SetCaption(const QString &caption) { AsButton(CheckedWidget())->setText(caption); }

bool PushButton::Default() const { return AsButton(CheckedWidget())->isDefault(); }

void PushButton::SetDefault(bool isDefault) { AsButton(CheckedWidget())->SetDefaultKey(isDefault); }

bool PushButton::Cancel() const
{
    CheckedWidget();
    return m_cancel;
}

void PushButton::SetCancel(bool isCancel)
{
    AsButton(CheckedWidget())->SetCancelKey(isCancel);
    m_cancel = isCancel;
}

const FontSettings &PushButton::Font() const
{
    CheckedWidget();
    return m_font;
}

void PushButton::Push() { AsButton(CheckedWidget())->click(); }

void PushButton::SetProperty(std::string_view name, const PropertyValue &value)
{
    using T = PropertyTable<PushButton>;
    static const T table{
        T::Setter("Caption", &PushButton::SetCaption),
        T::Setter("Default", &PushButton::SetDefault),
        T::Setter("Cancel", &PushButton::SetCancel),
        // Qt draws one kind of push button and paints its background itself;
        // the values are kept as given.
        T::Inert<std::int64_t>("MacButtonStyle"),
        T::Inert<bool>("Transparent"),
    };
    if (table.Apply(*this, name, value))
        return;
    if (ApplyFontProperty(m_font, name, value)) {
        CheckedWidget()->setFont(m_font.ToQFont());
        return;
    }
    RectControl::SetProperty(name, value);
}

} // namespace tickora::runtime
