#include "ui/boards/modem/config_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "boards/editor_validity.h"
#include "boards/modem/modem_editors.h"
#include "boards/modem/modem_encoding.h"
#include "boards/modem/modem_view.h"
#include "model/device_record.h"
#include "ui/boards/modem/stale_mark.h"
#include "ui/widgets/decimal_edit.h"
#include "ui/widgets/indicator.h"
#include "ui/widgets/names.h"
#include "ui/widgets/qt_text.h"

namespace varnel::ui {

namespace {

constexpr int kRowHeight = 26;
constexpr int kCaptionWidth = 274;
constexpr int kChannelWidth = 150;
constexpr int kEditorWidth = 120;

const char* const kRowCaptions[] = {
    "Включение канала",
    "Средняя частота полосы передатчика, кГц",
    "Средняя частота полосы приёмника, кГц",
    "Режим",
    "  запас по шуму, дБ",
    "  мин. скорость приёмника, кбит/с",
    "  макс. скорость приёмника, кбит/с",
    "  мониторинг через служебный канал (EOC)",
};

const char* const kLegend =
    "•Красный - выход за пределы;\n•Тёмно-красный - не удалось распознать число;\n•Желтый - число не в сетке.";

QString RangeHint(const DecimalEdit* e) {
  auto one = [](double x) { return QString::number(x, 'f', 1).replace('.', ','); };
  return "Допустимые значения:\n" + one(e->minimum()) + ".." + one(e->maximum()) + " шаг " + one(e->step()) + "\n" +
         kLegend;
}

template <typename W>
W* At(W* widget, int row, const char* name, int c) {
  widget->setObjectName(QString("%1%2").arg(name).arg(c));
  widget->setGeometry(0, (row - 1) * kRowHeight, kEditorWidth, kRowHeight - 2);
  return widget;
}

}  // namespace

ModemConfigPage::ModemConfigPage(QWidget* parent) : QWidget(parent) {
  setObjectName("TabVKcfgCH");
  setToolTip("Каналы ВЧ: конфигурация");
  auto* column = new QVBoxLayout(this);
  column->addWidget(BuildCommon());
  column->addWidget(BuildChannels());
  column->addStretch(1);
}

QWidget* ModemConfigPage::BuildCommon() {
  auto* group = new QGroupBox("Общее", this);
  auto* grid = new QGridLayout(group);
  auto level = [&](const char* name, const QString& caption, double lo, double step, int row) {
    auto* edit = Named(new DecimalEdit(group), name);
    edit->setRange(lo, 0.0);
    edit->setStep(step);
    edit->setValue(0.0);
    edit->setToolTip(RangeHint(edit));
    connect(edit, &DecimalEdit::edited, this, [this, edit] { Validate(edit); });
    grid->addWidget(new QLabel(caption, group), row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
  };
  txLevel = level("EditTXlvl", "Уровень ЦАП передатчика, дБ", -25.2, 0.4, 0);
  rxLevel = level("EditRXlvl", "Уровень АЦП приёмника, дБ", -25.4, 0.2, 1);
  agc = level("EditARUlvl", "Чувствительность АРУ, дБ", -51.0, 0.2, 2);
  labAggr = Named(new QLabel("Объединение в цифровом режиме:", group), "LabVK_Aggr");
  aggr = Named(new QComboBox(group), "cbVK_aggr");
  aggr->addItems({"нет", "ВЧ-канал 1 и 2 в TDM 1", "ВЧ-канал 1 и 3 в TDM 1", "ВЧ-канал 1, 2 и 3 в TDM 1"});
  aggr->setCurrentIndex(0);
  grid->addWidget(labAggr, 3, 0);
  grid->addWidget(aggr, 3, 1);
  readMark = Named(new Indicator(group), "shRW_HFcfg");
  readMark->setFixedSize(14, 14);
  grid->addWidget(readMark, 0, 2);
  grid->setColumnStretch(3, 1);
  HideAggregation();
  return group;
}

QWidget* ModemConfigPage::BuildChannels() {
  auto* group = new QGroupBox("Каналы", this);
  auto* grid = Named(new QWidget(group), "SG1");
  // The caption column is 274 pixels unless this machine's font needs more.
  for (const char* text : kRowCaptions) captionWidth_ = std::max(captionWidth_, grid->fontMetrics().horizontalAdvance(text) + 12);
  grid->setMinimumSize(captionWidth_ + 3 * kChannelWidth + 7, 8 * kRowHeight);
  for (int row = 1; row <= 8; ++row) {
    auto* caption = new QLabel(kRowCaptions[row - 1], grid);
    caption->setGeometry(4, (row - 1) * kRowHeight + 4, captionWidth_ - 4, kRowHeight - 4);
  }
  // The channel number heads its column; the enable box says what it does.
  auto* header = new QWidget(group);
  header->setFixedHeight(kRowHeight - 6);
  for (int c = 1; c <= 3; ++c) {
    auto* label = new QLabel(QString("Канал %1").arg(c), header);
    label->setObjectName(QString("LabChHead%1").arg(c));
    label->move(ChannelLeft(c) + 4, 0);
    BuildChannel(c, grid);
  }
  auto* layout = new QVBoxLayout(group);
  layout->setSpacing(0);
  layout->addWidget(header);
  layout->addWidget(grid);
  return group;
}

void ModemConfigPage::BuildChannel(int c, QWidget* grid) {
  ChannelEditors& ch = channels[static_cast<std::size_t>(c - 1)];
  const int x = ChannelLeft(c);
  ch.enable = At(new QCheckBox("Канал включен", grid), 1, "ChTXen", c);
  ch.enable->move(x + 4, 0);
  // Rows 2..8 live in the channel's panel; rows 5..8 in its digital-mode panel.
  ch.panel = Named(new QWidget(grid), "");
  ch.panel->setObjectName(QString("PanSetsCh%1").arg(c));
  ch.panel->setGeometry(x, kRowHeight, kChannelWidth, 7 * kRowHeight);
  ch.panel->hide();
  auto frequency = [&](int row, const char* name) {
    auto* spin = At(new QSpinBox(ch.panel), row - 1, name, c);
    spin->setRange(0, 1023);
    return spin;
  };
  ch.txFreq = frequency(2, "EditFTX");
  ch.rxFreq = frequency(3, "EditFRX");
  ch.mode = At(new QComboBox(ch.panel), 3, "cbMode", c);
  ch.mode->addItems({"Аналоговый", "Транзит", "Цифр.ведущий", "Цифр.ведомый"});
  ch.digital = new QWidget(ch.panel);
  ch.digital->setObjectName(QString("PanDigMode%1").arg(c));
  ch.digital->setGeometry(0, 3 * kRowHeight, kChannelWidth, 4 * kRowHeight);
  ch.digital->hide();
  ch.noise = At(new QSpinBox(ch.digital), 1, "EditNoise", c);
  ch.noise->setRange(0, 31);
  auto rate = [&](int row, const char* name) {
    auto* edit = At(new DecimalEdit(ch.digital), row, name, c);
    edit->setRange(0.0, 25.4);
    edit->setStep(0.1);
    edit->setValue(0.0);
    connect(edit, &DecimalEdit::edited, this, [this, edit] { Validate(edit); });
    return edit;
  };
  ch.rateMin = rate(2, "edRXrate");
  ch.rateMin->setToolTip(QString("Допустимые значения:\n0,0..25,4 c шагом 0,1 (ВК20 версии 1..8)\n"
                                 "0,0..12,7 c шагом 0,1 и 12,8..38,2 с шагом 0,2 (ВК20 версии выше 9)\n\n") +
                         kLegend);
  ch.rateMax = rate(3, "edRXrateMax");
  ch.rateMax->hide();
  ch.eoc = At(new QCheckBox("EOC", ch.digital), 4, "chMonEoc", c);

  connect(ch.enable, &QCheckBox::toggled, ch.panel, &QWidget::setVisible);
  connect(ch.mode, &QComboBox::currentIndexChanged, ch.digital, [&ch](int index) { ch.digital->setVisible(index >= 2); });
}

int ModemConfigPage::ChannelLeft(int c) const { return captionWidth_ + 2 + (kChannelWidth - 1) * (c - 1); }

void ModemConfigPage::Forget() {
  commonFrom_ = 0;
  channelFrom_ = {};
  HideAggregation();
  for (ChannelEditors& ch : channels) ch.rateMax->hide();
}

void ModemConfigPage::MarkNotRefreshed(const std::array<bool, 4>& stale) {
  for (QWidget* w : std::initializer_list<QWidget*>{txLevel, rxLevel, agc, aggr}) ui::MarkNotRefreshed(w, stale[0]);
  for (std::size_t c = 1; c <= 3; ++c) ui::MarkNotRefreshed(channels[c - 1].panel, stale[c]);
}

void ModemConfigPage::Show(TStructDev& dev, int device, std::uint8_t ver1) {
  SetVersion(ver1);
  constexpr std::uint32_t kNotRead = 0x000080, kRead = 0xF0CAA6;
  ModemCommonConfig& common = dev.modemCommon;
  readMark->setColour(common.CommonValid ? kRead : kNotRead);
  if (common.CommonValid && !common.CommonShown) {
    common.CommonShown = 1;
    commonFrom_ = device;
    txLevel->setValue(common.TxLevelDb);
    rxLevel->setValue(common.RxLevelDb);
    agc->setValue(common.AgcDb);
    aggr->setVisible(common.AggrValid != 0);
    labAggr->setVisible(common.AggrValid != 0);
    aggr->setCurrentIndex(common.Aggr);
  }
  for (int c = 1; c <= 3; ++c) {
    ModemChannelConfig& cfg = dev.modemChannel(c);
    ChannelEditors& ch = channels[static_cast<std::size_t>(c - 1)];
    ch.enable->setStyleSheet(BackgroundCss(cfg.CfgValid ? kRead : kNotRead));
    if (!cfg.CfgValid || cfg.CfgShown) continue;
    cfg.CfgShown = 1;
    channelFrom_[static_cast<std::size_t>(c - 1)] = device;
    ch.enable->setChecked(cfg.TxEnabled != 0);
    ch.panel->setVisible(cfg.TxEnabled != 0);
    ch.txFreq->setValue(cfg.TxFreqKHz);
    ch.rxFreq->setValue(cfg.RxFreqKHz);
    ch.mode->setCurrentIndex(cfg.Mode);
    ch.eoc->setChecked(cfg.EocMonitor != 0);
    ch.noise->setValue(cfg.NoiseMargin);
    ch.rateMin->setValue(cfg.RxRateMin);
    ch.rateMax->setVisible(ver1 >= kMaxRateVersion);
    if (ver1 >= kMaxRateVersion) ch.rateMax->setValue(cfg.RxRateMax);
    ch.digital->setVisible(cfg.Mode >= 2);
  }
}

ModemEditorValues ModemConfigPage::Values() const {
  ModemEditorValues v;
  v.txLevelDb = txLevel->value();
  v.rxLevelDb = rxLevel->value();
  v.agcDb = agc->value();
  v.aggrIndex = aggr->currentIndex();
  v.loadedFrom = commonFrom_;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const ChannelEditors& ch = channels[i];
    ModemChannelEditors& e = v.channels[i];
    e.enabled = ch.enable->isChecked();
    e.txFreqKHz = ch.txFreq->value();
    e.rxFreqKHz = ch.rxFreq->value();
    e.modeIndex = ch.mode->currentIndex();
    e.noiseMargin = ch.noise->value();
    e.rxRateMin = ch.rateMin->value();
    e.rxRateMax = ch.rateMax->value();
    e.eocMonitor = ch.eoc->isChecked();
    e.loadedFrom = channelFrom_[i];
  }
  return v;
}

void ModemConfigPage::SetVersion(std::uint8_t ver1) {
  ver1_ = ver1;
  for (ChannelEditors& ch : channels) {
    for (DecimalEdit* rate : {ch.rateMin, ch.rateMax}) Validate(rate);
  }
}

void ModemConfigPage::Validate(DecimalEdit* edit) {
  const bool isRate = std::any_of(channels.begin(), channels.end(), [edit](const ChannelEditors& ch) {
    return edit == ch.rateMin || edit == ch.rateMax;
  });
  if (isRate) {
    const RateLimits limits = ApplyRateLimits(ver1_, edit->value());
    edit->setRange(0.0, limits.max);
    edit->setStep(limits.step);
  }
  const auto value = edit->hasValue() ? std::optional<double>(edit->value()) : std::nullopt;
  const auto colour = ValidityColour(CheckEditorValue(value, edit->minimum(), edit->maximum(), edit->step()));
  edit->setBackground(colour ? BgrColour(*colour) : QColor());
}

void ModemConfigPage::HideAggregation() {
  aggr->hide();
  labAggr->hide();
}

}  // namespace varnel::ui
