// Build step: writes the manual page to the file named by its argument.
#include <iostream>

#include "cli/man/man_page.h"
#include "wire/atomic_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_man_page FILE\n";
    return 2;
  }
  if (!varnel::WriteFileAtomically(argv[1], varnel::cli::ManPageText())) {
    std::cerr << "cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
