#pragma once
// The grey mark on values whose answer did not arrive, shared by the modem's
// pages: the tooltip says so, and the widget's own tooltip comes back when the
// mark goes.

class QWidget;

namespace varnel::ui {

void MarkNotRefreshed(QWidget* widget, bool stale);
bool IsMarkedNotRefreshed(const QWidget* widget);

}  // namespace varnel::ui
