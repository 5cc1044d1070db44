#pragma once

#include "support/RuntimeFixture.h"

#include "app/shared/Pictures.h"
#include "stopwatch/main.h"

#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tickora::testing {

// The real main window, built and shown on the offscreen platform, driven as a
// user would: clicks and pointer moves go through the top-level window, so
// Qt's own hit-testing decides which control gets them (a hidden control gets
// nothing). Time moves only when the test advances the fake clock.
class MainWindowFixture : public RuntimeFixture {
protected:
    void SetUp() override
    {
        RuntimeFixture::SetUp();
        window = main::Instance();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->Widget()));
        // Qt remembers where the pointer was over the previous test's window;
        // bring it into this one first, over no control.
        MoveAway();
    }

    void TearDown() override
    {
        window = nullptr;
        RuntimeFixture::TearDown();
    }

    // A point of the content area in the top-level window's coordinates.
    QPoint InWindow(QPoint content) const
    {
        return window->ContentWidget()->mapTo(window->Widget(), content);
    }
    QPoint CentreOf(const runtime::RectControl &control) const
    {
        return QPoint(static_cast<int>(control.Left() + control.Width() / 2),
                      static_cast<int>(control.Top() + control.Height() / 2));
    }

    void ClickAt(QPoint content)
    {
        m_pointer = content;
        QTest::mouseClick(window->Widget()->windowHandle(), Qt::LeftButton, {}, InWindow(content));
    }
    void Click(const runtime::RectControl &control) { ClickAt(CentreOf(control)); }
    void MoveTo(QPoint content)
    {
        m_pointer = content;
        QTest::mouseMove(window->Widget()->windowHandle(), InWindow(content));
    }
    // Qt reports no move to the spot where the pointer already is, so a move
    // over the control where the pointer rests lands one pixel further.
    void MoveOver(const runtime::RectControl &control)
    {
        const QPoint centre = CentreOf(control);
        MoveTo(m_pointer == centre ? centre + QPoint(1, 0) : centre);
    }
    // A spot of the window where no control lies.
    void MoveAway() { MoveTo(QPoint(300, 20)); }

    void Start() { Click(*window->cStart()); }

    // The total as the three visible fields show it.
    QString Shown() const
    {
        return window->stu()->Text() + u':' + window->min()->Text() + u':' + window->sec()->Text();
    }
    QString LapFields() const
    {
        return window->Label1()->Text() + u':' + window->Label2()->Text() + u':' + window->Label3()->Text();
    }

    runtime::Ref<main> window;

private:
    QPoint m_pointer;
};

} // namespace tickora::testing
