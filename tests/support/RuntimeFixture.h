#pragma once

#include "runtime/core/FakeClock.h"
#include "runtime/core/Process.h"
#include "runtime/core/Screen.h"
#include "runtime/widgets/application/Application.h"
#include "runtime/widgets/application/Desktop.h"
#include "runtime/widgets/windows/Window.h"
#include "runtime/widgets/windows/WindowRegistry.h"

#include <QCoreApplication>
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

namespace tickora::testing {

// Puts every seam of the runtime in the test's hands: a fake clock that only
// moves when stepped, recorders instead of quitting, of the browser and of
// message boxes, and a screen width of the test's choosing. Every window left
// open is released afterwards, so each test starts from an empty runtime.
class RuntimeFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        runtime::SetClock(&clock);
        runtime::SetQuitRequest([this](int code) { quitCodes.push_back(code); });
        runtime::SetUrlOpener([this](const QUrl &url) {
            openedUrls.push_back(url.toString());
            return urlOpenerSucceeds;
        });
        runtime::SetMessageShower([this](const QString &message) { shownMessages.push_back(message); });
        runtime::Screen::SetMainScreenWidthForTesting(1440);
    }

    void TearDown() override
    {
        runtime::ReleaseAllWindows();
        runtime::RuntimeRegisterAppObject(nullptr);
        // Windows closed during the test are let go on the next turn of the loop.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        runtime::Screen::SetMainScreenWidthForTesting(std::nullopt);
        runtime::SetMessageShower({});
        runtime::SetUrlOpener({});
        runtime::SetQuitRequest({});
        runtime::SetClock(nullptr);
    }

    void AdvanceSeconds(int seconds) { clock.Advance(std::chrono::seconds(seconds)); }

    runtime::FakeClock clock;
    std::vector<int> quitCodes;
    std::vector<QString> openedUrls;
    std::vector<QString> shownMessages;
    bool urlOpenerSucceeds = true;
};

} // namespace tickora::testing
