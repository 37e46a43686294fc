// Opens a window in the middle of its screen, frame included.
#pragma once

#include <QScreen>
#include <QWidget>

namespace tintora {

// The windows open in the middle of the screen, frame included, not over the window that
// opens them.
inline void CentreOnScreen(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    window->move(window->screen()->availableGeometry().center() -
                 (frame.center() - frame.topLeft()));
}

}  // namespace tintora
