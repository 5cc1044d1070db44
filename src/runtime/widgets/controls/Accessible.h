#pragma once

#include <QString>

class QWidget;

namespace tickora::runtime {

class RectControl;

// What a screen reader (AT-SPI on Linux, through Qt's accessibility) is told
// about a control: a role, a name and, where they apply, a text, an on/off
// state and a press that does what a click does. The runtime maps them onto
// Qt; the program gives the words.
namespace Accessible {

enum class Role {
    // As the class draws it: a label reads as text, a canvas as a picture.
    Automatic,
    // Drawn but not read: what it shows is read through another control.
    Decoration,
    Picture,
    Text,
    // A press does something; the name says what it does now.
    Button,
    // A button that is on or off.
    ToggleButton,
    // A text whose press opens a page.
    Link,
};

// What a control reads as at one moment. Screen readers ask afresh each time
// they read a text, so a text that changes every second costs nothing until
// someone reads it; names and states they keep, so a control tells them when
// those may have changed.
struct Description {
    QString Name = {};
    QString Text = {};
    bool Checked = false;
};

} // namespace Accessible

namespace detail {

// A widget that draws one of the runtime's own controls: screen readers learn
// about it from the control.
class ControlWidget {
public:
    virtual RectControl &Control() const = 0;

protected:
    ~ControlWidget() = default;
};

// Makes the runtime's controls known to Qt's accessibility, once per process.
void InstallAccessibleControls();

// Tells screen readers, if any listen, that the control's name, and for a
// toggle its on/off state, may have changed.
void NotifyAccessibleChange(QWidget *widget, bool toggles);

} // namespace detail
} // namespace tickora::runtime
