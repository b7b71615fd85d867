#include "cli/commands/board_reports.h"

#include "boards/modem/modem_view.h"
#include "boards/termination/subchannel_view.h"
#include "boards/termination/termination_settings_view.h"

namespace varnel::cli {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\r', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}

std::string Trimmed(const std::string& text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  return text.substr(start, text.find_last_not_of(' ') - start + 1);
}

// Free-form lines kept whole, numbered; blank lines left out.
ReportSection NumberedLines(std::string title, const std::vector<std::string>& lines) {
  ReportSection section{std::move(title), {}};
  for (const std::string& line : lines) {
    if (const std::string text = Trimmed(line); !text.empty()) {
      section.fields.emplace_back(std::to_string(section.fields.size() + 1), text);
    }
  }
  return section;
}

void AddBar(ReportSection& section, const char* name, const SubchannelBar& bar, const SubchannelLabel& label) {
  if (bar.visible && label.visible) section.fields.emplace_back(name, label.text);
}

ReportSection SubchannelRowSection(std::string title, std::string line, const SubchannelRow& row) {
  ReportSection section{std::move(title), {{"Линия", std::move(line)}}};
  AddBar(section, "Служебный", row.service, row.serviceLabel);
  AddBar(section, "Телемеханика", row.telemechanics, row.telemechanicsLabel);
  AddBar(section, "Голос 1", row.voice1, row.voice1Label);
  AddBar(section, "Голос 2", row.voice2, row.voice2Label);
  AddBar(section, "Данные", row.data, row.dataLabel);
  return section;
}

}  // namespace

std::vector<ReportSection> ModemSections(const TBRDS& board) {
  std::vector<ReportSection> sections{{"Плата модема", {{"Версия", VersionLabelText(board.Ver1, board.Ver2)}}}};
  for (int c = 1; c <= 3; ++c) {
    const T_MODULES& m = board.Modules[static_cast<std::size_t>(c - 1)];
    const std::uint32_t state = m.Values[0] <= 4 ? m.Values[0] : 0;
    ReportSection section{"Канал " + std::to_string(c), {}};
    section.fields.emplace_back(ModemRowCaption(1), ReceiverStateText(state));
    // Rows other than the state mean something only once the state is known.
    for (int row = 2; row <= 12; ++row) {
      section.fields.emplace_back(ModemRowCaption(row), state == 0 ? "---" : m.Texts[static_cast<std::size_t>(row - 1)]);
    }
    sections.push_back(std::move(section));
  }
  return sections;
}

std::vector<ReportSection> TerminationSections(const TBRDS& board, const TerminationShown& shown) {
  const TerminationSettingsView v = ComputeTerminationSettings(board);
  const std::vector<std::string> modules = Lines(v.modules);
  ReportSection info{"Плата окончания", {{"Версия", v.version}, {"Модули", modules.size() > 1 ? modules[1] : ""}}};
  if (v.contactsVisible) {
    info.fields.emplace_back("Вход", v.inputOn ? "on" : "off");
    info.fields.emplace_back("Выход", v.outputOn ? "on" : "off");
  }
  std::vector<ReportSection> sections{std::move(info)};
  if (!shown.analogLevel.empty()) {
    sections.push_back({"Аналоговый режим", {{"Уровень", shown.analogLevel}}});
  } else if (shown.state) {
    const SubchannelView view = ComputeSubchannelView(*shown.state);
    sections.push_back(SubchannelRowSection("Передача", view.lineTx, view.tx));
    sections.push_back(SubchannelRowSection("Приём", view.lineRx, view.rx));
    sections.push_back(NumberedLines("Счётчики", Lines(shown.counters)));
  }
  return sections;
}

// The parser's four display lines; the alarm line continues over several
// lines, one alarm each, joined here into one value.
std::vector<ReportSection> AmplifierSections(const TBRDS& board) {
  ReportSection section{"Усилитель", {}};
  for (std::size_t i = 0; i < 4; ++i) {
    const std::string& text = board.Texts[i];
    const std::size_t colon = text.find(':');
    std::string value;
    for (const std::string& line : Lines(colon == std::string::npos ? text : text.substr(colon + 1))) {
      const std::string part = Trimmed(line);
      if (!part.empty()) value += (value.empty() ? "" : "; ") + part;
    }
    section.fields.emplace_back(colon == std::string::npos ? std::to_string(i + 1) : Trimmed(text.substr(0, colon)),
                                value);
  }
  return {section};
}

std::vector<ReportSection> PowerSections(const TBRDS& board) {
  return {{"Плата питания", {{"Запросов", std::to_string(board.Requests)}, {"Ответов", std::to_string(board.Answers)}}}};
}

}  // namespace varnel::cli
