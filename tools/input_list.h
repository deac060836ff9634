#pragma once
// The --inputs option of play and render: "T:K[,T:K]...", input K (1..4)
// active at T seconds for one tick.
#include <map>
#include <string>

// A number of seconds, 0 or more; false for any other text.
bool ParseSeconds(const std::string& text, double* value);

// Adds the list to `inputs` (100 ms tick -> input levels, low = active).
// Returns an error text, or "" when the list was taken.
std::string ParseInputList(const std::string& list, std::map<long, unsigned char>* inputs);
