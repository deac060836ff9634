#pragma once
// lumivane-cli as the tests run it: a child process whose output goes to
// files in the test's HOME. LUMIVANE_CLI_PATH comes from the test's target.
#include <string>
#include <vector>

#include "support/spawned_program.h"
#include "support/temp_home.h"

class Cli : public SpawnedProgram {
 public:
  // `name` names the output files: NAME.out and NAME.err.
  explicit Cli(const std::vector<std::string>& args, const std::string& name = "cli")
      : SpawnedProgram(WithProgram(args), TestHome() + "/" + name + ".out", TestHome() + "/" + name + ".err") {}

 private:
  static std::vector<std::string> WithProgram(const std::vector<std::string>& args) {
    std::vector<std::string> all = {LUMIVANE_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    return all;
  }
};

// Runs lumivane-cli to its end.
inline ProgramResult RunCli(const std::vector<std::string>& args) { return Cli(args).Wait(); }
