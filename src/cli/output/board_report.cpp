#include "cli/output/board_report.h"

#include <QJsonArray>

#include "cli/output/printable.h"

namespace varnel::cli {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

std::string BoardReportText(const BoardReport& report) {
  std::string out = Printable(report.device) + ": " + report.board + "\n";
  for (const ReportSection& section : report.sections) {
    out += section.title + "\n";
    for (const auto& [name, value] : section.fields) out += "  " + name + ": " + Printable(value) + "\n";
  }
  return out;
}

QJsonObject BoardReportJson(const BoardReport& report) {
  QJsonArray sections;
  for (const ReportSection& section : report.sections) {
    QJsonArray fields;
    for (const auto& [name, value] : section.fields) fields.append(QJsonObject{{"name", Q(name)}, {"value", Q(value)}});
    sections.append(QJsonObject{{"title", Q(section.title)}, {"fields", fields}});
  }
  return QJsonObject{{"device", Q(report.device)}, {"board", Q(report.board)}, {"sections", sections}};
}

}  // namespace varnel::cli
