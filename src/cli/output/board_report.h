#pragma once
// A board's state as named fields in titled sections, printed as text or JSON.

#include <QJsonObject>
#include <string>
#include <utility>
#include <vector>

namespace varnel::cli {

struct ReportSection {
  std::string title;
  std::vector<std::pair<std::string, std::string>> fields;  // name, value, in order
};

struct BoardReport {
  std::string board;   // as named on the command line
  std::string device;  // its path of names
  std::vector<ReportSection> sections;
};

std::string BoardReportText(const BoardReport& report);
QJsonObject BoardReportJson(const BoardReport& report);

}  // namespace varnel::cli
