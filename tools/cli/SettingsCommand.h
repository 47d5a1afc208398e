#pragma once

#include "ArgParser.h"

class CSmsConfig;

// The installation's settings that "quillon-cli settings" changes: how the desktop program logs
// in (app mode and default user) and whether it minimises into the tray.
ArgParser SettingsParser();
// Applies the options given to config; throws a usage CliError for a bad value, before changing
// anything. Returns whether anything was given.
bool ApplySettings(const ParsedArgs& args, CSmsConfig& config);
// The settings as "name: value" lines.
std::string DescribeSettings(const CSmsConfig& config);
