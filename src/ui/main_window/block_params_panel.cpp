#include "ui/main_window/block_params_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/widgets/names.h"

namespace varnel::ui {

namespace {
QLineEdit* Field(QFormLayout* form, QWidget* parent, const char* name, const QString& caption) {
  auto* edit = Named(new QLineEdit(parent), name);
  form->addRow(caption, edit);
  return edit;
}
}  // namespace

BlockParamsPanel::BlockParamsPanel(QWidget* parent) : QGroupBox("Параметры блока", parent) {
  setObjectName("PanParBlock");
  auto* column = new QVBoxLayout(this);
  tabs = Named(new QTabWidget(this), "TabsBlock");
  column->addWidget(tabs);

  auto* attributes = Named(new QWidget(tabs), "TabBlockAttr");
  auto* attrForm = new QFormLayout(attributes);
  editName = Field(attrForm, attributes, "EditName", "Имя блока");
  editName->setMaxLength(32);
  cbID = Named(new QComboBox(attributes), "cbID");
  for (int i = 1; i <= 14; ++i) cbID->addItem(QString::number(i));
  attrForm->addRow("ID блока", cbID);
  tabs->addTab(attributes, "Атрибуты");

  auto* network = Named(new QWidget(tabs), "TabBlockNet");
  auto* netColumn = new QVBoxLayout(network);
  auto* ethernet = new QWidget(network);
  auto* ethForm = new QFormLayout(ethernet);
  editIP = Field(ethForm, ethernet, "EditIP", "IP-адрес");
  editMAC = Field(ethForm, ethernet, "EditMAC", "MAC-адрес");
  editVLAN = Field(ethForm, ethernet, "EditVLAN", "VLAN");
  panMaskGW = Named(new QWidget(network), "PanMaskGW");
  auto* maskForm = new QFormLayout(panMaskGW);
  editMask = Field(maskForm, panMaskGW, "EditMask", "Маска подсети");
  editGW = Field(maskForm, panMaskGW, "EditGW", "Шлюз");
  panSNMP = Named(new QWidget(network), "PanSNMP");
  netColumn->addWidget(ethernet);
  netColumn->addWidget(panMaskGW);
  netColumn->addWidget(panSNMP);
  netColumn->addStretch(1);
  tabs->addTab(network, "Сетевые");
}

void BlockParamsPanel::ShowAttributes(const QString& name, int id) {
  editName->setText(name);
  if (id >= 1 && id <= cbID->count()) cbID->setCurrentIndex(id - 1);
}

void BlockParamsPanel::ClearNetworkFields() {
  for (auto* e : {editIP, editMask, editGW, editVLAN, editMAC}) e->clear();
  panMaskGW->hide();
  panSNMP->hide();
}

}  // namespace varnel::ui
