#include "app/shared/PropertyLists.h"

#include "runtime/core/Exceptions.h"

namespace tickora {

using runtime::PropertyList;
using runtime::SmallEnum;
using Int = std::int64_t;

PropertyList WindowList(const WindowLook &look)
{
    return {
        {"Width", look.width},
        {"Height", look.height},
        {"MinimumWidth", look.minimumWidth},
        {"MinimumHeight", look.minimumHeight},
        {"MaximumWidth", look.maximumWidth},
        {"MaximumHeight", look.maximumHeight},
        {"Type", look.type},
        {"Title", look.title},
        {"HasCloseButton", look.hasCloseButton},
        {"HasMaximizeButton", look.hasMaximizeButton},
        {"HasMinimizeButton", look.hasMinimizeButton},
        {"HasFullScreenButton", false},
        {"Resizeable", false},
        {"Composite", look.composite},
        {"MacProcID", Int{0}},
        {"FullScreen", false},
        {"DefaultLocation", look.defaultLocation},
        {"Visible", true},
        {"HasBackgroundColor", true},
        {"BackgroundColor", look.backgroundColor},
        {"MenuBarVisible", look.menuBarVisible},
        {"LiveResize", look.liveResize},
    };
}

PropertyList DialogLabelList(const DialogLabelLook &look)
{
    return {
        {"AllowAutoDeactivate", look.allowAutoDeactivate},
        {"Bold", look.bold},
        {"DataField", QString()},
        {"DataSource", QString()},
        {"Enabled", true},
        {"FontName", QStringLiteral("System")},
        {"FontSize", look.fontSize},
        {"FontUnit", SmallEnum{0}},
        {"Height", look.place.height},
        {"Index", kNoIndex},
        {"InitialParent", QString()},
        {"Italic", false},
        {"Left", look.place.left},
        {"LockBottom", false},
        {"LockLeft", false},
        {"LockRight", false},
        {"LockTop", false},
        {"Multiline", look.multiline},
        {"Name", QString::fromLatin1(look.name)},
        {"Selectable", false},
        {"TabIndex", look.tabIndex},
        {"TabPanelIndex", Int{0}},
        {"TabStop", true},
        {"Text", look.text},
        {"TextAlignment", Int{2}},
        {"TextColor", look.textColor},
        {"Tooltip", QString()},
        {"Top", look.place.top},
        {"Transparent", false},
        {"Underline", false},
        {"Visible", true},
        {"Width", look.place.width},
    };
}

void ControlLists::Add(const QString &controlName, PropertyList list)
{
    m_lists.insert(controlName, std::move(list));
}

const PropertyList &ControlLists::Of(const QString &controlName) const
{
    auto it = m_lists.constFind(controlName);
    if (it == m_lists.constEnd())
        throw runtime::KeyNotFoundException(QStringLiteral("no layout for control %1").arg(controlName));
    return *it;
}

} // namespace tickora
