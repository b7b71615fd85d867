#include "ui/boards/modem/channel_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include "boards/modem/modem_view.h"
#include "ui/boards/modem/stale_mark.h"
#include "ui/widgets/indicator.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

constexpr int kCaptionLeft = 8;
constexpr int kFirstRowTop = 44;
constexpr int kRowStep = 18;
constexpr int kFirstColumnLeft = 226;
constexpr int kColumnStep = 160;
constexpr int kValueWidth = 150;

constexpr std::uint32_t kNotReadGrey = 0xC0C0C0;  // greyed until the block's boards answer

int RowTop(int row) { return kFirstRowTop + kRowStep * (row - 1); }
int ColumnLeft(int c) { return kFirstColumnLeft + kColumnStep * (c - 1); }

}  // namespace

ModemChannelPage::ModemChannelPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabVKStateCH");
  setToolTip("Работа каналов");
  auto* showCaption = new QLabel("Показать:", this);
  showCaption->move(kFirstColumnLeft - 70, 14);

  for (int row = 1; row <= kRows; ++row) {
    auto* caption = new QLabel(Q(std::string(ModemRowCaption(row))), this);
    caption->setObjectName(QString("LabRowVK%1").arg(row));
    caption->move(kCaptionLeft, RowTop(row));
    captions[static_cast<std::size_t>(row - 1)] = caption;
  }

  for (int c = 1; c <= 3; ++c) {
    Column& col = columns[static_cast<std::size_t>(c - 1)];
    const int x = ColumnLeft(c);
    col.show = new QCheckBox(QString("Канал %1").arg(c), this);
    col.show->setObjectName(QString("chShowCHst%1").arg(c));
    col.show->setChecked(true);
    col.show->move(x, 12);
    connect(col.show, &QCheckBox::clicked, this, [this, c] { emit showBoxClicked(c); });
    for (int row = 1; row <= kRows; ++row) {
      auto* value = new QLabel("---", this);
      value->setObjectName(QString("LabValVK%1_%2").arg(c).arg(row));
      value->setGeometry(x, RowTop(row), kValueWidth, kRowStep - 2);
      col.values[static_cast<std::size_t>(row - 1)] = value;
    }
    // The indicators stand 8 pixels left of rows 1 and 6, behind the labels.
    col.state = new Indicator(this);
    col.state->setObjectName(QString("shStateVK%1").arg(c));
    col.state->setGeometry(x - 8 - 6, RowTop(1) + 2, 6, 12);
    col.ko = new Indicator(this);
    col.ko->setObjectName(QString("shKoVK%1").arg(c));
    col.ko->setGeometry(x - 8 - 6, RowTop(6) + 2, 6, 12);
    col.ko->hide();
    col.state->lower();
    col.ko->lower();
    col.reset = new QPushButton("Сброс", this);
    col.reset->setObjectName(QString("ButCRC%1").arg(c));
    col.reset->setGeometry(x + 48, RowTop(10) - 2, 56, kRowStep + 2);
    col.reset->hide();
  }

  butCRCall = new QPushButton("Сброс", this);
  butCRCall->setToolTip("Сбросить счётчики ошибок всех каналов");
  butCRCall->setObjectName("ButCRCall");
  butCRCall->setGeometry(kCaptionLeft + 150, RowTop(10) - 2, 64, kRowStep + 2);
  butLoop = new QPushButton("Заворот данных от КО ", this);
  butLoop->setObjectName("ButLoop");
  butLoop->move(kCaptionLeft, RowTop(12) - 3);
  butLoop->raise();

  popupMenuDF = new QMenu(this);
  popupMenuDF->setObjectName("PopupMenuDF");
  const char* items[] = {"Сбросить", "Установить для КО 1", "Установить для КО 2", "Установить для КО 3"};
  const char* names[] = {"MenuDFreset", "MenuDFset1", "MenuDFset2", "MenuDFset3"};
  for (std::size_t i = 0; i < menuDF.size(); ++i) {
    menuDF[i] = popupMenuDF->addAction(items[i]);
    menuDF[i]->setObjectName(names[i]);
  }
  connect(butLoop, &QPushButton::clicked, this,
          [this] { popupMenuDF->popup(butLoop->mapToGlobal(QPoint(150, 70))); });
  setMinimumSize(ColumnLeft(3) + kValueWidth + 8, RowTop(kRows) + 2 * kRowStep);
}

bool ModemChannelPage::channelShown(int c) const { return columns.at(static_cast<std::size_t>(c - 1)).show->isChecked(); }

void ModemChannelPage::Show(const TBRDS& modem, const std::array<bool, 3>& notRefreshed) {
  for (int c = 1; c <= 3; ++c) {
    Column& col = columns[static_cast<std::size_t>(c - 1)];
    const bool stale = notRefreshed[static_cast<std::size_t>(c - 1)];
    for (QLabel* value : col.values) MarkNotRefreshed(value, stale);
    const T_MODULES& m = modem.Modules[static_cast<std::size_t>(c - 1)];
    const int state = m.Values[0] <= 4 ? static_cast<int>(m.Values[0]) : 0;
    col.values[0]->setText(Q(std::string(ReceiverStateText(state))));
    col.state->setColour(ReceiverStateColour(state));
    const bool transit = m.Values[2] == 3;
    const int ko = m.Values[5] <= 2 ? static_cast<int>(m.Values[5]) : 0;
    col.ko->setVisible(transit && channelShown(c));
    if (transit) {
      col.ko->setColour(KoDataColour(ko));
      col.values[5]->setText(Q(std::string(KoDataText(ko))));
    }
    col.reset->setVisible(m.Values[2] == 1 && channelShown(c));
    if (state == 0) continue;  // rows keep what they showed until the answer
    for (int row = 2; row <= kRows; ++row) {
      col.values[static_cast<std::size_t>(row - 1)]->setText(Q(m.Texts[static_cast<std::size_t>(row - 1)]));
    }
  }
}

void ModemChannelPage::Reset() {
  for (Column& col : columns) {
    for (QLabel* value : col.values) value->setText("---");
    col.state->setColour(kNotReadGrey);
    col.ko->hide();
    col.reset->hide();
  }
}

}  // namespace varnel::ui
