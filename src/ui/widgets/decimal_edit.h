#pragma once
// A real-number spin editor that lets the operator type anything: out-of-range
// values and text that is not a number stay in the field so that they can be
// coloured, never silently corrected. Either "." or "," is accepted.

#include <QAbstractSpinBox>

namespace varnel::ui {

class DecimalEdit : public QAbstractSpinBox {
  Q_OBJECT
 public:
  explicit DecimalEdit(QWidget* parent = nullptr);

  void setRange(double minimum, double maximum);
  void setStep(double step) { step_ = step; }
  void setDecimals(int decimals) { decimals_ = decimals; }
  double minimum() const { return min_; }
  double maximum() const { return max_; }
  double step() const { return step_; }

  // False when the text is not a decimal number.
  bool hasValue() const;
  // The typed value; NaN when the text is not a number, so that writing it
  // fails instead of sending a value nobody typed.
  double value() const;
  void setValue(double value);
  // As if the operator had typed it.
  void setText(const QString& text);
  // Paints the field's background; an invalid colour restores the normal one.
  void setBackground(const QColor& colour);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;

 signals:
  void edited();

 protected:
  StepEnabled stepEnabled() const override;

 private:
  double min_ = 0, max_ = 99.9, step_ = 0.1;
  int decimals_ = 1;
};

}  // namespace varnel::ui
