// Turning a top-level widget's stay-on-top state on and off without
// re-creating its native window.  QWidget::setWindowFlag re-creates the
// window on X11, which hides it: a flicker, and a fresh show event for the
// widget.  Here the widget's flags are changed without telling the window
// system, and the native window (when there is one) gets the new flags
// directly; on X11 that only changes its _NET_WM_STATE.
#pragma once

class QWidget;

namespace zenlume {

void SetStaysOnTop(QWidget *window, bool onTop);

}  // namespace zenlume
