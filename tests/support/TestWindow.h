#pragma once

#include "runtime/widgets/windows/Window.h"

#include <functional>

namespace tickora::testing {

// A window class of the tests' own, described to the runtime as handling the
// events the test names; its build steps run whatever the test hands it.
class TestWindow : public runtime::Window {
public:
    std::function<void(TestWindow &)> onCreateControls;
    std::function<void(TestWindow &)> onLayout;
    std::function<void(TestWindow &)> onOpen;
    std::function<bool(std::int64_t, std::int64_t)> onMouseDown;

    void CreateControls() override
    {
        if (onCreateControls)
            onCreateControls(*this);
    }
    void Layout() override
    {
        if (onLayout)
            onLayout(*this);
    }
    void Event_Open() override
    {
        if (onOpen)
            onOpen(*this);
    }
    bool Event_MouseDown(std::int64_t x, std::int64_t y) override
    {
        return onMouseDown ? onMouseDown(x, y) : false;
    }

    static const runtime::ClassDescription &ClassInfo()
    {
        static const runtime::ClassDescription &info = runtime::RuntimeRegisterClass(
            {QStringLiteral("TestWindow.TestWindow"),
             {QStringLiteral("CreateControls"), QStringLiteral("Layout"), QStringLiteral("Open"),
              QStringLiteral("MouseDown")}});
        return info;
    }
    const runtime::ClassDescription &Description() const override { return ClassInfo(); }

    // A built window of this class, not shown.
    static runtime::Ref<TestWindow> Make(std::function<void(TestWindow &)> createControls = {})
    {
        auto window = runtime::NewObject<TestWindow>();
        window->onCreateControls = std::move(createControls);
        window->Constructor();
        return window;
    }
};

} // namespace tickora::testing
