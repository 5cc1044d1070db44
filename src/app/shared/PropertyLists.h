#pragma once

#include "runtime/core/Properties.h"

#include <QHash>
#include <QString>

#include <cstdint>

namespace tickora {

// The shapes that the program's property lists share, so each window writes
// down only what is its own.

// An index outside every indexed set of controls: every control carries it.
inline constexpr std::int64_t kNoIndex = -2147483648LL;

struct Place {
    std::int64_t left, top, width, height;
};

// A window's own list. Every window of the program has the same entries in the
// same order; none can be resized by the user, and each shows once built.
struct WindowLook {
    std::int64_t width, height;
    std::int64_t minimumWidth = 64, minimumHeight = 64;
    std::int64_t maximumWidth = 32000, maximumHeight = 32000;
    std::int64_t type = 1;
    QString title;
    bool hasCloseButton = true;
    bool hasMaximizeButton = false;
    bool hasMinimizeButton = false;
    bool composite = false;
    std::int64_t defaultLocation = 0;
    runtime::Color backgroundColor;
    bool menuBarVisible = true;
    bool liveResize = false;
};
runtime::PropertyList WindowList(const WindowLook &look);

// A label of the information windows: centred in its frame, opaque, in the
// system font. Its list holds the entries in the alphabetical order of their names.
struct DialogLabelLook {
    const char *name;
    Place place;
    std::int64_t tabIndex;
    QString text;
    float fontSize;
    bool bold = false;
    bool multiline = false;
    runtime::Color textColor = {};
    bool allowAutoDeactivate = true;
};
runtime::PropertyList DialogLabelList(const DialogLabelLook &look);

// A window's control lists, by control name.
class ControlLists {
public:
    void Add(const QString &controlName, runtime::PropertyList list);
    // Raises KeyNotFoundException for a control the window has no list for.
    const runtime::PropertyList &Of(const QString &controlName) const;

private:
    QHash<QString, runtime::PropertyList> m_lists;
};

} // namespace tickora
