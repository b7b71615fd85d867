#include "ui/boards/amplifier/amplifier_panel.h"

#include <QCheckBox>
#include <QLabel>
#include <QVBoxLayout>

#include "boards/amplifier/amplifier_alarms.h"
#include "boards/amplifier/amplifier_view.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {
QCheckBox* MaskBox(QWidget* parent, const char* name, int bit) {
  return Named(new QCheckBox(Q(std::string(AmplifierAlarmName(bit))), parent), name);
}
}  // namespace

AmplifierPanel::AmplifierPanel(QWidget* parent) : QGroupBox("ТР-40", parent) {
  setObjectName("PanelAP");
  auto* column = new QVBoxLayout(this);
  parameters = Named(new QWidget(this), "PanelAPpar");
  auto* inner = new QVBoxLayout(parameters);
  info = Named(new QLabel(parameters), "LabAPver");
  two = Named(new QCheckBox("Два усилителя в блоке", parameters), "ChAP2");
  masks = Named(new QGroupBox("Маски аварий", parameters), "PanlAPmask");
  auto* maskColumn = new QVBoxLayout(masks);
  maskA1 = MaskBox(masks, "ChMaskAP1", 1);
  maskA3 = MaskBox(masks, "ChMaskAP3", 3);
  maskA4 = MaskBox(masks, "ChMaskAP4", 4);
  for (auto* box : {maskA1, maskA3, maskA4}) maskColumn->addWidget(box);
  inner->addWidget(info);
  inner->addWidget(two);
  inner->addWidget(masks);
  inner->addStretch(1);
  column->addWidget(parameters);
  parameters->hide();  // until the amplifier answers
}

void AmplifierPanel::Show(const TBRDS& board) {
  const AmplifierView view = ComputeAmplifierView(board);
  parameters->setVisible(view.parametersVisible);
  info->setText(Display(view.info));
  masks->setVisible(view.masksVisible);
  two->setChecked(view.boxes.twoAmplifiers);
  maskA1->setChecked(view.boxes.maskA1);
  maskA3->setChecked(view.boxes.maskA3);
  maskA4->setChecked(view.boxes.maskA4);
}

AmplifierSetting AmplifierPanel::Setting() const {
  return {two->isChecked(), maskA1->isChecked(), maskA3->isChecked(), maskA4->isChecked()};
}

}  // namespace varnel::ui
