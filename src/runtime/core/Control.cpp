#include "runtime/core/Control.h"

#include "runtime/core/Boundary.h"

namespace tickora::runtime {

Control::Control() = default;
Control::~Control() = default;

void Control::Constructor() {}

void Control::SetName(const QString &name)
{
    CheckUIThread();
    m_name = name;
}

void Control::SetIndex(std::int64_t index)
{
    CheckUIThread();
    m_index = index;
}

void Control::SetProperty(std::string_view name, const PropertyValue &value)
{
    static const PropertyTable<Control> table{
        PropertyTable<Control>::Setter("Name", &Control::SetName),
        PropertyTable<Control>::Setter("Index", &Control::SetIndex),
    };
    if (!table.Apply(*this, name, value))
        Object::SetProperty(name, value);
}

void Control::RaiseOpen() {}
void Control::WindowClosed() {}
void Control::UpdateShown() {}

void Control::AttachToWindow(ControlHost &host, std::weak_ptr<runtime::Window> window)
{
    m_host = &host;
    m_window = std::move(window);
}

} // namespace tickora::runtime
