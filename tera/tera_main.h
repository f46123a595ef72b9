// The preprocessor program: command line, data file search, output naming
// and one processing run per input file.
#pragma once

#include <string>

namespace vaarikas::tera {

struct Settings {
  std::string search_path;  // ":"-separated directories
  std::string table = "baltic.cnv";
  std::string automaton = "tera.fst";
  std::string out_dir;
  std::string ext = ".lal";
};

// The data file search: a name with a "/" is used as given; otherwise each
// directory of the search path, then the program directory. Returns the
// path found, or an empty string.
std::string FindDataFile(const std::string& name, const std::string& search_path, const std::string& prog_dir);

// The output file name for an input file name.
std::string OutputName(const std::string& input, const Settings& s);

// The whole program; returns the exit status. Messages go to standard output.
int TeraMain(int argc, char** argv, char** envp);

}  // namespace vaarikas::tera
