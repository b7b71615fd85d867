#include "cli/man/man_page.h"

#include "cli/options/help_table.h"

namespace varnel::cli {

namespace {

// Backslashes and dashes escaped; a line never starts with a control character.
std::string Roff(std::string_view text) {
  std::string out;
  bool lineStart = true;
  for (char c : text) {
    if (lineStart && (c == '.' || c == '\'')) out += "\\&";
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
    lineStart = c == '\n';
  }
  return out;
}

std::string OptionItem(const OptionHelp& o) {
  const std::string head = o.value.empty() ? ".B " + Roff(o.name)
                                           : ".BI \"" + Roff(o.name) + " \" \"" + Roff(o.value) + "\"";
  return ".TP\n" + head + "\n" + Roff(o.text) + "\n";
}

}  // namespace

std::string ManPageText() {
  std::string t = ".TH VARNEL\\-CLI 1 \"\" \"Varnel Monitor\" \"User Commands\"\n";
  t += ".SH NAME\nvarnel\\-cli \\- talk to power\\-line\\-carrier terminals from the command line\n";
  t += ".SH SYNOPSIS\n";
  for (const CommandHelp& c : Commands()) {
    t += ".B varnel\\-cli " + Roff(c.name) + "\n" + Roff(c.synopsis) + " [OPTIONS]\n.br\n";
  }
  t += ".SH DESCRIPTION\nEach command explores the network behind one root block over UDP and works on one "
       "device of it, named by its path of names or its ID Route. Progress goes to standard error when it is "
       "a terminal; failures print one line on standard error.\n";
  t += ".SH COMMANDS\n";
  for (const CommandHelp& c : Commands()) {
    t += ".SS " + Roff(c.name) + "\n" + Roff(c.summary) + ".\n.PP\n" + Roff(c.details) + "\n";
    for (const OptionHelp& o : c.options) t += OptionItem(o);
  }
  t += ".SH COMMON OPTIONS\n";
  for (const OptionHelp& o : CommonOptions()) t += OptionItem(o);
  t += ".SH EXIT STATUS\n";
  for (const ExitStatusHelp& e : ExitStatusTable()) {
    t += ".TP\n.B " + std::to_string(e.status) + "\n" + Roff(e.text) + "\n";
  }
  return t;
}

}  // namespace varnel::cli
