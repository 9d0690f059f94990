#include "stay_on_top.h"

#include <QWidget>
#include <QWindow>

namespace zenlume {

void SetStaysOnTop(QWidget *window, bool onTop)
{
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    // The widget keeps the flags for a native window made later; one that
    // exists already takes them as they stand, visible or hidden.
    window->overrideWindowFlags(flags);
    if (QWindow *native = window->windowHandle()) native->setFlags(flags);
}

}  // namespace zenlume
