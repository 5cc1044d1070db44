#pragma once

#include "runtime/widgets/controls/Canvas.h"
#include "runtime/widgets/controls/Label.h"
#include "runtime/widgets/windows/Window.h"

namespace tickora {

// The About window: name, version, icon, developer, a link to the maker's
// page, rights and a credit line, on dark blue without any window buttons.
// A click anywhere on it closes it; a click on the link opens the page first.
//
// Building, texts and handlers are here (AboutWindow.cpp); the window's and
// controls' property lists are in AboutLayout.cpp.
class AboutWindow : public runtime::Window {
public:
    using Canvas = runtime::Canvas;
    using Label = runtime::Label;
    template <class T>
    using Ref = runtime::Ref<T>;

    // Own operations, in order.
    void Layout() override;
    void CreateControls() override;
    virtual void CreateControls0();

    // The controls, by name, in the order they are made.
    virtual Ref<Label> StatAppName();
    virtual Ref<Label> StatAppVersion();
    virtual Ref<Label> StatAppCopyright();
    virtual Ref<Label> WebAdresse();
    virtual Ref<Label> StaticText2();
    virtual Ref<Canvas> Canvas1();
    virtual Ref<Label> StatAppContent();

    // The link: amber and underlined when it opens, yellow-green under the
    // pointer, white once the pointer has left. A click opens the maker's page.
    virtual bool WebAdresse_MouseDown(Label &link, std::int64_t x, std::int64_t y);
    virtual void WebAdresse_MouseEnter(Label &link);
    virtual void WebAdresse_MouseExit(Label &link);
    virtual void WebAdresse_Open(Label &link);

    void AddMenuHandlers(runtime::Ref<runtime::Object> target) override;
    bool Event_MouseDown(std::int64_t x, std::int64_t y) override;
    virtual bool FileClose_Action();
    virtual bool FileCloseWindow_Action();
    // Writes the texts that the window's lists leave to be filled in.
    virtual void SetupWindow();
    // Shows the window with its texts written afresh.
    virtual void Show(bool useCredits);
    using Window::Show;

    bool IsEventImplemented(const QString &eventName) const;

    // The one About window: the runtime's current one, or a new one built now.
    static Ref<AboutWindow> Instance();

    static const runtime::ClassDescription &ClassInfo();
    const runtime::ClassDescription &Description() const override { return ClassInfo(); }

    // As the last Show was asked; nothing the window shows depends on it.
    bool UseCredits = false;

private:
    static constexpr runtime::Color kLinkAmber{255, 200, 0};
    static constexpr runtime::Color kLinkHover{150, 200, 0};
    static constexpr runtime::Color kWhite{255, 255, 255};

    static const runtime::PropertyList &WindowProperties();
    static const runtime::PropertyList &ControlProperties(const QString &controlName);

    void MakeLabel(const QString &name);
};

} // namespace tickora
