#pragma once

#include <QPointer>

#include <vector>

class QShortcut;
class QWidget;

namespace tickora::runtime {

// The application menu belongs to the whole program, as a global menu would:
// a window that shows no menu bar opens it from the keyboard (F10, or Alt
// with the application's initial) as a window with one does, as a pop-up
// over its content, so that its size stays what its layout says. While a bar
// of its own is shown, the bar answers these keys itself, and these stand
// aside: two shortcuts on one key in one window would make Qt refuse both.
class ApplicationMenuKeys {
public:
    // `window` carries the keys; the menu opens at the top-left of `content`.
    ApplicationMenuKeys(QWidget &window, QWidget &content);

    void SetEnabled(bool enabled);

private:
    void PopUp();

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_content;
    std::vector<QPointer<QShortcut>> m_keys;
};

} // namespace tickora::runtime
