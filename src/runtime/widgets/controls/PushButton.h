#pragma once

#include "runtime/widgets/controls/RectControl.h"
#include "runtime/core/Event.h"
#include "runtime/widgets/controls/Font.h"

namespace tickora::runtime {

// A push button. The default button is pressed by Return/Enter anywhere in
// its window and drawn as the default; the cancel button by Escape.
class PushButton : public RectControl {
public:
    PushButton();
    ~PushButton() override;

    QString Caption() const;
    void SetCaption(const QString &caption);
    bool Default() const;
    void SetDefault(bool isDefault);
    bool Cancel() const;
    void SetCancel(bool isCancel);
    const FontSettings &Font() const;

    Event<void(PushButton &)> Action;

    void SetProperty(std::string_view name, const PropertyValue &value) override;
    bool TakesFocus() const override { return TabStop(); }

    // Presses the button as a click would (raises Action once).
    void Push();

protected:
    QWidget *CreateWidget(QWidget *parent) override;

private:
    FontSettings m_font;
    bool m_cancel = false;
};

} // namespace tickora::runtime
