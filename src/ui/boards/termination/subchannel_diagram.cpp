#include "ui/boards/termination/subchannel_diagram.h"

#include <QFrame>
#include <QLabel>

#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

constexpr int kBarHeight = 22;
constexpr int kTxLineTop = 0;
constexpr int kTxBarTop = 20;
constexpr int kRxLineTop = 48;
constexpr int kRxBarTop = 68;
constexpr int kLegendLeft = 560;

// Names of the bars and labels of one row, transmit or receive.
const char* const kBarNames[] = {"shOKS", "shTM", "shVoice", "shVoice", "shPD"};
const char* const kBarSuffix2[] = {"", "", "", "2", ""};
const char* const kLabelNames[] = {"LabOks", "LabTM", "LabCod", "LabCod", "LabPD"};

struct LegendEntry {
  std::uint32_t colour;
  const char* text;
};
const LegendEntry kLegend[] = {
    {0x66CC66, "Служебный"}, {0xAEFFFF, "Телемеханика"}, {0xC0DCC0, "Голос"}, {0xF0CAA6, "Передача данных"}};

void Paint(QFrame* bar, std::uint32_t fill, std::uint32_t outline) {
  bar->setStyleSheet(QString("background-color: %1; border: 1px solid %2;")
                         .arg(BgrColour(fill).name(), BgrColour(outline).name()));
}

}  // namespace

SubchannelDiagram::SubchannelDiagram(QWidget* parent) : QWidget(parent) {
  setObjectName("SLBars");
  labHFtx = new QLabel("Передача:", this);
  labHFtx->setObjectName("LabHFtx");
  labHFtx->move(4, kTxLineTop);
  labHFrx = new QLabel("Приём:", this);
  labHFrx->setObjectName("LabHFrx");
  labHFrx->move(4, kRxLineTop);
  BuildRow(tx_, "tx", kTxBarTop);
  BuildRow(rx_, "rx", kRxBarTop);
  for (int i = 0; i < 4; ++i) {
    auto* square = new QFrame(this);
    Paint(square, kLegend[i].colour, 0x000000);
    auto* text = new QLabel(kLegend[i].text, this);
    legend_.push_back({square, text});
  }
  PlaceLegend(kLegendLeft);
}

void SubchannelDiagram::BuildRow(RowWidgets& row, const char* suffix, int top) {
  const QString upper = QString(suffix) == "tx" ? "Tx" : "Rx";
  for (std::size_t i = 0; i < row.bars.size(); ++i) {
    auto* bar = new QFrame(this);
    bar->setObjectName(QString(kBarNames[i]) + suffix + kBarSuffix2[i]);
    bar->setGeometry(kSubchannelBarOrigin, top, 32, kBarHeight);
    row.bars[i] = bar;
    auto* label = new QLabel(this);
    label->setObjectName(QString(kLabelNames[i]) + upper + kBarSuffix2[i]);
    label->move(kSubchannelBarOrigin + 4, top + 3);
    row.labels[i] = label;
  }
  // Voice bars lie above the data bar that starts where they start.
  row.bars[4]->lower();
}

void SubchannelDiagram::ShowRow(RowWidgets& row, const SubchannelRow& model) {
  const SubchannelBar* bars[] = {&model.service, &model.telemechanics, &model.voice1, &model.voice2, &model.data};
  const SubchannelLabel* labels[] = {&model.serviceLabel, &model.telemechanicsLabel, &model.voice1Label,
                                     &model.voice2Label, &model.dataLabel};
  for (std::size_t i = 0; i < row.bars.size(); ++i) {
    QFrame* bar = row.bars[i];
    bar->setGeometry(bars[i]->left, bar->y(), bars[i]->width, kBarHeight);
    Paint(bar, bars[i]->fill, bars[i]->outline);
    bar->setVisible(bars[i]->visible);
    QLabel* label = row.labels[i];
    label->setText(Q(labels[i]->text));
    label->adjustSize();
    label->move(labels[i]->left, label->y());
    label->setVisible(labels[i]->visible);
    label->raise();
  }
  row.bars[4]->lower();
}

void SubchannelDiagram::Show(const SubchannelView& view) {
  labHFtx->setText(Q(view.lineTx));
  labHFtx->adjustSize();
  labHFrx->setText(Q(view.lineRx));
  labHFrx->adjustSize();
  ShowRow(tx_, view.tx);
  ShowRow(rx_, view.rx);
  // Wide data budgets reach past the legend's usual place: it moves right.
  int right = 0;
  for (const SubchannelRow* r : {&view.tx, &view.rx}) {
    right = std::max({right, r->data.left + r->data.width, r->voice2.left + r->voice2.width});
  }
  PlaceLegend(std::max(kLegendLeft, right + 24));
}

void SubchannelDiagram::PlaceLegend(int left) {
  for (std::size_t i = 0; i < legend_.size(); ++i) {
    const int top = 4 + 22 * static_cast<int>(i);
    legend_[i].first->setGeometry(left, top, 14, 14);
    legend_[i].second->move(left + 20, top - 2);
  }
  setMinimumSize(left + 160, kRxBarTop + kBarHeight + 4);
}

}  // namespace varnel::ui
