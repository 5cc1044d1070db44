#pragma once

#include "runtime/widgets/controls/RectControl.h"
#include "runtime/core/Event.h"
#include "runtime/widgets/controls/Font.h"

#include <QFont>

#include <memory>
#include <vector>

namespace tickora::runtime {

// A text on the window. Text (or Value) reads back exactly what was set; a
// carriage return breaks the line of a multi-line label. A single-line text
// wider than the label is drawn smaller until it fits, so a growing number is
// never cut off. What counts is the ink of the glyphs, not their advance, so
// a text is drawn smaller only when it truly does not fit.
//
// Labels read side by side as one thing, such as the fields of one number,
// can be joined into a size group: each member is fitted to its own frame as
// above, and all of them are drawn at the smallest of those sizes. When one
// must shrink, the others shrink with it and keep one baseline and one ink
// height; a multi-line member wraps instead and takes no part.
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

    // A label reads as its text, named by that text unless the program or a
    // labelling control names it. Screen readers hear of no change of the
    // text: they read it when the user asks, not every time a watch ticks.
    Accessible::Description Reading() const override;
    // A label that answers clicks (a link) is pressed at its centre.
    bool CanPress() const override;
    void Press() override;

    // What the label draws: the text with its line breaks made the platform's,
    // in its own font at the size that its fit and its group's allow.
    QString DisplayedText() const;
    QFont DrawnFont() const;

    // Makes the labels one size group, taking each out of any group it was in.
    static void JoinSizeGroup(const std::vector<Ref<Label>> &members);

    // Runtime side: the text, frame or font changed, so the size the label's
    // text fits at may have too; the group's other members are repainted
    // only when the group's size changes with it.
    void FitChanged();

protected:
    QWidget *CreateWidget(QWidget *parent) override;
    Accessible::Role AutomaticRole() const override { return Accessible::Role::Text; }

private:
    struct SizeGroup;

    void Restyle();
    void LeaveSizeGroup();

    QString m_text;
    Color m_textColor;
    std::int64_t m_alignment = AlignDefault;
    bool m_multiline = false;
    bool m_transparent = true;
    FontSettings m_font;
    std::shared_ptr<SizeGroup> m_sizeGroup;
};

} // namespace tickora::runtime
