#include "stopwatch/MainLayout.h"

namespace tickora {

using runtime::Color;
using runtime::PropertyList;

const PropertyList &MainWindowProperties()
{
    static const PropertyList list{
        {"Width", std::int64_t{kWindowWidth}},
        {"Height", std::int64_t{kCollapsedHeight}},
        {"MinimumWidth", std::int64_t{556}},
        {"MinimumHeight", std::int64_t{164}},
        {"MaximumWidth", std::int64_t{556}},
        {"MaximumHeight", std::int64_t{kExpandedHeight}},
        {"Type", std::int64_t{1}},
        {"Title", QStringLiteral("stopwatch")},
        {"HasCloseButton", true},
        {"HasMaximizeButton", false},
        {"HasMinimizeButton", false},
        {"HasFullScreenButton", false},
        {"Resizeable", false},
        {"Composite", false},
        {"MacProcID", std::int64_t{0}},
        {"FullScreen", false},
        {"DefaultLocation", std::int64_t{0}},
        {"Visible", true},
        {"HasBackgroundColor", true},
        {"BackgroundColor", Color{0x00, 0x00, 0x00}},
        {"MenuBarVisible", true},
        {"LiveResize", true},
    };
    return list;
}

} // namespace tickora
