#include "ui/widgets/decimal_edit.h"

#include <QLineEdit>
#include <cmath>
#include <limits>

#include "wire/str_utils.h"

namespace varnel::ui {

DecimalEdit::DecimalEdit(QWidget* parent) : QAbstractSpinBox(parent) {
  setKeyboardTracking(true);
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  connect(lineEdit(), &QLineEdit::textChanged, this, &DecimalEdit::edited);
}

void DecimalEdit::setRange(double minimum, double maximum) {
  min_ = minimum;
  max_ = maximum;
}

bool DecimalEdit::hasValue() const {
  double v = 0;
  return TryParseDecimal(text().toStdString(), v);
}

double DecimalEdit::value() const {
  double v = 0;
  return TryParseDecimal(text().toStdString(), v) ? v : std::numeric_limits<double>::quiet_NaN();
}

void DecimalEdit::setValue(double value) { lineEdit()->setText(QString::fromStdString(FixedText(decimals_, value))); }

void DecimalEdit::setText(const QString& text) { lineEdit()->setText(text); }

void DecimalEdit::setBackground(const QColor& colour) {
  QPalette pal = lineEdit()->palette();
  pal.setColor(QPalette::Base, colour.isValid() ? colour : palette().color(QPalette::Base));
  // Dark backgrounds (not a number) keep the text readable.
  const bool dark = colour.isValid() && colour.lightness() < 80;
  pal.setColor(QPalette::Text, dark ? QColor(Qt::white) : palette().color(QPalette::Text));
  lineEdit()->setPalette(pal);
}

void DecimalEdit::stepBy(int steps) {
  // Arrows move along the editor's grid and stay inside its range.
  const double from = hasValue() ? value() : min_;
  const double next = std::clamp(from + steps * step_, min_, max_);
  setValue(std::round(next / step_) * step_);
}

QValidator::State DecimalEdit::validate(QString&, int&) const { return QValidator::Acceptable; }

QAbstractSpinBox::StepEnabled DecimalEdit::stepEnabled() const { return StepUpEnabled | StepDownEnabled; }

}  // namespace varnel::ui
