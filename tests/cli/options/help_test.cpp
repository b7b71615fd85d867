// --help of the tool and of each command, and the manual page written at
// build time from the same table: whatever one lists, the other lists too.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "cli/options/help_table.h"
#include "cli_test_support.h"

using namespace varnel::cli;
using namespace varnel::cli::testing;

namespace {

QString ManPage() {
  QFile file(VARNEL_CLI_MAN_PATH);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly));
  return QString::fromUtf8(file.readAll());
}

// Option names at the start of the help's option lines.
QStringList HelpOptions(const QString& help) {
  QStringList names;
  const QRegularExpression option("^  (--[a-z]+)", QRegularExpression::MultilineOption);
  for (auto it = option.globalMatch(help); it.hasNext();) names << it.next().captured(1);
  return names;
}

}  // namespace

TEST(Help, EveryCommandsHelpAndTheManualPageAgree) {
  const QString man = ManPage();
  const CliRun tool = RunCli({"--help"});
  EXPECT_EQ(tool.status, 0);
  for (const CommandHelp& command : Commands()) {
    const QString name = QString::fromUtf8(command.name.data(), static_cast<qsizetype>(command.name.size()));
    EXPECT_TRUE(tool.out.contains("  " + name)) << name.toStdString();
    // --help wins over missing options and bad values, as with most tools.
    const CliRun help = RunCli({name, "--help", "--timeout", "0"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_TRUE(help.out.startsWith("Usage: varnel-cli " + name + " "));
    const QStringList options = HelpOptions(help.out);
    EXPECT_TRUE(options.contains("--peer") && options.contains("--json") && options.contains("--timeout"));
    EXPECT_TRUE(man.contains(".SS " + name + "\n")) << name.toStdString();
    for (const QString& option : options) {
      QString roff = option;
      EXPECT_TRUE(man.contains(roff.replace("-", "\\-"))) << option.toStdString();
    }
  }
  // Every exit status is explained in both.
  for (const ExitStatusHelp& e : ExitStatusTable()) {
    EXPECT_TRUE(tool.out.contains("  " + QString::number(e.status) + "  "));
    EXPECT_TRUE(man.contains(".B " + QString::number(e.status) + "\n"));
  }
  EXPECT_TRUE(man.startsWith(".TH VARNEL\\-CLI 1"));
}
