#include "ui/main_window/block_params_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {
QLineEdit* Field(QFormLayout* form, QWidget* parent, const char* name, const QString& caption) {
  auto* edit = Named(new QLineEdit(parent), name);
  form->addRow(caption, edit);
  return edit;
}
std::string S(const QLineEdit* edit) { return edit->text().toStdString(); }
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
  // Only the last two bytes of the MAC address are the block's to change.
  auto* macRow = new QHBoxLayout;
  labMAC = Named(new QLabel("02-00-00-00-", ethernet), "LabMAC");
  editMAC = Named(new QLineEdit(ethernet), "EditMAC");
  macRow->addWidget(labMAC);
  macRow->addWidget(editMAC, 1);
  ethForm->addRow("MAC-адрес", macRow);
  editVLAN = Field(ethForm, ethernet, "EditVLAN", "VLAN ID");
  panMaskGW = Named(new QWidget(network), "PanMaskGW");
  auto* maskForm = new QFormLayout(panMaskGW);
  editMask = Field(maskForm, panMaskGW, "EditMask", "Маска подсети");
  editGW = Field(maskForm, panMaskGW, "EditGW", "Шлюз");

  panSNMP = Named(new QGroupBox("SNMP", network), "PanSNMP");
  auto* snmpColumn = new QVBoxLayout(panSNMP);
  chSNMPen = Named(new QCheckBox("Включить", panSNMP), "chSNMPen");
  panSnmp2 = Named(new QWidget(panSNMP), "PanSnmp2");
  auto* snmpForm = new QFormLayout(panSnmp2);
  editSnmpIP = Field(snmpForm, panSnmp2, "EditSnmpIP", "Адрес менеджера");
  editSnmpComm = Field(snmpForm, panSnmp2, "EditSnmpComm", "Community");
  editSnmpComm->setMaxLength(static_cast<int>(kCommunityBytes));
  snmpColumn->addWidget(chSNMPen);
  snmpColumn->addWidget(panSnmp2);
  panSnmp2->setVisible(false);
  connect(chSNMPen, &QCheckBox::toggled, panSnmp2, &QWidget::setVisible);

  netColumn->addWidget(ethernet);
  netColumn->addWidget(panMaskGW);
  netColumn->addWidget(panSNMP);
  netColumn->addStretch(1);
  tabs->addTab(network, "Сетевые");
}

void BlockParamsPanel::ShowAttributes(const QString& name, int id) {
  editName->setText(name);
  // An ID the list does not hold leaves nothing chosen, so a write cannot
  // change it unnoticed.
  cbID->setCurrentIndex(id >= 1 && id <= cbID->count() ? id - 1 : -1);
}

void BlockParamsPanel::ClearNetworkFields() {
  for (auto* e : {editIP, editMask, editGW, editVLAN, editMAC}) e->clear();
  panMaskGW->hide();
  panSNMP->hide();
}

void BlockParamsPanel::ShowNetworkSettings(const NetworkSettings& s) {
  editMAC->setText(Q(s.mac));
  editVLAN->setText(Q(s.vlan));
  editIP->setText(Q(s.ip));
  editMask->setText(Q(s.mask));
  editGW->setText(Q(s.gateway));
  // A short answer leaves both panels as they were.
  if (!s.snmp.shown) return;
  panMaskGW->show();
  panSNMP->show();
  chSNMPen->setChecked(s.snmp.enabled);
  panSnmp2->setVisible(s.snmp.enabled);
  editSnmpIP->setText(Q(s.snmp.managerIp));
  editSnmpComm->setText(Q(s.snmp.community));
}

BlockForm BlockParamsPanel::Form() const {
  BlockForm f;
  f.page = tabs->currentIndex() == 0 ? BlockPage::Attributes : BlockPage::Network;
  f.name = S(editName);
  f.idIndex = cbID->currentIndex();
  f.mac = S(editMAC);
  f.vlan = S(editVLAN);
  f.ip = S(editIP);
  f.mask = S(editMask);
  f.gateway = S(editGW);
  f.snmpShown = !panSNMP->isHidden();
  f.snmpOn = chSNMPen->isChecked();
  f.snmpIp = S(editSnmpIP);
  f.community = S(editSnmpComm);
  return f;
}

void BlockParamsPanel::Apply(const BlockRequest& built) {
  if (built.clearName) editName->clear();
  if (built.clearIp) editIP->clear();
  if (built.snmpIpText) editSnmpIP->setText(Q(*built.snmpIpText));
}

}  // namespace varnel::ui
