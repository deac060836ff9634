#pragma once
#include <string>

// The temporary HOME of the running test (empty outside a test).
const std::string& TestHome();

// Installs the listener that gives every test a fresh temporary HOME and
// removes it afterwards. Called once by each test main.
void InstallTempHomeListener();
