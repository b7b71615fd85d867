#pragma once
// Controls carry the names the operators' documentation and the tests use.

#include <QObject>

namespace varnel::ui {

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace varnel::ui
