#pragma once

#include "runtime/Control.h"
#include "runtime/Event.h"
#include "runtime/Font.h"

namespace tickora::runtime {

// A text on the window. Text (or Value) reads back exactly what was set; a
// carriage return breaks the line of a multi-line label. A single-line text
// wider than the label is drawn smaller until it fits, so a growing number is
// never cut off. What counts is the ink of the glyphs, not their advance, so
// a text is drawn smaller only when it truly does not fit.
class Label : public RectControl {
public:
    enum Alignment : std::int64_t { AlignDefault = 0, AlignLeft = 1, AlignCenter = 2, AlignRight = 3 };

    Label();
    ~Label() override;

    QString Text() const;
    void SetText(const QString &text);
    QString Value() const { return Text(); }
    void SetValue(const QString &text) { SetText(text); }
    Color TextColor() const { return m_textColor; }
    void SetTextColor(Color colour);
    std::int64_t TextAlignment() const { return m_alignment; }
    void SetTextAlignment(std::int64_t alignment);
    bool Multiline() const { return m_multiline; }
    void SetMultiline(bool multiline);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    bool Underline() const { return m_font.Underline; }
    void SetUnderline(bool underline);
    const FontSettings &Font() const { return m_font; }

    Event<void(Label &)> Open;
    Event<bool(Label &, std::int64_t x, std::int64_t y)> MouseDown;
    Event<void(Label &)> MouseEnter;
    Event<void(Label &)> MouseExit;

    void SetProperty(std::string_view name, const PropertyValue &value) override;
    void RaiseOpen() override;

    // What the label draws: the text with its line breaks made the platform's.
    QString DisplayedText() const;

protected:
    QWidget *CreateWidget(QWidget *parent) override;

private:
    void Restyle();

    QString m_text;
    Color m_textColor;
    std::int64_t m_alignment = AlignDefault;
    bool m_multiline = false;
    bool m_transparent = true;
    FontSettings m_font;
};

} // namespace tickora::runtime
