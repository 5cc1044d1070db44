#pragma once

#include "runtime/widgets/controls/RectControl.h"
#include "runtime/core/Event.h"
#include "runtime/widgets/controls/Picture.h"

namespace tickora::runtime {

// A drawing surface that shows its backdrop picture at its top-left corner.
// A transparent canvas paints nothing else, so the window's backdrop shows
// around the picture.
class Canvas : public RectControl {
public:
    Canvas();
    ~Canvas() override;

    // Reading the backdrop back yields the very picture object last set.
    Ref<Picture> Backdrop() const;
    void SetBackdrop(Ref<Picture> picture);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    Event<bool(Canvas &, std::int64_t x, std::int64_t y)> MouseDown;
    Event<void(Canvas &, std::int64_t x, std::int64_t y)> MouseMove;
    Event<void(Canvas &)> MouseExit;
    // What a screen reader reads of the canvas now, asked each time it reads
    // it: a picture button's name follows the picture it shows. An empty
    // name leaves the canvas its AccessibleName. Screen readers hear of a
    // change whenever the picture changes.
    Event<Accessible::Description(Canvas &)> Describe;

    void SetProperty(std::string_view name, const PropertyValue &value) override;

    Accessible::Description Reading() const override;
    // A canvas that answers clicks is pressed at its centre.
    bool CanPress() const override;
    void Press() override;

protected:
    QWidget *CreateWidget(QWidget *parent) override;

private:
    Ref<Picture> m_backdrop;
    bool m_transparent = true;
};

} // namespace tickora::runtime
