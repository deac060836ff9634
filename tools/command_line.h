#pragma once
// What every lumivane-cli command shares: its exit statuses, its one-line
// errors, its --help, the scenario file it reads and the check of its
// standard output, so that each command says these things in one way.
#include <time.h>

#include <functional>
#include <string>
#include <vector>

#include "core/board/board_commands.h"
#include "core/model/scenario.h"

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

// "lumivane-cli: SUBJECT: REASON" on standard error.
void PrintError(const std::string& subject, const std::string& reason);

// A usage error, one line pointing at the command's --help ("" for the
// program's own); returns EXIT_USAGE.
int Usage(const std::string& command, const std::string& text);

// Prints a command's help; EXIT_FAILED when it did not get out.
int ShowHelp(const char* text);

// Standard output that failed (a full disk, a closed pipe) is a failure.
int FinishOutput(int status);

// Reads a scenario file; a failure is printed.
bool ReadScenario(const std::string& path, Scenario* scenario, time_t* modificationTime = nullptr);

// How a command on one scenario file begins: `parseError` is wrong usage,
// --help prints `helpText`, else `file` is read into `scenario`. Returns
// the exit status when the command ends there, else GO_ON.
constexpr int GO_ON = -1;
int BeginOnScenario(const std::string& command, const std::string& parseError, bool help, const char* helpText,
                    const std::string& file, Scenario* scenario);

// SPEED of --speed: standard or high. Returns an error text, or "".
std::string ParseSpeed(const std::string& value, LinkSpeed* speed);
// Takes "--speed SPEED" or "--speed=SPEED" at args[i], moving i past a value
// in the next argument. Returns an error text, or "".
std::string TakeSpeedOption(const std::vector<std::string>& args, size_t& i, LinkSpeed* speed);

// Takes the option at args[i] (and its value, moving i past it); returns an
// error text, or "" when it was taken.
using OptionTaker = std::function<std::string(size_t& i)>;

// The arguments of a command on one scenario file: "-", anything not
// starting with '-' and anything after "--" is a file; --help and -h set
// `help`; every other argument goes to `option`. Without --help exactly
// one file must be given. Returns an error text, or "" when all was taken.
std::string TakeScenarioArguments(const std::vector<std::string>& args, bool* help, std::string* file,
                                  const OptionTaker& option);
