#pragma once
// What each board reported, drawn from its record and the core's view models
// into a report. The power board's answer is not decoded by the program: its
// report says that it answered and how often.

#include "cli/output/board_report.h"
#include "cli/run/session.h"

namespace varnel::cli {

std::vector<ReportSection> ModemSections(const TBRDS& board);
std::vector<ReportSection> TerminationSections(const TBRDS& board, const TerminationShown& shown);
std::vector<ReportSection> AmplifierSections(const TBRDS& board);
std::vector<ReportSection> PowerSections(const TBRDS& board);

}  // namespace varnel::cli
